#include "table_view.h"

#include <algorithm>

#include "svg.h"

namespace {

constexpr double kTitleBar = kSvgTitleBar;
constexpr double kBorder = 4;
constexpr double kHeader = 20;
constexpr double kRow = 18;
constexpr double kTextSize = 11;
constexpr double kPadding = 6;  // before a cell's text, and after it
constexpr double kNarrowest = 36;
constexpr double kWidest = 400;  // a longer text is cut at the column's edge, as the client cuts it

const std::string kFace = "#d4d0c8";
const std::string kEdge = "#808080";
const std::string kHighlight = "#0a246a";
const std::string kFont = "font-family=\"Tahoma, DejaVu Sans, Arial, sans-serif\" font-size=\"" +
                          SvgNumber(kTextSize) + "\" xml:space=\"preserve\"";

std::vector<double> ColumnWidths(const RaceTable& table) {
  std::vector<double> widths;
  for (std::size_t c = 0; c < table.columns.size(); ++c) {
    double wide = TextWidth(table.columns[c], kTextSize);
    for (const auto& row : table.rows) {
      if (c < row.size()) wide = (std::max)(wide, TextWidth(row[c], kTextSize));
    }
    widths.push_back(std::clamp(wide + 2 * kPadding, kNarrowest, kWidest));
  }
  return widths;
}

std::string Page(const RaceTable& table, const std::vector<double>& widths, std::size_t first,
                 std::size_t end, const std::string& caption) {
  double listWidth = 0;
  for (const double width : widths) listWidth += width;
  const double width = listWidth + 2 * kBorder;
  const double top = kTitleBar + kBorder;
  const double height = top + kHeader + kRow * static_cast<double>(end - first) + kBorder;
  SvgPicture picture(width, height, caption);
  picture.WindowFrame(caption, true);
  picture.Rect(kBorder, top, listWidth, height - top - kBorder, "#ffffff");
  for (std::size_t r = first; r < end; ++r) {
    if (r < table.selected.size() && table.selected[r]) {
      picture.Rect(kBorder, top + kHeader + kRow * static_cast<double>(r - first), listWidth, kRow,
                   kHighlight);
    }
  }
  // Each column's header and cells clipped to it.
  double x = kBorder;
  for (std::size_t c = 0; c < widths.size(); ++c) {
    picture.Rect(x, top, widths[c], kHeader, kFace, kEdge);
    picture.BeginClip(x, top, widths[c] - 1, height - top - kBorder);
    picture.Text(x + kPadding, top + 14, table.columns[c], "#000000", kFont);
    for (std::size_t r = first; r < end; ++r) {
      const std::vector<std::string>& row = table.rows[r];
      if (c >= row.size() || row[c].empty()) continue;
      const bool selected = r < table.selected.size() && table.selected[r];
      picture.Text(x + kPadding, top + kHeader + kRow * static_cast<double>(r - first) + 13, row[c],
                   selected ? "#ffffff" : "#000000", kFont);
    }
    picture.EndClip();
    x += widths[c];
  }
  return picture.Finish();
}

}  // namespace

std::vector<std::string> RaceTableSvg(const RaceTable& table) {
  const std::vector<double> widths = ColumnWidths(table);
  const auto perPage =
      static_cast<std::size_t>((kSvgLargest - kTitleBar - 2 * kBorder - kHeader) / kRow);
  const std::size_t pages = (std::max)(std::size_t{1}, (table.rows.size() + perPage - 1) / perPage);
  std::vector<std::string> pictures;
  for (std::size_t page = 0; page < pages; ++page) {
    const std::size_t first = page * perPage;
    const std::size_t end = (std::min)(table.rows.size(), first + perPage);
    pictures.push_back(Page(table, widths, first, end,
                            pages == 1 ? table.caption
                                       : table.caption + ", page " + std::to_string(page + 1) +
                                             " of " + std::to_string(pages)));
  }
  return pictures;
}
