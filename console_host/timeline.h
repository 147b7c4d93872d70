// The pacts of one memo drawn across the turns: one row per race, one bar per unbroken run of
// pacts, each pact of the run a segment labelled with its conditions, the current turn marked.
// Read from the pact store file with the plug-in's own store code, so the picture shows what
// the file holds, which is what the plug-in saved after its last treaty command. The axis spans
// every pact and the current turn at one scale, but for long stretches where nothing begins or
// ends, drawn shortened and marked so on the axis and in the legend, so that a far turn never
// squeezes the rest; a pact is never drawn narrower than a shorter one. Every label keeps off
// the bars, the marker and the other labels.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "request_map.h"
#include "store/pact_history.h"

struct TimelineRow {
  std::string race;
  std::vector<PactInterval> pacts;  // sorted, as the history keeps them
};

// The rows of store key `key` ("game/race") in the store file at `path`, sorted by race.
std::vector<TimelineRow> ReadTimeline(const std::string& path, const std::string& key);

// Where each thing of the picture goes, in pixels.
struct TimelineBox {
  double x = 0, y = 0, width = 0, height = 0;
};

struct TimelineLabel {
  TimelineBox box;   // where the text lies, with its whole height
  std::string text;  // in the client's code page
  std::string colour;
  double size = 0;
  bool bold = false;
  int bar = -1;  // the bar it is written on, or -1 for a label off the bars
};

struct TimelineBar {
  TimelineBox box;
  std::string fill;
  int row = 0;
  std::size_t pact = 0;  // in the row
};

// Two turns bounding a stretch; each use says whether the second is in it.
using TurnSpan = std::pair<std::uint64_t, std::uint64_t>;

struct TimelineLayout {
  double width = 0, height = 0;
  std::uint64_t first = 0, last = 0;   // the axis: from the turn `first` to the end of `last`
  double perTurn = 0;                  // pixels a turn, wherever the axis is not shortened
  std::vector<TimelineBar> bars;       // one per pact
  std::vector<TimelineBox> runs;       // the outline of each unbroken run of pacts
  std::vector<TimelineBox> markers;    // the current turn: on the axis and in every row
  std::vector<TimelineBox> breaks;     // the marks of the stretches of the axis drawn shortened,
  std::vector<TurnSpan> shortened;     // their first and last turns,
  std::vector<TimelineBox> breakKeys;  // and their marks in the legend
  TimelineBox axis;                    // its line, `height` 0
  std::vector<double> ticks;           // the axis' labelled turns
  std::vector<TimelineLabel> labels;   // every text
  std::vector<TimelineBar> swatches;   // the legend's colours
};

// The layout of the picture: one page, or several where the rows would make it taller than
// kSvgLargest, each with the axis and a legend of its own rows; the axis is the same on every
// page, and never wider than a page. `turn` is the current turn; `settings` (the client's
// settings store) gives the conditions' main texts for the legend.
std::vector<TimelineLayout> LayOutTimeline(const std::string& key, int turn,
                                           const std::vector<TimelineRow>& rows,
                                           const Entries& settings);
std::string TimelineSvg(const TimelineLayout& layout, const std::string& title);
