#include <gtest/gtest.h>

#include <stdexcept>

#include "afx_standin.h"

TEST(CString, ExtractionClampsToTheTextAsTheOriginalDoes) {
  const CString text("Vor,10,15");
  EXPECT_EQ(text.Left(3), "Vor");
  EXPECT_EQ(text.Left(-1), "");
  EXPECT_EQ(text.Left(99), "Vor,10,15");
  EXPECT_EQ(text.Mid(4), "10,15");
  EXPECT_EQ(text.Mid(4, 2), "10");
  EXPECT_EQ(text.Mid(-5, 3), "Vor");
  EXPECT_EQ(text.Mid(50), "");
  EXPECT_EQ(text.Mid(7, 99), "15");
  EXPECT_EQ(text.Right(2), "15");
  EXPECT_EQ(text.Right(99), "Vor,10,15");
}

TEST(CString, FindAnswersMinusOneWhenNothingMatches) {
  const CString text("NA/TR/NA");
  EXPECT_EQ(text.Find('/'), 2);
  EXPECT_EQ(text.Find('/', 3), 5);
  EXPECT_EQ(text.Find('/', 6), -1);
  EXPECT_EQ(text.Find("NA", 1), 6);
  EXPECT_EQ(text.Find("XX"), -1);
  EXPECT_EQ(text.Find('N', 100), -1);
  EXPECT_EQ(CString().Find(""), 0);
}

TEST(CString, TrimRemovesTheSixWhiteSpaceCharactersAtBothEnds) {
  CString text(" \t\r\n\v\fVor, 10 \f\v\n\r\t ");
  EXPECT_EQ(text.Trim(), "Vor, 10");
  CString blank(" \t ");
  EXPECT_EQ(blank.TrimLeft(), "");
  CString stars("**a*");
  EXPECT_EQ(stars.TrimLeft('*'), "a*");
  EXPECT_EQ(stars.TrimRight('*'), "a");
}

TEST(CString, FormatFollowsPrintf) {
  CString text;
  text.Format("%s,%d,%d,%s", "Vor", -2147483647 - 1, 15, "");
  EXPECT_EQ(text, "Vor,-2147483648,15,");
  text.Format("%lu", 4294967295ul);
  EXPECT_EQ(text, "4294967295");
  const CString long_text(std::string(5000, 'x').c_str());
  text.Format("%s!", long_text.GetString());
  EXPECT_EQ(text.GetLength(), 5001);
}

TEST(CString, ComparisonsAreByteWiseAndCaseSensitiveExceptCompareNoCase) {
  EXPECT_TRUE(CString("Busy") == "Busy");
  EXPECT_FALSE(CString("Busy") == "BUSY");
  EXPECT_TRUE(CString("a") != CString("A"));
  EXPECT_EQ(CString("Beta").CompareNoCase("bETA"), 0);
  EXPECT_LT(CString("Beta").CompareNoCase("gamma"), 0);
  // Bytes above 0x7F are kept and compared unsigned.
  EXPECT_LT(CString("z").Compare("\xC0"), 0);
  EXPECT_EQ(CString("\xE0").MakeUpper(), "\xE0");
  EXPECT_EQ(CString("na/tr1").MakeUpper(), "NA/TR1");
}

TEST(CString, GetAtAnswersTheTerminatorAtTheEndAndThrowsBeyond) {
  const CString text("ab");
  EXPECT_EQ(text.GetAt(1), 'b');
  EXPECT_EQ(text.GetAt(2), '\0');
  EXPECT_THROW(text.GetAt(3), std::out_of_range);
  EXPECT_THROW(text.GetAt(-1), std::out_of_range);
}

TEST(CString, ConcatenationAndNullPointers) {
  CString text(static_cast<const char*>(nullptr));
  EXPECT_TRUE(text.IsEmpty());
  text += "Alpha";
  text += '/';
  EXPECT_EQ(text + "Xar", "Alpha/Xar");
  EXPECT_EQ("@" + text, "@Alpha/");
  text.Empty();
  EXPECT_EQ(text.GetLength(), 0);
}
