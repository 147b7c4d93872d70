#include "store/pact_history.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Row {
  DWORD from;
  DWORD to;
  const char* conditions;
};

// A history holding `rows`, signed in order.
struct History : PactHistory {
  explicit History(const std::vector<Row>& rows) {
    for (const Row& row : rows) AddInterval(row.from, row.to, row.conditions);
  }
};

// The rows as "from-to conditions", joined by "; ".
std::string Rows(const PactHistory& history) {
  std::string text;
  for (INT_PTR i = 0; i < history.GetSize(); ++i) {
    const PactInterval row = history.GetInterval(i);
    if (!text.empty()) text += "; ";
    text +=
        std::to_string(row.from) + "-" + std::to_string(row.to) + " " + row.conditions.GetString();
  }
  return text;
}

std::vector<std::string> Lines(const PactHistory& history, const char* name) {
  CStringList list;
  history.WriteLines(name, list);
  std::vector<std::string> lines;
  for (POSITION position = list.GetHeadPosition(); position;)
    lines.push_back(list.GetNext(position).GetString());
  return lines;
}

}  // namespace

TEST(PactHistory, AnEmptyHistoryAnswersNoPactAndIgnoresChanges) {
  PactHistory history;
  EXPECT_EQ(history.GetPactEnd(5), 0u);
  EXPECT_EQ(history.GetLastTurn(), 0u);
  EXPECT_EQ(history.GetConditionsAt(5), "");
  history.CutAfter(5);
  history.RemoveEndedBefore(5);
  EXPECT_TRUE(Lines(history, "Vor").empty());
  history.AddInterval(10, 15, "A");
  EXPECT_EQ(Rows(history), "10-15 A");
}

TEST(PactHistory, LookupsTreatAdjoiningPactsAsOneRunButConditionsPerPact) {
  const History adjoining({{10, 15, "A"}, {16, 20, "B"}});
  EXPECT_EQ(adjoining.GetPactEnd(12), 20u);
  EXPECT_EQ(adjoining.GetPactEnd(10), 20u);
  EXPECT_EQ(adjoining.GetPactEnd(20), 20u);
  EXPECT_EQ(adjoining.GetPactEnd(21), 0u);
  EXPECT_EQ(adjoining.GetPactEnd(9), 0u);
  EXPECT_EQ(adjoining.GetConditionsAt(12), "A");
  EXPECT_EQ(adjoining.GetConditionsAt(15), "A");
  EXPECT_EQ(adjoining.GetConditionsAt(16), "B");
  EXPECT_EQ(adjoining.GetConditionsAt(21), "");
  EXPECT_EQ(adjoining.GetLastTurn(), 20u);

  const History gap({{10, 15, ""}, {17, 20, ""}, {30, 40, ""}, {41, 41, ""}});
  EXPECT_EQ(gap.GetPactEnd(12), 15u);
  EXPECT_EQ(gap.GetPactEnd(15), 15u);
  EXPECT_EQ(gap.GetPactEnd(16), 0u);
  EXPECT_EQ(gap.GetPactEnd(17), 20u);
  EXPECT_EQ(gap.GetPactEnd(29), 0u);
  EXPECT_EQ(gap.GetPactEnd(35), 41u);
  EXPECT_EQ(gap.GetPactEnd(42), 0u);
}

TEST(PactHistory, SigningMergesCutsAndInsertsByTheOverlapRules) {
  const struct {
    std::vector<Row> before;
    Row added;
    std::string after;
  } cases[] = {
      {{{10, 15, "A"}}, {16, 20, "A"}, "10-15 A; 16-20 A"},
      {{{10, 15, "A"}}, {12, 25, "A"}, "10-25 A"},
      {{{10, 15, "A"}}, {12, 13, "A"}, "10-13 A"},
      {{{10, 15, "A"}}, {8, 12, "A"}, "8-12 A"},
      {{{10, 15, "A"}}, {12, 25, "B"}, "10-11 A; 12-25 B"},
      {{{10, 15, "A"}}, {12, 13, "B"}, "10-11 A; 12-13 B"},
      {{{10, 15, "A"}}, {8, 12, "B"}, "8-12 B"},
      {{{10, 15, "A"}}, {3, 4, "B"}, "3-4 B; 10-15 A"},
      {{{10, 15, "A"}}, {9, 9, "A"}, "9-9 A; 10-15 A"},
      {{{10, 15, "A"}}, {20, 10, "B"}, "10-15 A"},
      {{{10, 15, "A"}}, {7, 7, ""}, "7-7 ; 10-15 A"},
      {{{1, 5, "A"}, {6, 10, "B"}, {11, 15, "C"}, {30, 40, "D"}},
       {3, 12, "E"},
       "1-2 A; 3-12 E; 30-40 D"},
      {{{1, 5, "A"}, {6, 10, "B"}, {11, 15, "C"}}, {3, 12, "A"}, "1-12 A"},
      {{{1, 5, "A"}, {20, 30, "B"}}, {8, 12, "C"}, "1-5 A; 8-12 C; 20-30 B"},
      {{{1, 5, "A"}, {20, 30, "B"}}, {8, 20, "C"}, "1-5 A; 8-20 C"},
      {{{0, 0, "A"}}, {0, 4294967295u, "A"}, "0-4294967295 A"},
  };
  for (const auto& c : cases) {
    History history(c.before);
    history.AddInterval(c.added.from, c.added.to, c.added.conditions);
    EXPECT_EQ(Rows(history), c.after) << "adding " << c.added.from << "-" << c.added.to << " "
                                      << c.added.conditions << " to " << Rows(History(c.before));
  }
}

TEST(PactHistory, BreakingEndsThePactAtTheTurnAndDropsLaterOnes) {
  const struct {
    DWORD turn;
    std::string after;
  } cases[] = {
      {12, "10-12 A"},          {17, "10-15 A"},          {9, ""},         {25, "10-15 A; 20-25 B"},
      {30, "10-15 A; 20-30 B"}, {40, "10-15 A; 20-30 B"}, {15, "10-15 A"}, {10, "10-10 A"},
  };
  for (const auto& c : cases) {
    History history({{10, 15, "A"}, {20, 30, "B"}});
    history.CutAfter(c.turn);
    EXPECT_EQ(Rows(history), c.after) << "cut after " << c.turn;
  }
}

TEST(PactHistory, RemovingEndedPactsKeepsAPactHoldingTheTurnWhole) {
  const struct {
    DWORD turn;
    std::string after;
  } cases[] = {{16, "16-20 B"},
               {15, "10-15 A; 16-20 B"},
               {10, "10-15 A; 16-20 B"},
               {21, ""},
               {18, "16-20 B"}};
  for (const auto& c : cases) {
    History history({{10, 15, "A"}, {16, 20, "B"}});
    history.RemoveEndedBefore(c.turn);
    EXPECT_EQ(Rows(history), c.after) << "remove ended before " << c.turn;
  }
}

TEST(PactHistory, WritesOneStoreLinePerPactWithTurnsAsSignedNumbers) {
  const History history({{10, 15, "NA/TR"}, {16, 20, ""}});
  EXPECT_EQ(Lines(history, "Xar"), (std::vector<std::string>{"Xar,10,15,NA/TR", "Xar,16,20,"}));

  CStringList list;
  list.AddTail("@Alpha/Xar");
  history.WriteLines("Xar", list);
  EXPECT_EQ(list.GetCount(), 3);

  const History high({{2147483647u, 2147483648u, "A"}, {4294967290u, 4294967295u, ""}});
  EXPECT_EQ(Lines(high, "Vor"),
            (std::vector<std::string>{"Vor,2147483647,-2147483648,A", "Vor,-6,-1,"}));
  EXPECT_EQ(high.GetPactEnd(4294967295u), 4294967295u);
  EXPECT_EQ(high.GetPactEnd(2147483648u), 2147483648u);
}

TEST(PactHistory, ALongHistorySignedInAnyOrderKeepsEveryPactInItsPlace) {
  // Pacts of three turns, five apart, signed in a scrambled order, with room made or not.
  for (const INT_PTR room : {INT_PTR{0}, INT_PTR{3}, INT_PTR{400}}) {
    PactHistory history;
    history.Reserve(room);
    std::map<DWORD, std::pair<DWORD, std::string>> expected;
    for (DWORD i = 0; i < 300; ++i) {
      const DWORD pact = (i * 7) % 300;
      const DWORD from = 10 + 5 * pact;
      const std::string conditions = pact % 3 == 0 ? "" : "C" + std::to_string(pact % 5);
      history.AddInterval(from, from + 2, conditions.c_str());
      expected[from] = {from + 2, conditions};
    }
    auto rows = [](const std::map<DWORD, std::pair<DWORD, std::string>>& pacts) {
      std::string text;
      for (const auto& [from, pact] : pacts) {
        if (!text.empty()) text += "; ";
        text += std::to_string(from) + "-" + std::to_string(pact.first) + " " + pact.second;
      }
      return text;
    };
    ASSERT_EQ(Rows(history), rows(expected)) << "room " << room;
    EXPECT_EQ(history.GetConditionsAt(10 + 5 * 7 + 1), "C2");
    EXPECT_EQ(history.GetPactEnd(10 + 5 * 299), 10u + 5 * 299 + 2);

    // Dropping from the front, cutting at the back and signing over the middle.
    history.RemoveEndedBefore(10 + 5 * 100);
    expected.erase(expected.begin(), expected.find(10 + 5 * 100));
    history.CutAfter(10 + 5 * 250 + 1);
    expected.erase(expected.upper_bound(10 + 5 * 250), expected.end());
    expected.rbegin()->second.first = 10 + 5 * 250 + 1;
    history.AddInterval(10 + 5 * 150 + 1, 10 + 5 * 160, "M");
    expected.erase(expected.upper_bound(10 + 5 * 150), expected.upper_bound(10 + 5 * 160));
    expected[10 + 5 * 150].first = 10 + 5 * 150;
    expected[10 + 5 * 150 + 1] = {10 + 5 * 160, "M"};
    EXPECT_EQ(Rows(history), rows(expected)) << "room " << room;
  }
}

TEST(PactHistory, HistoriesMadeAndDroppedInAnyOrderKeepTheirOwnPacts) {
  // Many histories, dropped out of order and made again.
  std::vector<std::unique_ptr<PactHistory>> histories(3000);
  for (int round = 0; round < 2; ++round) {
    for (std::size_t i = 0; i < histories.size(); ++i) {
      if (histories[i]) continue;
      histories[i] = std::make_unique<PactHistory>();
      histories[i]->AddInterval(static_cast<DWORD>(i), static_cast<DWORD>(i) + 1, "A");
    }
    for (std::size_t i = 0; i < histories.size(); i += 1 + i % 3) histories[i].reset();
  }
  for (std::size_t i = 0; i < histories.size(); ++i) {
    if (!histories[i]) continue;
    ASSERT_EQ(histories[i]->GetPactEnd(static_cast<DWORD>(i)), i + 1) << i;
  }
  // A class of its own size, derived from the history, is made and dropped as well.
  struct Named : PactHistory {
    std::string name = "Vor";
  };
  std::unique_ptr<PactHistory> named = std::make_unique<Named>();
  named->AddInterval(1, 2, "B");
  EXPECT_EQ(named->GetConditionsAt(1), "B");
}

TEST(PactHistory, IsAllocatedByTheFrameworksFormsAndReportsMissingMemoryAsTheFrameworkDoes) {
  std::unique_ptr<PactHistory> traced(new (__FILE__, __LINE__) PactHistory);
  traced->AddInterval(3, 4, "NA");
  EXPECT_EQ(traced->GetPactEnd(3), 4u);
#ifndef __SANITIZE_ADDRESS__  // which ends the program at an allocation this large
  CMemoryException* caught = nullptr;
  try {
    PactHistory::operator new((std::numeric_limits<std::size_t>::max)());
  } catch (CMemoryException* error) {
    caught = error;
    error->Delete();
  }
  EXPECT_NE(caught, nullptr);
#endif
}
