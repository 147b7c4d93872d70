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

// The axis: turns as pixels, linear between the turns where something begins or ends, at least
// kNarrowest for the shortest stretch, and a stretch too long for the picture kBroken wide.
constexpr double kMostPerTurn = 30;
constexpr double kPlotWidth = 900;
constexpr double kNarrowest = 6;
constexpr double kLongest = 240;
constexpr double kBroken = 48;

const std::string kPast = SvgColor(RGB(96, 96, 96));
const std::string kInForce = SvgColor(RGB(32, 112, 0));
const std::string kLater = SvgColor(RGB(40, 80, 160));
const std::string kNow = SvgColor(RGB(112, 0, 0));
const std::string kInk = "#000000";
const std::string kGrey = "#404040";

// The turns as x: linear within each stretch between two turns where a pact or the current
// turn begins or ends.
class Axis {
 public:
  Axis(std::vector<std::uint64_t> turns, double left) : turns_(std::move(turns)), left_(left) {
    // The scale, up to kMostPerTurn, at which the stretches drawn to scale fill kPlotWidth;
    // a stretch that would then be wider than kLongest is drawn shortened, which leaves more
    // room for the others.
    broken_.assign(turns_.size(), false);
    for (bool again = true; again;) {
      double turnsToScale = 0;
      for (std::size_t i = 1; i < turns_.size(); ++i) {
        if (!broken_[i - 1]) turnsToScale += static_cast<double>(turns_[i] - turns_[i - 1]);
      }
      perTurn_ = turnsToScale > 0 ? (std::min)(kMostPerTurn, kPlotWidth / turnsToScale) : 1;
      again = false;
      for (std::size_t i = 1; i < turns_.size(); ++i) {
        const bool broken = static_cast<double>(turns_[i] - turns_[i - 1]) * perTurn_ > kLongest;
        again = again || (broken && !broken_[i - 1]);
        broken_[i - 1] = broken_[i - 1] || broken;
      }
    }
    lefts_.assign(1, left_);
    for (std::size_t i = 1; i < turns_.size(); ++i) {
      const double wide = static_cast<double>(turns_[i] - turns_[i - 1]) * perTurn_;
      lefts_.push_back(lefts_.back() + (broken_[i - 1] ? kBroken : (std::max)(wide, kNarrowest)));
    }
  }

  double X(std::uint64_t turn) const {
    if (turn <= turns_.front()) return left_;
    const auto next = std::lower_bound(turns_.begin(), turns_.end(), turn);
    if (next == turns_.end()) return Right();
    const auto i = static_cast<std::size_t>(next - turns_.begin());
    if (*next == turn) return lefts_[i];
    const double within =
        static_cast<double>(turn - turns_[i - 1]) / static_cast<double>(turns_[i] - turns_[i - 1]);
    return lefts_[i - 1] + within * (lefts_[i] - lefts_[i - 1]);
  }
  double Right() const { return lefts_.back(); }
  double PerTurn() const { return perTurn_; }
  const std::vector<std::uint64_t>& Turns() const { return turns_; }
  bool Broken(std::size_t stretch) const { return broken_[stretch]; }

 private:
  std::vector<std::uint64_t> turns_;
  double left_;
  double perTurn_ = kMostPerTurn;
  std::vector<double> lefts_;  // of each turn in turns_
  std::vector<bool> broken_;   // of each stretch after a turn
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

TimelineLayout LayOutTimeline(const std::string& key, int turn,
                              const std::vector<TimelineRow>& rows, const Entries& settings) {
  TimelineLayout layout;
  // Turns as the store keeps them, unsigned; a pact covers its last turn up to the next one.
  const auto now = static_cast<std::uint64_t>(static_cast<DWORD>(turn));
  std::set<std::uint64_t> turns{now, now + 1};
  for (const TimelineRow& row : rows) {
    for (const PactInterval& pact : row.pacts) {
      turns.insert(pact.from);
      turns.insert(std::uint64_t{pact.to} + 1);
    }
  }
  double names = 60;
  for (const TimelineRow& row : rows) names = (std::max)(names, TextWidth(row.race, kTextSize));
  const Axis axis(std::vector<std::uint64_t>(turns.begin(), turns.end()), 2 * kMargin + names);
  layout.first = axis.Turns().front();
  layout.last = axis.Turns().back() - 1;

  layout.labels.push_back(Label(kMargin, 6, "Pacts of " + key + ", turn " + std::to_string(turn),
                                kTitleSize, kInk, true));

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
    if (!axis.Broken(i)) continue;
    ticks.push_back(axis.Turns()[i]);
    ticks.push_back(axis.Turns()[i + 1]);
    layout.breaks.push_back(
        {axis.X(axis.Turns()[i]) + kBroken / 2 - 6, kTickTop, 12, kTop - kTickTop});
  }
  const std::uint64_t step = Step(axis.PerTurn(), 60);
  for (std::size_t i = 0; i + 1 < axis.Turns().size(); ++i) {
    if (axis.Broken(i)) continue;
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

  double y = kTop;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const TimelineRow& row = rows[r];
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
  }
  if (rows.empty()) {
    layout.labels.push_back(
        Label(axis.X(layout.first), y, "No pacts on record.", kTextSize, "#606060"));
    y += kBarHeight + kRowGap;
  }

  // The legend: what the colours and the conditions' abbreviations stand for.
  y += 12;
  double x = kMargin;
  for (const auto& [colour, meaning] :
       {std::pair{kPast, "ended"}, std::pair{kInForce, "in force"}, std::pair{kLater, "later"},
        std::pair{kNow, "the current turn"}}) {
    layout.swatches.push_back({{x, y + 1, 14, 12}, colour, -1, 0});
    layout.labels.push_back(Label(x + 18, y, meaning, kTextSize, kInk));
    x += 18 + TextWidth(meaning, kTextSize) + 24;
  }
  ConditionDictionary dictionary;
  SettingsEntries stored(settings);
  dictionary.LoadConditions(stored);
  std::set<std::string> used;
  for (const TimelineRow& row : rows) {
    for (const PactInterval& pact : row.pacts) {
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

  layout.axis = {axis.X(layout.first), kTop - 3, axis.Right() - axis.X(layout.first), 0};
  layout.width = axis.Right() + kMargin;
  for (const TimelineLabel& label : layout.labels) {
    layout.width = (std::max)(layout.width, label.box.x + label.box.width + kMargin);
  }
  layout.height = y + kMargin;
  return layout;
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
  for (const TimelineBox& stretch : layout.breaks) {
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
