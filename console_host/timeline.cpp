#include "timeline.h"

#include <algorithm>
#include <set>

#include "store/owned_map.h"
#include "store/pact_store.h"
#include "svg.h"

namespace {

constexpr double kLeft = 130;  // the race names' column
constexpr double kTop = 64;    // title and turn axis
constexpr double kRowHeight = 34;
constexpr double kBarHeight = 18;
constexpr int kMostTurns = 120;  // turns beyond this are drawn as an arrow
constexpr const char* kFont = "font-family=\"Tahoma, Arial, sans-serif\" font-size=\"12\"";

const std::string kPast = SvgColor(RGB(96, 96, 96));
const std::string kInForce = SvgColor(RGB(32, 112, 0));
const std::string kLater = SvgColor(RGB(40, 80, 160));
const std::string kNow = SvgColor(RGB(112, 0, 0));

// The conditions dictionary the plug-in keeps in the client's settings store.
void LoadDictionary(const Entries& settings, ConditionDictionary& dictionary) {
  const auto count = settings.find("Trucelog\\Conditions");
  if (count == settings.end()) return;
  const int entries = std::atoi(count->second.c_str());
  for (int i = 0; i < entries && i < 10000; ++i) {
    const std::string key = "Trucelog\\Conditions\\" + std::to_string(i);
    const auto abbreviation = settings.find(key);
    const auto text = settings.find(key + "\\string");
    if (abbreviation != settings.end() && text != settings.end()) {
      dictionary.AddCondition(abbreviation->second.c_str(), text->second.c_str());
    }
  }
}

}  // namespace

std::vector<TimelineRow> ReadTimeline(const std::string& path, const std::string& key) {
  PactStore store;
  store.Load(path.c_str());
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

std::string TimelineSvg(const std::string& key, int turn, const std::vector<TimelineRow>& rows,
                        const Entries& settings) {
  // Turns as the store keeps them, unsigned; the axis spans the pacts and the current turn.
  const auto now = static_cast<DWORD>(turn);
  DWORD first = now, last = now;
  for (const TimelineRow& row : rows) {
    for (const PactInterval& pact : row.pacts) {
      first = (std::min)(first, pact.from);
      last = (std::max)(last, pact.to);
    }
  }
  if (first > 0) --first;
  last = last - first >= static_cast<DWORD>(kMostTurns) ? first + kMostTurns : last + 1;
  const double span = static_cast<double>(last - first);
  const double perTurn = std::clamp(640.0 / (span > 0 ? span : 1), 4.0, 36.0);
  const double plotWidth = perTurn * span;
  const auto at = [&](DWORD t) {
    return kLeft + perTurn * static_cast<double>(std::clamp(t, first, last) - first);
  };
  // The turn after `t`, where a bar that covers `t` ends.
  const auto after = [](DWORD t) { return t == 0xFFFFFFFF ? t : t + 1; };

  ConditionDictionary dictionary;
  LoadDictionary(settings, dictionary);
  std::set<std::string> used;
  for (const TimelineRow& row : rows) {
    for (const PactInterval& pact : row.pacts) {
      CString rest = pact.conditions;
      while (!rest.IsEmpty()) {
        const int slash = rest.Find('/');
        used.insert((slash < 0 ? rest : rest.Left(slash)).GetString());
        rest = slash < 0 ? CString() : rest.Mid(slash + 1);
      }
    }
  }

  const double rowsBottom =
      kTop + kRowHeight * static_cast<double>((std::max)(rows.size(), std::size_t{1}));
  const double legendTop = rowsBottom + 28;
  const double height = legendTop + 22 + 18 * static_cast<double>(used.size()) + 10;
  const double width = kLeft + plotWidth + 90;
  const std::string title = "Pacts of " + key + " up to turn " + std::to_string(last);
  SvgPicture picture(width, height, title);
  picture.Rect(0, 0, width, height, "#ffffff");
  picture.Raw("<g " + std::string(kFont) + ">");
  picture.Text(10, 20, "Pacts of " + key + ", turn " + std::to_string(turn), "#000000",
               "font-size=\"15\" font-weight=\"bold\"");

  // The axis: a tick every few turns, so that labels never crowd.
  const DWORD step = perTurn >= 20 ? 1 : perTurn >= 8 ? 5 : 10;
  for (DWORD t = first; t <= last; ++t) {
    if (t % step != 0) continue;
    picture.Line(at(t), kTop - 6, at(t), rowsBottom, "#e0e0e0");
    picture.Text(at(t), kTop - 10, std::to_string(t), "#606060",
                 "text-anchor=\"middle\" font-size=\"10\"");
  }

  double y = kTop;
  for (const TimelineRow& row : rows) {
    picture.Text(10, y + kBarHeight - 4, row.race, "#000000");
    for (std::size_t i = 0; i < row.pacts.size();) {
      // One run: pacts that adjoin, each beginning on the turn after the one before ends.
      std::size_t end = i + 1;
      while (end < row.pacts.size() && row.pacts[end].from == after(row.pacts[end - 1].to)) ++end;
      std::string outside;
      for (std::size_t p = i; p < end; ++p) {
        const PactInterval& pact = row.pacts[p];
        const std::string fill = pact.to < now ? kPast : pact.from > now ? kLater : kInForce;
        const double x1 = at(pact.from), x2 = at(after(pact.to));
        picture.Rect(x1, y, (std::max)(x2 - x1, 2.0), kBarHeight, fill, "#ffffff");
        if (!pact.conditions.IsEmpty()) {
          // Conditions too long for their segment go beside the run, in ink.
          const double wide = 7.0 * pact.conditions.GetLength();
          if (wide <= x2 - x1 - 4) {
            picture.Text((x1 + x2) / 2, y + kBarHeight - 5, pact.conditions.GetString(), "#ffffff",
                         "text-anchor=\"middle\" font-size=\"11\"");
          } else {
            outside += (outside.empty() ? "" : ", ") + std::string(pact.conditions.GetString());
          }
        }
      }
      const PactInterval& head = row.pacts[i];
      const PactInterval& tail = row.pacts[end - 1];
      if (!outside.empty()) {
        picture.Text(at(after(tail.to)) + 5, y + kBarHeight - 5, outside, "#000000",
                     "font-size=\"11\"");
      }
      picture.Rect(at(head.from), y, at(after(tail.to)) - at(head.from), kBarHeight, "none",
                   "#000000", "stroke-width=\"1.5\" rx=\"3\"");
      picture.Text(at(head.from), y + kBarHeight + 11, std::to_string(head.from), "#404040",
                   "font-size=\"10\"");
      const bool beyond = tail.to >= last;
      picture.Text(at(after(tail.to)), y + kBarHeight + 11,
                   std::to_string(tail.to) + (beyond ? " >" : ""), "#404040",
                   "font-size=\"10\" text-anchor=\"end\"");
      i = end;
    }
    y += kRowHeight;
  }
  if (rows.empty()) picture.Text(kLeft, kTop + 14, "No pacts on record.", "#606060");

  // The current turn: the whole column of the turn.
  picture.Rect(at(now), kTop - 4, perTurn, rowsBottom - kTop + 4, kNow, "none",
               "fill-opacity=\"0.15\"");
  picture.Line(at(now), kTop - 4, at(now), rowsBottom, kNow, "stroke-width=\"2\"");
  picture.Text(at(now), rowsBottom + 14, "turn " + std::to_string(turn), kNow,
               "text-anchor=\"middle\" font-weight=\"bold\"");

  // The legend: what the colours and the conditions' abbreviations stand for.
  double x = 10;
  for (const auto& [colour, label] :
       {std::pair{kPast, "ended"}, std::pair{kInForce, "in force"}, std::pair{kLater, "later"}}) {
    picture.Rect(x, legendTop, 14, 12, colour);
    picture.Text(x + 18, legendTop + 10, label, "#000000");
    x += 90;
  }
  double legendY = legendTop + 22;
  for (const std::string& abbreviation : used) {
    CString text;
    dictionary.Lookup(abbreviation.c_str(), text);
    picture.Text(
        10, legendY + 10,
        abbreviation + " = " + (text.IsEmpty() ? "(not in the dictionary)" : text.GetString()),
        "#000000");
    legendY += 18;
  }
  picture.Raw("</g>");
  return picture.Finish();
}
