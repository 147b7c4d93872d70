#include "timeline.h"

#include <algorithm>
#include <map>
#include <set>

#include "settings_file.h"
#include "store/owned_map.h"
#include "store/pact_store.h"
#include "svg.h"

namespace {

constexpr double kMargin = 10;
constexpr double kTitleSize = 15;
constexpr double kTextSize = 12;   // race names, the legend
constexpr double kTurnSize = 10;   // turn numbers
constexpr double kInBarSize = 11;  // conditions on their bar
constexpr double kAxisTop = 34;    // the axis' turn numbers ...
constexpr double kTickTop = 50;    // ... its ticks ...
constexpr double kTop = 60;        // ... and the first row
constexpr double kBarHeight = 18;
constexpr double kLaneHeight = 14;  // a line of labels under a row's bars
constexpr double kRowGap = 8;
constexpr double kPad = 4;  // between two labels

// The axis: one scale for every stretch drawn to scale, filling about kPlotWidth, no less than
// kLeastPerTurn so that a pact of one turn shows; a stretch wider than kLongest at that scale is
// shortened to kBroken, or wider where a pact across it must stay as wide as a shorter one.
constexpr double kLeastPerTurn = 5;
constexpr double kMostPerTurn = 16;
constexpr double kPlotWidth = 900;
constexpr double kLongest = 240;
constexpr double kBroken = 48;

constexpr const char* kEnDash = "\x96";  // in the client's code page

const std::string kPast = SvgColor(RGB(96, 96, 96));
const std::string kInForce = SvgColor(RGB(32, 112, 0));
const std::string kLater = SvgColor(RGB(40, 80, 160));
const std::string kNow = SvgColor(RGB(112, 0, 0));
const std::string kInk = "#000000";
const std::string kGrey = "#404040";

// The turns as x: each stretch between two turns where a pact or the current turn begins or
// ends is drawn at one scale, the axis' own or, for a shortened stretch, a smaller one.
class Axis {
 public:
  // `pacts` as [first turn, turn after the last); `widest` bounds the whole axis in pixels.
  Axis(std::vector<std::uint64_t> turns, const std::vector<TurnSpan>& pacts, double left,
       double widest)
      : turns_(std::move(turns)), left_(left) {
    const std::size_t stretches = turns_.size() - 1;
    for (std::size_t i = 0; i < stretches; ++i) {
      lengths_.push_back(static_cast<double>(turns_[i + 1] - turns_[i]));
    }
    shortened_.assign(stretches, false);
    // Where no pact is in force: those stretches go first.
    std::vector<int> inForce(stretches + 1, 0);
    for (const auto& [from, end] : pacts) {
      ++inForce[Stretch(from)];
      --inForce[Stretch(end)];
    }
    std::vector<bool> empty(stretches);
    for (std::size_t i = 0, count = 0; i < stretches; ++i) {
      count += static_cast<std::size_t>(inForce[i]);
      empty[i] = count == 0;
    }
    // Shortening leaves more room for the rest, which may make another stretch too wide. Only
    // where the picture is still too wide, the longest stretch inside pacts goes too. The
    // current turn's stretch, one turn, is never shortened, so some turns stay to scale.
    for (;;) {
      double toScale = 0;
      for (std::size_t i = 0; i < stretches; ++i) {
        if (!shortened_[i]) toScale += lengths_[i];
      }
      perTurn_ = std::clamp(kPlotWidth / toScale, kLeastPerTurn, kMostPerTurn);
      bool again = false;
      for (std::size_t i = 0; i < stretches; ++i) {
        if (!shortened_[i] && empty[i] && lengths_[i] * perTurn_ > kLongest) {
          shortened_[i] = again = true;
        }
      }
      if (again) continue;
      if (toScale * perTurn_ <= kPlotWidth) break;
      std::size_t longest = stretches;
      for (std::size_t i = 0; i < stretches; ++i) {
        if (!shortened_[i] && lengths_[i] * perTurn_ > kLongest &&
            (longest == stretches || lengths_[i] > lengths_[longest])) {
          longest = i;
        }
      }
      if (longest == stretches) break;
      shortened_[longest] = true;
    }
    for (std::size_t i = 0; i < stretches; ++i) {
      widths_.push_back(shortened_[i] ? kBroken : lengths_[i] * perTurn_);
    }
    KeepPactsInOrder(pacts);
    // A stretch widened back to its full width is no longer shortened.
    for (std::size_t i = 0; i < stretches; ++i) {
      if (shortened_[i] && widths_[i] >= lengths_[i] * perTurn_ - 1e-6) shortened_[i] = false;
    }
    double whole = 0;
    for (const double width : widths_) whole += width;
    // Too wide for any renderer: every stretch drawn closer alike keeps scales and order.
    if (whole > widest) {
      for (double& width : widths_) width *= widest / whole;
      perTurn_ *= widest / whole;
    }
    lefts_.assign(1, left_);
    for (const double width : widths_) lefts_.push_back(lefts_.back() + width);
  }

  double X(std::uint64_t turn) const {
    if (turn <= turns_.front()) return left_;
    if (turn >= turns_.back()) return Right();
    const auto next = std::upper_bound(turns_.begin(), turns_.end(), turn);
    const auto i = static_cast<std::size_t>(next - turns_.begin()) - 1;
    return lefts_[i] + static_cast<double>(turn - turns_[i]) / lengths_[i] * widths_[i];
  }
  double Right() const { return lefts_.back(); }
  double PerTurn() const { return perTurn_; }
  const std::vector<std::uint64_t>& Turns() const { return turns_; }
  bool Shortened(std::size_t stretch) const { return shortened_[stretch]; }

 private:
  // The stretch that begins at `turn`, one of turns_; the count of stretches for the last.
  std::size_t Stretch(std::uint64_t turn) const {
    return static_cast<std::size_t>(std::lower_bound(turns_.begin(), turns_.end(), turn) -
                                    turns_.begin());
  }

  // The stretches a pact lies across.
  struct Across {
    std::size_t first = 0, end = 0;
    double turns = 0;
  };

  double Drawn(const Across& pact) const {
    double width = 0;
    for (std::size_t i = pact.first; i < pact.end; ++i) width += widths_[i];
    return width;
  }

  // Widens the shortened stretches a pact lies across by `missing` pixels together, none beyond
  // its full width; `fully` widens them to it at once.
  bool Widen(const Across& pact, double missing, bool fully) {
    bool widened = false;
    for (bool room = true; room && (fully || missing > 1e-9);) {
      std::size_t open = 0;
      for (std::size_t i = pact.first; i < pact.end; ++i) {
        open += shortened_[i] && widths_[i] < lengths_[i] * perTurn_ ? 1 : 0;
      }
      room = open > 0;
      for (std::size_t i = pact.first; room && i < pact.end; ++i) {
        if (!shortened_[i]) continue;
        const double full = lengths_[i] * perTurn_;
        const double more =
            fully ? full - widths_[i]
                  : (std::min)(missing / static_cast<double>(open), full - widths_[i]);
        widths_[i] += more;
        missing -= more;
        widened = widened || more > 1e-9;
      }
    }
    return widened;
  }

  // No pact drawn narrower than a shorter one. Shortened stretches only ever grow, and a pact
  // whose stretches are all at full width is as wide as its turns, so this ends; after a few
  // rounds a pact still too narrow gets its stretches at full width at once.
  void KeepPactsInOrder(const std::vector<TurnSpan>& spans) {
    std::vector<Across> pacts;
    for (const auto& [from, end] : spans) {
      pacts.push_back({Stretch(from), Stretch(end), static_cast<double>(end - from)});
    }
    std::sort(pacts.begin(), pacts.end(),
              [](const Across& a, const Across& b) { return a.turns < b.turns; });
    for (int round = 0;; ++round) {
      bool widened = false;
      double widestShorter = 0;
      for (std::size_t group = 0; group < pacts.size();) {
        std::size_t end = group;
        while (end < pacts.size() && pacts[end].turns == pacts[group].turns) ++end;
        for (std::size_t p = group; p < end; ++p) {
          const double missing = widestShorter - Drawn(pacts[p]);
          if (missing > 1e-6 && Widen(pacts[p], missing, round >= 16)) widened = true;
        }
        for (std::size_t p = group; p < end; ++p) {
          widestShorter = (std::max)(widestShorter, Drawn(pacts[p]));
        }
        group = end;
      }
      if (!widened) return;
    }
  }

  std::vector<std::uint64_t> turns_;
  double left_;
  double perTurn_ = kMostPerTurn;
  std::vector<double> lengths_;  // of each stretch after a turn, in turns ...
  std::vector<double> widths_;   // ... and in pixels
  std::vector<double> lefts_;    // of each turn in turns_
  std::vector<bool> shortened_;
};

bool Overlap(const TimelineBox& a, const TimelineBox& b, double pad = 0) {
  return a.x < b.x + b.width + pad && b.x < a.x + a.width + pad && a.y < b.y + b.height &&
         b.y < a.y + a.height;
}

TimelineLabel Label(double x, double y, const std::string& text, double size,
                    const std::string& colour, bool bold = false) {
  TimelineLabel label;
  label.box = {x, y, TextWidth(text, size, bold), size * 1.25};
  label.text = text;
  label.colour = colour;
  label.size = size;
  label.bold = bold;
  return label;
}

// Puts each label on the first line under `top` where it keeps clear of the others; answers
// how many lines it took.
int PlaceInLanes(std::vector<TimelineLabel> labels, double top,
                 std::vector<TimelineLabel>& placed) {
  std::stable_sort(labels.begin(), labels.end(),
                   [](const auto& a, const auto& b) { return a.box.x < b.box.x; });
  std::vector<std::vector<TimelineBox>> lanes;
  for (TimelineLabel& label : labels) {
    std::size_t lane = 0;
    for (;; ++lane) {
      if (lane == lanes.size()) lanes.emplace_back();
      label.box.y = top + static_cast<double>(lane) * kLaneHeight;
      const bool clear =
          std::none_of(lanes[lane].begin(), lanes[lane].end(),
                       [&](const TimelineBox& other) { return Overlap(label.box, other, kPad); });
      if (clear) break;
    }
    lanes[lane].push_back(label.box);
    placed.push_back(label);
  }
  return static_cast<int>(lanes.size());
}

// Tick steps that read well: 1, 2, 5, 10, 20, 50, ...
std::uint64_t Step(double perTurn, double wide) {
  for (std::uint64_t step = 1;; step *= 10) {
    for (const std::uint64_t times : {1, 2, 5}) {
      if (static_cast<double>(step * times) * perTurn >= wide || step * times >= (1ULL << 40)) {
        return step * times;
      }
    }
  }
}

std::vector<std::string> ConditionsOf(const CString& conditions) {
  std::vector<std::string> abbreviations;
  const std::string text = conditions.GetString();
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t slash = (std::min)(text.find('/', at), text.size());
    abbreviations.push_back(text.substr(at, slash - at));
    at = slash + 1;
  }
  return abbreviations;
}

}  // namespace

std::vector<TimelineRow> ReadTimeline(const std::string& path, const std::string& key) {
  PactStore store;
  CString unread;  // an unreadable file shows no pacts, as it shows in the client
  store.Load(path.c_str(), unread);
  std::vector<TimelineRow> rows;
  CObject* memo = nullptr;
  if (!store.Lookup(key.c_str(), memo) || !memo) return rows;
  ForEachOwned<PactHistory>(*static_cast<RacePacts*>(memo),
                            [&](const CString& race, const PactHistory& history) {
                              TimelineRow row{race.GetString(), {}};
                              for (INT_PTR i = 0; i < history.GetSize(); ++i) {
                                row.pacts.push_back(history.GetInterval(i));
                              }
                              rows.push_back(row);
                            });
  std::sort(rows.begin(), rows.end(),
            [](const TimelineRow& a, const TimelineRow& b) { return a.race < b.race; });
  return rows;
}

namespace {

// The axis of every page: its turn numbers, ticks and break marks, the current turn on it.
void LayOutAxis(TimelineLayout& layout, const Axis& axis, std::uint64_t now, int turn) {
  layout.first = axis.Turns().front();
  layout.last = axis.Turns().back() - 1;
  layout.perTurn = axis.PerTurn();
  // The axis: the current turn first, then the ends of the axis and of its broken stretches,
  // then round turns, each only where it keeps clear of those before it.
  std::vector<TimelineLabel> axisLabels;
  const auto offer = [&](std::uint64_t at, const std::string& text, const std::string& colour,
                         bool bold) {
    TimelineLabel label = Label(0, kAxisTop, text, kTurnSize, colour, bold);
    label.box.x = (std::max)(kMargin, (axis.X(at) + axis.X(at + 1)) / 2 - label.box.width / 2);
    for (const TimelineLabel& other : axisLabels) {
      if (Overlap(label.box, other.box, kPad)) return false;
    }
    axisLabels.push_back(label);
    return true;
  };
  offer(now, "turn " + std::to_string(turn), kNow, true);
  std::vector<std::uint64_t> ticks{layout.first, layout.last};
  for (std::size_t i = 0; i + 1 < axis.Turns().size(); ++i) {
    if (!axis.Shortened(i)) continue;
    const std::uint64_t from = axis.Turns()[i], end = axis.Turns()[i + 1];
    ticks.push_back(from);
    ticks.push_back(end);
    layout.breaks.push_back({(axis.X(from) + axis.X(end)) / 2 - 6, kTickTop, 12, kTop - kTickTop});
    layout.shortened.emplace_back(from, end - 1);
  }
  const std::uint64_t step = Step(axis.PerTurn(), 60);
  for (std::size_t i = 0; i + 1 < axis.Turns().size(); ++i) {
    if (axis.Shortened(i)) continue;
    for (std::uint64_t t = (axis.Turns()[i] + step - 1) / step * step; t < axis.Turns()[i + 1];
         t += step) {
      ticks.push_back(t);
    }
  }
  for (const std::uint64_t t : ticks) {
    if (offer(t, std::to_string(t), kGrey, false)) {
      layout.ticks.push_back((axis.X(t) + axis.X(t + 1)) / 2);
    }
  }
  layout.labels.insert(layout.labels.end(), axisLabels.begin(), axisLabels.end());
  const double nowLeft = axis.X(now);
  const double nowWidth = (std::max)(axis.X(now + 1) - nowLeft, 2.0);
  layout.markers.push_back({nowLeft, kTickTop, nowWidth, kTop - 2 - kTickTop});

  layout.axis = {axis.X(layout.first), kTop - 3, axis.Right() - axis.X(layout.first), 0};
}

// One row's bars, runs, current turn and labels from `y` on; answers where the next begins.
double LayOutRow(TimelineLayout& layout, const Axis& axis, std::uint64_t now,
                 const TimelineRow& row, std::size_t r, double y) {
  const double nowLeft = axis.X(now);
  const double nowWidth = (std::max)(axis.X(now + 1) - nowLeft, 2.0);
  layout.labels.push_back(
      Label(kMargin, y + (kBarHeight - kTextSize * 1.25) / 2, row.race, kTextSize, kInk));
  std::vector<TimelineLabel> under;
  for (std::size_t i = 0; i < row.pacts.size();) {
    // One run: pacts that adjoin, each beginning on the turn after the one before ends.
    std::size_t end = i + 1;
    while (end < row.pacts.size() &&
           row.pacts[end].from == std::uint64_t{row.pacts[end - 1].to} + 1) {
      ++end;
    }
    std::string outside;  // conditions too long for their bar
    for (std::size_t p = i; p < end; ++p) {
      const PactInterval& pact = row.pacts[p];
      const double x1 = axis.X(pact.from), x2 = axis.X(std::uint64_t{pact.to} + 1);
      TimelineBar bar;
      bar.box = {x1, y, x2 - x1, kBarHeight};
      bar.fill = pact.to < now ? kPast : pact.from > now ? kLater : kInForce;
      bar.row = static_cast<int>(r);
      bar.pact = p;
      layout.bars.push_back(bar);
      if (pact.conditions.IsEmpty()) continue;
      // On the bar, clear of the current turn's marker: in the middle, or in the middle of
      // the part before or after the marker; under the row where none of them has room.
      TimelineLabel conditions = Label(x1, y, pact.conditions.GetString(), kInBarSize, "#ffffff");
      conditions.box.y = y + (kBarHeight - conditions.box.height) / 2;
      const TimelineBox marker = {nowLeft, y, nowWidth, kBarHeight};
      bool placed = false;
      for (const auto& [from, to] : {std::pair{x1, x2}, std::pair{x1, (std::min)(x2, nowLeft)},
                                     std::pair{(std::max)(x1, nowLeft + nowWidth), x2}}) {
        conditions.box.x = (from + to) / 2 - conditions.box.width / 2;
        if (conditions.box.width <= to - from - 4 && !Overlap(conditions.box, marker)) {
          placed = true;
          break;
        }
      }
      if (placed) {
        conditions.bar = static_cast<int>(layout.bars.size() - 1);
        layout.labels.push_back(conditions);
      } else {
        outside += (outside.empty() ? "" : ", ") + std::string(pact.conditions.GetString());
      }
    }
    // Under the run: its first and last turn at its ends, or both in one label where the run
    // is too short for two, then the conditions that did not fit their bars.
    const PactInterval& head = row.pacts[i];
    const PactInterval& tail = row.pacts[end - 1];
    const double left = axis.X(head.from), right = axis.X(std::uint64_t{tail.to} + 1);
    layout.runs.push_back({left, y, right - left, kBarHeight});
    TimelineLabel first = Label(left, 0, std::to_string(head.from), kTurnSize, kGrey);
    TimelineLabel last = Label(0, 0, std::to_string(tail.to), kTurnSize, kGrey);
    last.box.x = right - last.box.width;
    if (head.from == tail.to) {
      under.push_back(first);
    } else if (first.box.x + first.box.width + kPad < last.box.x) {
      under.push_back(first);
      under.push_back(last);
    } else {
      under.push_back(Label(left, 0, first.text + "-" + last.text, kTurnSize, kGrey));
    }
    if (!outside.empty()) {
      const TimelineBox span = under.back().box;
      under.push_back(Label(span.x + span.width + kPad, 0, outside, kInBarSize, kInk));
    }
    i = end;
  }
  layout.markers.push_back({nowLeft, y, nowWidth, kBarHeight});
  const int lanes = PlaceInLanes(under, y + kBarHeight + 2, layout.labels);
  y += kBarHeight + 2 + kLaneHeight * lanes + kRowGap;
  return y;
}

// The legend under `y`: what the colours, the break marks and the conditions' abbreviations of
// `rows` stand for; answers where it ends.
double LayOutLegend(TimelineLayout& layout, const Axis& axis,
                    const std::vector<const TimelineRow*>& rows, double y,
                    const Entries& settings) {
  y += 12;
  double x = kMargin;
  for (const auto& [colour, meaning] :
       {std::pair{kPast, "ended"}, std::pair{kInForce, "in force"}, std::pair{kLater, "later"},
        std::pair{kNow, "the current turn"}}) {
    layout.swatches.push_back({{x, y + 1, 14, 12}, colour, -1, 0});
    layout.labels.push_back(Label(x + 18, y, meaning, kTextSize, kInk));
    x += 18 + TextWidth(meaning, kTextSize) + 24;
  }
  // Each shortened stretch by its turns, on lines of their own after the colours.
  x = kMargin;
  const double lineEnd = (std::max)(axis.Right(), 600.0);
  for (const auto& [from, last] : layout.shortened) {
    const std::string text =
        "turns " + std::to_string(from) + kEnDash + std::to_string(last) + " shortened";
    const double wide = 22 + TextWidth(text, kTextSize);
    if (x == kMargin || x + wide > lineEnd) {
      x = kMargin;
      y += 18;
    }
    // The break mark the axis carries, as the legend's swatch.
    layout.breakKeys.push_back({x, y + 1, 12, 12});
    layout.labels.push_back(Label(x + 18, y, text, kTextSize, kInk));
    x += wide + 20;
  }
  ConditionDictionary dictionary;
  SettingsEntries stored(settings);
  dictionary.LoadConditions(stored);
  std::set<std::string> used;
  for (const TimelineRow* row : rows) {
    for (const PactInterval& pact : row->pacts) {
      for (const std::string& abbreviation : ConditionsOf(pact.conditions))
        used.insert(abbreviation);
    }
  }
  y += 22;
  for (const std::string& abbreviation : used) {
    CString text;
    dictionary.Lookup(abbreviation.c_str(), text);
    layout.labels.push_back(Label(
        kMargin, y,
        abbreviation + " = " + (text.IsEmpty() ? "(not in the dictionary)" : text.GetString()),
        kTextSize, kInk));
    y += 18;
  }

  return y;
}

// Moves what `row` holds onto `page`.
void Append(TimelineLayout& page, const TimelineLayout& row) {
  const auto bars = static_cast<int>(page.bars.size());
  page.bars.insert(page.bars.end(), row.bars.begin(), row.bars.end());
  page.runs.insert(page.runs.end(), row.runs.begin(), row.runs.end());
  page.markers.insert(page.markers.end(), row.markers.begin(), row.markers.end());
  for (TimelineLabel label : row.labels) {
    if (label.bar >= 0) label.bar += bars;
    page.labels.push_back(label);
  }
}

}  // namespace

std::vector<TimelineLayout> LayOutTimeline(const std::string& key, int turn,
                                           const std::vector<TimelineRow>& rows,
                                           const Entries& settings) {
  // Turns as the store keeps them, unsigned; a pact covers its last turn up to the next one.
  const auto now = static_cast<std::uint64_t>(static_cast<DWORD>(turn));
  std::set<std::uint64_t> turns{now, now + 1};
  std::vector<TurnSpan> spans;
  for (const TimelineRow& row : rows) {
    for (const PactInterval& pact : row.pacts) {
      spans.emplace_back(pact.from, std::uint64_t{pact.to} + 1);
      turns.insert(spans.back().first);
      turns.insert(spans.back().second);
    }
  }
  double names = 60;
  for (const TimelineRow& row : rows) names = (std::max)(names, TextWidth(row.race, kTextSize));
  const double left = 2 * kMargin + names;
  const Axis axis(std::vector<std::uint64_t>(turns.begin(), turns.end()), spans, left,
                  kSvgLargest - kMargin - left);

  // Rows go on a page while the legend still fits under them; the legend of all the rows is
  // the longest any page can have.
  TimelineLayout sample;
  LayOutAxis(sample, axis, now, turn);
  std::vector<const TimelineRow*> all;
  for (const TimelineRow& row : rows) all.push_back(&row);
  const double legend = LayOutLegend(sample, axis, all, 0, settings);
  std::vector<TimelineLayout> pages(1);
  std::vector<std::vector<const TimelineRow*>> pageRows(1);
  std::vector<double> bottoms{kTop};
  LayOutAxis(pages.back(), axis, now, turn);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    TimelineLayout row;
    double next = LayOutRow(row, axis, now, rows[r], r, bottoms.back());
    if (!pageRows.back().empty() && next + legend + kMargin > kSvgLargest) {
      pages.emplace_back();
      pageRows.emplace_back();
      bottoms.push_back(kTop);
      LayOutAxis(pages.back(), axis, now, turn);
      row = TimelineLayout{};
      next = LayOutRow(row, axis, now, rows[r], r, kTop);
    }
    Append(pages.back(), row);
    pageRows.back().push_back(&rows[r]);
    bottoms.back() = next;
  }
  if (rows.empty()) {
    pages.back().labels.push_back(
        Label(axis.X(axis.Turns().front()), kTop, "No pacts on record.", kTextSize, "#606060"));
    bottoms.back() += kBarHeight + kRowGap;
  }

  for (std::size_t p = 0; p < pages.size(); ++p) {
    TimelineLayout& page = pages[p];
    page.labels.insert(page.labels.begin(),
                       Label(kMargin, 6,
                             "Pacts of " + key + ", turn " + std::to_string(turn) +
                                 (pages.size() == 1 ? ""
                                                    : ", page " + std::to_string(p + 1) + " of " +
                                                          std::to_string(pages.size())),
                             kTitleSize, kInk, true));
    const double y = LayOutLegend(page, axis, pageRows[p], bottoms[p], settings);
    page.width = axis.Right() + kMargin;
    for (const TimelineLabel& label : page.labels) {
      page.width = (std::max)(page.width, label.box.x + label.box.width + kMargin);
    }
    // A text longer than any page is cut at its edge.
    page.width = (std::min)(page.width, kSvgLargest);
    page.height = (std::min)(y + kMargin, kSvgLargest);
  }
  return pages;
}

std::string TimelineSvg(const TimelineLayout& layout, const std::string& title) {
  SvgPicture picture(layout.width, layout.height, title);
  picture.Rect(0, 0, layout.width, layout.height, "#ffffff");
  picture.Raw("<g font-family=\"DejaVu Sans, Verdana, Tahoma, Arial, sans-serif\">");
  picture.Line(layout.axis.x, layout.axis.y, layout.axis.x + layout.axis.width, layout.axis.y,
               kGrey);
  for (const double x : layout.ticks) picture.Line(x, kTickTop + 2, x, kTop - 3, kGrey);
  for (const TimelineBar& bar : layout.bars) {
    picture.Rect(bar.box.x, bar.box.y, bar.box.width, bar.box.height, bar.fill, "#ffffff");
  }
  for (const TimelineBar& swatch : layout.swatches) {
    picture.Rect(swatch.box.x, swatch.box.y, swatch.box.width, swatch.box.height, swatch.fill,
                 "none", swatch.fill == kNow ? "fill-opacity=\"0.35\"" : "");
  }
  for (const TimelineBox& run : layout.runs) {
    picture.Rect(run.x, run.y, run.width, run.height, "none", kInk,
                 "stroke-width=\"1.5\" rx=\"3\"");
  }
  for (const TimelineBox& marker : layout.markers) {
    picture.Rect(marker.x, marker.y, marker.width, marker.height, kNow, "none",
                 "fill-opacity=\"0.35\"");
  }
  std::vector<TimelineBox> marks = layout.breaks;
  marks.insert(marks.end(), layout.breakKeys.begin(), layout.breakKeys.end());
  for (const TimelineBox& stretch : marks) {
    // Two slanted strokes across the axis: turns left out.
    for (const double dx : {0.0, 6.0}) {
      picture.Line(stretch.x + dx, stretch.y + stretch.height, stretch.x + dx + 6, stretch.y, kGrey,
                   "stroke-width=\"1.5\"");
    }
  }
  for (const TimelineLabel& label : layout.labels) {
    picture.Text(label.box.x, label.box.y + label.size, label.text, label.colour,
                 "font-size=\"" + SvgNumber(label.size) + "\"" +
                     (label.bold ? " font-weight=\"bold\"" : "") + " xml:space=\"preserve\"");
  }
  picture.Raw("</g>");
  return picture.Finish();
}
