// The client's race table drawn as the client shows it: a window with its caption, the column
// headers, one line a race with the cells the client and the plug-in filled, the selected races
// highlighted. It draws the cells it is given and knows nothing of the plug-in.
#pragma once

#include <string>
#include <vector>

struct RaceTable {
  std::string caption;                         // in the client's code page
  std::vector<std::string> columns;            // the headers
  std::vector<std::vector<std::string>> rows;  // the cells, in the client's code page
  std::vector<bool> selected;                  // by row
};

// The table as SVG: one picture, or several numbered pages of rows, each with its caption and
// headers, where one picture would be larger than a renderer takes (kSvgLargest).
std::vector<std::string> RaceTableSvg(const RaceTable& table);
