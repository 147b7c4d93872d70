// Strings, arrays, lists and files beyond their quick paths: long texts, arrays that grow many
// times, lists whose nodes are reused, and the file calls a test can make fail.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "afx_faults.h"
#include "afx_standin.h"
#include "support/temp_dir.h"

// Formats with CString::Format and with snprintf; the format stays a literal, so that the
// compiler checks the arguments of both.
#define EXPECT_FORMATS_AS_SNPRINTF(...)                              \
  do {                                                               \
    char expected[1024];                                             \
    std::snprintf(expected, sizeof expected, __VA_ARGS__);           \
    CString text;                                                    \
    text.Format(__VA_ARGS__);                                        \
    EXPECT_EQ(std::string(text.GetString()), std::string(expected)); \
  } while (false)

TEST(CString, FormatGivesWhatSnprintfGivesOnBothSidesOfItsQuickPath) {
  const std::string longText(300, 'x');
  const std::string justFits(255, 'y');
  const char* volatile nothing = nullptr;
  EXPECT_FORMATS_AS_SNPRINTF("%s,%d,%d,%s", "Vor", -2147483647 - 1, 2147483647, "");
  EXPECT_FORMATS_AS_SNPRINTF("Pact(%d)", 0);
  EXPECT_FORMATS_AS_SNPRINTF("Parameter.%lu and %u", 4294967295ul, 7u);
  EXPECT_FORMATS_AS_SNPRINTF("100%% of %s", "Vor");
  EXPECT_FORMATS_AS_SNPRINTF("[%s]", nothing);
  EXPECT_FORMATS_AS_SNPRINTF("%s|%d", longText.c_str(), -5);
  EXPECT_FORMATS_AS_SNPRINTF("%s", justFits.c_str());
  EXPECT_FORMATS_AS_SNPRINTF("%s.", justFits.c_str());
  EXPECT_FORMATS_AS_SNPRINTF("%5d|%-3s|%x|%ld|%c", 42, "a", 255, -9l, 'z');
  EXPECT_FORMATS_AS_SNPRINTF("no conversions at all");

  CString self("Vor");
  self.Format("%s,%s", self.GetString(), self.GetString());
  EXPECT_EQ(self, "Vor,Vor") << "the arguments may be the string's own text";
  CString longSelf(longText.c_str());
  longSelf.Format("%s%s%c", longSelf.GetString(), longSelf.GetString(), '!');
  EXPECT_EQ(longSelf, (longText + longText + "!").c_str()) << "also beyond the quick path";
}

TEST(CStringArray, GrowingOneElementAtATimeKeepsEveryElementEvenOneTakenFromItself) {
  CStringArray array;
  CDWordArray turns;
  for (int i = 0; i < 1000; ++i) {
    CString text;
    text.Format("element %d with a text too long for the string itself", i);
    if (i % 3 == 0) {
      array.Add(text);
    } else {
      array.InsertAt(array.GetSize() / 2, text);
    }
    turns.InsertAt(0, static_cast<DWORD>(i));
    // The array's own first element, copied in while the array has to move its elements.
    if (array.GetSize() % 7 == 0) array.Add(array[0]);
  }
  EXPECT_EQ(turns.GetSize(), 1000);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(turns[i], static_cast<DWORD>(999 - i));
  int copies = 0;
  for (INT_PTR i = 0; i < array.GetSize(); ++i) {
    ASSERT_EQ(array[i].Find("element "), 0) << "element " << i << " is " << array[i].GetString();
    if (array[i] == array[0]) ++copies;
  }
  EXPECT_GT(copies, 1);

  CStringArray keys;
  keys.SetSize(0, 10);
  for (int i = 0; i < 25; ++i) keys.Add(keys.IsEmpty() ? CString("first") : keys[i - 1] + "+");
  EXPECT_EQ(keys[24], CString("first") + CString('+', 24));
}

TEST(CStringList, AListEmptiedAndRefilledHoldsOnlyItsNewTexts) {
  CStringList list;
  for (int round = 0; round < 3; ++round) {
    const int count = round == 1 ? 6 : 100;  // even: the last head and the last tail
    for (int i = 0; i < count; ++i) {
      CString text;
      text.Format("round %d line %d of a list longer than one block", round, i);
      if (i % 2) {
        list.AddTail(text);
      } else {
        list.AddHead(text);
      }
    }
    ASSERT_EQ(list.GetCount(), count);
    std::vector<std::string> texts;
    for (POSITION position = list.GetHeadPosition(); position;) {
      texts.emplace_back(list.GetNext(position).GetString());
    }
    ASSERT_EQ(texts.size(), static_cast<std::size_t>(count));
    EXPECT_EQ(texts.front(), "round " + std::to_string(round) + " line " +
                                 std::to_string(count - 2) + " of a list longer than one block");
    EXPECT_EQ(texts.back(), "round " + std::to_string(round) + " line " +
                                std::to_string(count - 1) + " of a list longer than one block");
    list.RemoveAll();
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
  }
  list.AddTail(static_cast<const char*>(nullptr));
  POSITION head = list.GetHeadPosition();
  EXPECT_EQ(list.GetNext(head), "") << "a null text is empty";
}

TEST(CStdioFile, LongLinesAndManyLineFeedsSurviveTheRoundTripAndAZeroByteEndsALine) {
  TempDir dir;
  const std::string longLine(100000, 'x');
  {
    CStdioFile file;
    ASSERT_TRUE(file.Open(dir.File("a.txt").c_str(),
                          CFile::modeCreate | CFile::modeWrite | CFile::typeText));
    file.WriteString(longLine.c_str());
    file.WriteString("\n\nsecond\nthird\n");
    file.WriteString("");
    file.WriteString(nullptr);
    file.WriteString("no line feed");
    file.Close();
  }
  EXPECT_EQ(dir.Read("a.txt"), longLine + "\r\n\r\nsecond\r\nthird\r\nno line feed");

  dir.Write("b.txt", std::string("a\0b\r\n", 5) + longLine + "\r\r\n" + "tail\r");
  CStdioFile file;
  ASSERT_TRUE(file.Open(dir.File("b.txt").c_str(), CFile::modeRead | CFile::typeText));
  CString line;
  ASSERT_TRUE(file.ReadString(line));
  EXPECT_EQ(line.GetLength(), 1) << "a zero byte ends the line's text";
  EXPECT_EQ(line, "a");
  ASSERT_TRUE(file.ReadString(line));
  EXPECT_EQ(std::string(line.GetString()), longLine + "\r") << "one carriage return is taken";
  ASSERT_TRUE(file.ReadString(line));
  EXPECT_EQ(line, "tail\r") << "the last line has no line feed to end it";
  EXPECT_FALSE(file.ReadString(line));

  // Lines whose ends straddle the 64 KiB blocks the file is read in.
  const std::string straddling =
      std::string(65535, 's') + "\r\n" + std::string(65534, 't') + "\r\nu\r\n";
  dir.Write("c.txt", straddling);
  CStdioFile blocks;
  ASSERT_TRUE(blocks.Open(dir.File("c.txt").c_str(), CFile::modeRead | CFile::typeText));
  ASSERT_TRUE(blocks.ReadString(line));
  EXPECT_EQ(std::string(line.GetString()), std::string(65535, 's'));
  ASSERT_TRUE(blocks.ReadString(line));
  EXPECT_EQ(std::string(line.GetString()), std::string(65534, 't'));
  ASSERT_TRUE(blocks.ReadString(line));
  EXPECT_EQ(line, "u");
  EXPECT_FALSE(blocks.ReadString(line));
}

TEST(FileFaults, EachInjectedCallFailsOnceAsTheSystemWouldFailIt) {
  using afx_faults::FileCall;
  TempDir dir;
  const std::string path = dir.File("a.txt");
  const UINT create = CFile::modeCreate | CFile::modeWrite | CFile::typeText;
  auto throwsWith = [](auto call, int cause) {
    try {
      call();
    } catch (CFileException* error) {
      const int thrown = error->m_cause;
      error->Delete();
      return thrown == cause;
    }
    return false;
  };

  afx_faults::ClearFileFaults();
  CStdioFile file;
  CFileException error;
  afx_faults::FailFileCall(FileCall::open);
  EXPECT_FALSE(file.Open(path.c_str(), create, &error));
  EXPECT_EQ(error.m_cause, CFileException::accessDenied);
  EXPECT_FALSE(dir.Exists("a.txt"));
  ASSERT_TRUE(file.Open(path.c_str(), create)) << "only the one call fails";

  afx_faults::FailFileCall(FileCall::write, 2);
  file.WriteString("one\n");
  EXPECT_TRUE(throwsWith([&] { file.WriteString("two\n"); }, CFileException::diskFull));
  file.WriteString("three\n");
  EXPECT_EQ(afx_faults::FileCallCount(FileCall::write), 3);

  afx_faults::FailFileCall(FileCall::flush);
  EXPECT_TRUE(throwsWith([&] { file.Flush(); }, CFileException::diskFull));
  afx_faults::FailFileCall(FileCall::sync);
  EXPECT_TRUE(throwsWith([&] { file.Flush(); }, CFileException::hardIO));
  EXPECT_EQ(dir.Read("a.txt"), "one\r\nthree\r\n") << "the flush before the sync went through";
  afx_faults::FailFileCall(FileCall::close);
  EXPECT_TRUE(throwsWith([&] { file.Close(); }, CFileException::diskFull));
  file.Close();  // closed already: nothing left to fail

#ifndef _WIN32  // Windows' own MoveFileExA moves files there
  dir.Write("b.txt", "b");
  afx_faults::FailFileCall(FileCall::rename);
  EXPECT_FALSE(MoveFileExA(path.c_str(), dir.File("b.txt").c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(dir.Read("b.txt"), "b");
  EXPECT_TRUE(MoveFileExA(path.c_str(), dir.File("b.txt").c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(dir.Read("b.txt"), "one\r\nthree\r\n");
  EXPECT_EQ(afx_faults::FileCallCount(FileCall::rename), 2);
#endif

  afx_faults::ClearFileFaults();
  EXPECT_EQ(afx_faults::FileCallCount(FileCall::open), 0);
}
