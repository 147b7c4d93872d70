#include <gtest/gtest.h>

#include <climits>
#include <cstring>
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

static_assert(sizeof(CString) == sizeof(void*), "a string is one pointer, as in the original");

TEST(CString, CopiesShareOneBufferUntilOneOfThemIsWritten) {
  const CString original("Alpha/Xar");
  const CString copied(original);
  CString assigned;
  assigned = copied;
  EXPECT_EQ(copied.GetString(), original.GetString());
  EXPECT_EQ(assigned.GetString(), original.GetString());
  // A part that is the whole text, and a trim that finds nothing, are the same buffer.
  EXPECT_EQ(original.Left(50).GetString(), original.GetString());
  EXPECT_EQ(original.Mid(0).GetString(), original.GetString());
  EXPECT_EQ(original.Right(9).GetString(), original.GetString());
  CString trimmed(original);
  trimmed.Trim();
  EXPECT_EQ(trimmed.GetString(), original.GetString());
  // A string made from characters has a buffer of its own, however equal the text.
  EXPECT_NE(CString("Alpha/Xar").GetString(), original.GetString());
  EXPECT_NE(original.Left(5).GetString(), original.GetString());
}

TEST(CString, EachWriteThroughOneCopyLeavesTheOtherCopiesAsTheyWere) {
  struct Case {
    const char* write;
    void (*apply)(CString&);
    const char* expected;
  };
  const Case cases[] = {
      {"SetAt", [](CString& s) { s.SetAt(0, 'a'); }, "alpha/Xar"},
      {"+= text", [](CString& s) { s += "/1"; }, "Alpha/Xar/1"},
      {"+= char", [](CString& s) { s += '!'; }, "Alpha/Xar!"},
      {"Empty", [](CString& s) { s.Empty(); }, ""},
      {"assign text", [](CString& s) { s = "Beta"; }, "Beta"},
      {"SetString", [](CString& s) { s.SetString("Kel,1", 3); }, "Kel"},
      {"Format", [](CString& s) { s.Format("%d", 12); }, "12"},
      {"MakeUpper", [](CString& s) { s.MakeUpper(); }, "ALPHA/XAR"},
      {"TrimRight", [](CString& s) { s.TrimRight('r'); }, "Alpha/Xa"},
      {"TrimLeft", [](CString& s) { s.TrimLeft('A'); }, "lpha/Xar"},
      {"Truncate", [](CString& s) { s.Truncate(5); }, "Alpha"},
      {"GetBuffer",
       [](CString& s) {
         s.GetBuffer()[0] = 'B';
         s.ReleaseBuffer();
       },
       "Blpha/Xar"},
      {"GetBuffer(n)",
       [](CString& s) {
         std::strcpy(s.GetBuffer(20) + 9, "/Vor");
         s.ReleaseBuffer();
       },
       "Alpha/Xar/Vor"},
      {"GetBufferSetLength",
       [](CString& s) {
         s.GetBufferSetLength(2)[1] = '-';
         s.ReleaseBuffer(2);
       },
       "A-"},
      {"Preallocate", [](CString& s) { s.Preallocate(100); }, "Alpha/Xar"},
      {"LockBuffer", [](CString& s) { s.LockBuffer()[5] = '|'; }, "Alpha|Xar"},
  };
  for (const Case& c : cases) {
    const CString original("Alpha/Xar");
    CString copy(original);
    CString other(original);
    c.apply(copy);
    EXPECT_EQ(copy, c.expected) << c.write;
    EXPECT_EQ(original, "Alpha/Xar") << c.write;
    EXPECT_NE(copy.GetString(), original.GetString()) << c.write;
    EXPECT_EQ(other.GetString(), original.GetString()) << c.write << ": the others still share";
  }
}

TEST(CString, ALockedBufferIsNeverSharedUntilItIsUnlocked) {
  CString locked("Alpha");
  char* chars = locked.LockBuffer();
  const CString copied(locked);
  EXPECT_NE(copied.GetString(), chars);
  CString assigned;
  assigned = locked;
  EXPECT_NE(assigned.GetString(), chars);
  chars[0] = 'a';
  EXPECT_EQ(copied, "Alpha");
  EXPECT_EQ(assigned, "Alpha");

  // Assigned to, the locked string keeps its buffer and takes the characters; emptied, too.
  const CString beta("Beta");
  locked = beta;
  EXPECT_EQ(locked.GetString(), chars);
  EXPECT_EQ(locked, "Beta");
  locked.Empty();
  EXPECT_EQ(locked.GetString(), chars);

  locked = "Gamma";
  locked.UnlockBuffer();
  const CString shared(locked);
  EXPECT_EQ(shared.GetString(), locked.GetString());

  // More room than the buffer has gives a new buffer, and with it the lock goes.
  CString grown("Kel");
  grown.LockBuffer();
  grown.GetBuffer(grown.GetAllocLength() + 1);
  grown.ReleaseBuffer();
  const CString again(grown);
  EXPECT_EQ(again.GetString(), grown.GetString());
}

TEST(CString, ReleaseBufferTakesTheGivenLengthOrRunsToTheFirstZero) {
  CString text;
  char* chars = text.GetBuffer(10);
  EXPECT_GE(text.GetAllocLength(), 10);
  std::memcpy(chars, "Vor\0Lum", 8);
  text.ReleaseBuffer();
  EXPECT_EQ(text.GetLength(), 3);
  text.GetBuffer(10);
  text.ReleaseBuffer(7);
  EXPECT_EQ(text.GetLength(), 7);
  EXPECT_EQ(text.Find("Lum"), 4);
  EXPECT_THROW(text.ReleaseBuffer(text.GetAllocLength() + 1), std::out_of_range);

  // Preallocated room takes what is appended without a new buffer.
  CString key;
  key.Preallocate(40);
  const char* room = key.GetString();
  key += "Alpha";
  key += '/';
  key += CString("Xar");
  EXPECT_EQ(key.GetString(), room);
  EXPECT_EQ(key, "Alpha/Xar");
  EXPECT_THROW(key.SetAt(9, 'x'), std::out_of_range);
  // Room beyond what a length can count is memory that cannot be had.
  EXPECT_THROW(key.GetBuffer(INT_MAX), CMemoryException*);
  EXPECT_EQ(key, "Alpha/Xar");
}

TEST(CString, WritesWhoseSourceLiesInTheSameStringReadItBeforeItMoves) {
  CString text("NA/TR");
  text += text;
  EXPECT_EQ(text, "NA/TRNA/TR");
  text.SetString(text.GetString() + 3, 4);
  EXPECT_EQ(text, "TRNA");
  text.FreeExtra();
  text.Append(text.GetString(), text.GetLength());
  EXPECT_EQ(text, "TRNATRNA");
  text.Format("%s,%s", text.GetString(), text.Left(2).GetString());
  EXPECT_EQ(text, "TRNATRNA,TR");
}
