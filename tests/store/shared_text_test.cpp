#include "store/shared_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

TEST(SharedText, EqualTextsShareOneCopyAndTheEmptyTextNone) {
  const SharedText first(CString("NA/TR"));
  const SharedText second(CString("NA/") + "TR");
  const SharedText other(CString("NA"));
  EXPECT_TRUE(first == second);
  EXPECT_EQ(&first.GetText(), &second.GetText());
  EXPECT_FALSE(first == other);
  EXPECT_EQ(first.GetText(), "NA/TR");
  EXPECT_EQ(other.GetText(), "NA");

  const SharedText empty(CString(""));
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_TRUE(empty == SharedText());
  EXPECT_EQ(empty.GetText(), "");
  EXPECT_FALSE(first.IsEmpty());
  // Bytes past a zero byte count: the texts differ.
  EXPECT_FALSE(SharedText(CString("A\0B", 3)) == SharedText(CString("A\0C", 3)));
}

TEST(SharedText, ATextLivesAsLongAsAnyHolderWhateverOrderTheyGoIn) {
  SharedText kept;
  {
    SharedText made(CString("OB"));
    SharedText copied(made);
    kept = copied;
    SharedText moved(std::move(made));
    EXPECT_TRUE(made.IsEmpty());
    EXPECT_TRUE(moved == kept);
  }
  EXPECT_EQ(kept.GetText(), "OB");
  const SharedText& same = kept;
  kept = same;
  EXPECT_EQ(kept.GetText(), "OB");
  kept = SharedText();
  EXPECT_TRUE(kept.IsEmpty());
  // Made again after the last holder went, the text is whole.
  EXPECT_EQ(SharedText(CString("OB")).GetText(), "OB");
}

TEST(SharedText, ManyTextsStayApartAndComeBackAfterAllWentAway) {
  for (int round = 0; round < 2; ++round) {
    std::vector<SharedText> texts;
    for (int i = 0; i < 5000; ++i) texts.emplace_back(CString(std::to_string(i).c_str()));
    std::vector<SharedText> again;
    for (int i = 0; i < 5000; ++i) again.emplace_back(CString(std::to_string(i).c_str()));
    for (int i = 0; i < 5000; ++i) {
      ASSERT_EQ(texts[i].GetText(), std::to_string(i).c_str());
      ASSERT_TRUE(texts[i] == again[i]);
      ASSERT_FALSE(i > 0 && texts[i] == texts[i - 1]);
    }
  }
}
