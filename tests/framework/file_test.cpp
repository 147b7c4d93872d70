#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

#include "afx.h"
#include "afx_faults.h"
#include "support/temp_dir.h"

namespace {

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  CStdioFile file;
  if (!file.Open(path.c_str(), CFile::modeRead | CFile::typeText)) return lines;
  CString line;
  while (file.ReadString(line)) lines.emplace_back(line.GetString(), line.GetLength());
  return lines;
}

}  // namespace

TEST(CStdioFile, TextModeWritesCrLfAndReadsCrLfOrLfAsLineEnds) {
  TempDir dir;
  CStdioFile file;
  ASSERT_TRUE(
      file.Open(dir.File("a.txt").c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText));
  file.WriteString("@Alpha/Xar\nVor,1,2,\xA7\n\n");
  file.Close();
  EXPECT_EQ(dir.Read("a.txt"), "@Alpha/Xar\r\nVor,1,2,\xA7\r\n\r\n");
  EXPECT_EQ(ReadLines(dir.File("a.txt")),
            (std::vector<std::string>{"@Alpha/Xar", "Vor,1,2,\xA7", ""}));

  dir.Write("b.txt", "one\ntwo\r\nthree\rstill three\r\r\nlast");
  EXPECT_EQ(ReadLines(dir.File("b.txt")),
            (std::vector<std::string>{"one", "two", "three\rstill three\r", "last"}));
  dir.Write("empty.txt", "");
  EXPECT_TRUE(ReadLines(dir.File("empty.txt")).empty());
}

TEST(CStdioFile, OpeningFailsQuietlyAndCreatingTruncates) {
  TempDir dir;
  CStdioFile file;
  CFileException error;
  EXPECT_FALSE(
      file.Open(dir.File("missing.txt").c_str(), CFile::modeRead | CFile::typeText, &error));
  EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
  EXPECT_FALSE(
      file.Open(dir.File("no/such/dir/x.txt").c_str(), CFile::modeCreate | CFile::modeWrite));
  EXPECT_FALSE(file.Open(dir.Path().c_str(), CFile::modeRead | CFile::typeText)) << "a directory";

  dir.Write("old.txt", "a long old content\n");
  ASSERT_TRUE(file.Open(dir.File("old.txt").c_str(),
                        CFile::modeCreate | CFile::modeWrite | CFile::typeText));
  file.WriteString("new");
  file.Close();
  EXPECT_EQ(dir.Read("old.txt"), "new");
}

TEST(CStdioFile, BackslashesInPathsAreSeparators) {
  TempDir dir;
  dir.Write("PLUGINS/x.ini", "line\r\n");
  const std::string windowsPath = dir.Path().string() + "\\PLUGINS\\x.ini";
  EXPECT_EQ(ReadLines(windowsPath), (std::vector<std::string>{"line"}));
  EXPECT_TRUE(
      MoveFileExA(windowsPath.c_str(), (dir.Path().string() + "\\PLUGINS\\y.ini").c_str(), 0));
  EXPECT_TRUE(dir.Exists("PLUGINS/y.ini"));
  EXPECT_TRUE(DeleteFileA((dir.Path().string() + "\\PLUGINS\\y.ini").c_str()));
  EXPECT_FALSE(dir.Exists("PLUGINS/y.ini"));
}

TEST(CStdioFile, InjectedFaultsThrowAFileExceptionAfterThePartThatFits) {
  TempDir dir;
  CStdioFile file;
  ASSERT_TRUE(
      file.Open(dir.File("a.txt").c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText));
  afx_faults::FailFileIoAfter(5);
  file.WriteString("abc");
  try {
    file.WriteString("def\n");
    FAIL() << "the write past the fault should throw";
  } catch (CFileException* error) {
    EXPECT_EQ(error->m_cause, CFileException::diskFull);
    error->Delete();
  }
  afx_faults::ClearFileFaults();
  file.Close();
  EXPECT_EQ(dir.Read("a.txt"), "abcde");
}

TEST(MoveFileExA, ReplacesOnlyWhenAsked) {
  TempDir dir;
  dir.Write("new", "new");
  dir.Write("old", "old");
  EXPECT_FALSE(MoveFileExA(dir.File("new").c_str(), dir.File("old").c_str(), 0));
  EXPECT_EQ(dir.Read("old"), "old");
  EXPECT_TRUE(MoveFileExA(dir.File("new").c_str(), dir.File("old").c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
  EXPECT_EQ(dir.Read("old"), "new");
  EXPECT_FALSE(dir.Exists("new"));
}

TEST(GetCurrentDirectoryA, AnswersTheSizeNeededWhenTheBufferIsTooSmall) {
  TempDir dir;
  ASSERT_EQ(chdir(dir.Path().c_str()), 0);
  const std::string expected = std::filesystem::current_path().string();
  const DWORD length = static_cast<DWORD>(expected.size());

  std::vector<char> exact(length);
  EXPECT_EQ(GetCurrentDirectoryA(length, exact.data()), length + 1) << "no room for the terminator";
  std::vector<char> enough(length + 1, 'x');
  EXPECT_EQ(GetCurrentDirectoryA(length + 1, enough.data()), length);
  EXPECT_EQ(std::string(enough.data()), expected);
  EXPECT_EQ(GetCurrentDirectoryA(0, nullptr), length + 1);
}
