#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "afx_faults.h"
#include "afx_standin.h"
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
  EXPECT_FALSE(file.Open(dir.Path().string().c_str(), CFile::modeRead | CFile::typeText))
      << "a directory";

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
  std::filesystem::current_path(dir.Path());
  const std::string expected = std::filesystem::current_path().string();
  const DWORD length = static_cast<DWORD>(expected.size());

  std::vector<char> exact(length);
  EXPECT_EQ(GetCurrentDirectoryA(length, exact.data()), length + 1) << "no room for the terminator";
  std::vector<char> enough(length + 1, 'x');
  EXPECT_EQ(GetCurrentDirectoryA(length + 1, enough.data()), length);
  EXPECT_EQ(std::string(enough.data()), expected);
  EXPECT_EQ(GetCurrentDirectoryA(0, nullptr), length + 1);
}

TEST(CStdioFile, TextModeEndsTheFileAtCtrlZWhereBinaryModeReadsOn) {
  TempDir dir;
  dir.Write("z.txt", "one\r\ntwo\x1Athree\r\nfour\r\n");
  EXPECT_EQ(ReadLines(dir.File("z.txt")), (std::vector<std::string>{"one", "two"}));
  dir.Write("first.txt",
            "\x1A"
            "after\r\n");
  EXPECT_TRUE(ReadLines(dir.File("first.txt")).empty());
  dir.Write("line.txt", "one\r\n\x1A\r\n");
  EXPECT_EQ(ReadLines(dir.File("line.txt")), (std::vector<std::string>{"one"}));
  // Far into the file, past the first 64 KiB read, and in a line that spans two reads.
  const std::string longLine(70000, 'x');
  dir.Write("far.txt", longLine + "\r\n" + longLine + "\x1A" + "after\r\n");
  EXPECT_EQ(ReadLines(dir.File("far.txt")), (std::vector<std::string>{longLine, longLine}));

  CStdioFile file;
  ASSERT_TRUE(file.Open(dir.File("z.txt").c_str(), CFile::modeRead | CFile::typeBinary));
  CString line;
  std::vector<std::string> lines;
  while (file.ReadString(line)) lines.emplace_back(line.GetString(), line.GetLength());
  EXPECT_EQ(lines, (std::vector<std::string>{"one\r", "two\x1Athree\r", "four\r"}));
}

TEST(MoveFileExA, AFileThatIsOpenIsNeitherMovedReplacedNorDeleted) {
  TempDir dir;
  dir.Write("open", "open");
  dir.Write("other", "other");
  CStdioFile file;
  ASSERT_TRUE(file.Open(dir.File("open").c_str(), CFile::modeRead | CFile::typeText));
  EXPECT_FALSE(
      MoveFileExA(dir.File("other").c_str(), dir.File("open").c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_FALSE(MoveFileExA(dir.File("open").c_str(), dir.File("moved").c_str(), 0));
  EXPECT_FALSE(DeleteFileA(dir.File("open").c_str()));
  EXPECT_EQ(dir.Read("open"), "open");
  EXPECT_EQ(dir.Read("other"), "other");

  file.Close();
  EXPECT_TRUE(
      MoveFileExA(dir.File("other").c_str(), dir.File("open").c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(dir.Read("open"), "other");
  EXPECT_TRUE(DeleteFileA(dir.File("open").c_str()));
  EXPECT_FALSE(dir.Exists("open"));
}

TEST(GetModuleFileNameA, NamesTheProgramAndCutsTooLongANameToTheBuffer) {
  std::vector<char> path(4096);
  const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
  ASSERT_GT(length, 4u);
  const std::string name(path.data(), length);
  EXPECT_NE(name.find("framework_tests"), std::string::npos) << name;
  EXPECT_TRUE(std::filesystem::exists(name)) << name;

  // Whether the fifth byte is then the name's or a terminator depends on the Windows version.
  std::vector<char> small(5, 'x');
  EXPECT_EQ(GetModuleFileNameA(nullptr, small.data(), 5), 5u);
  EXPECT_EQ(std::string(small.data(), 4), name.substr(0, 4));
}

TEST(CStdioFile, NamesFindTheirFilesWhateverTheLetterCase) {
  TempDir dir;
  dir.Write("Plugins/trucelog.INI", "line\r\n");
  const std::string base = dir.Path().string();
  EXPECT_EQ(ReadLines(base + "\\PLUGINS\\Trucelog.ini"), (std::vector<std::string>{"line"}));

  CStdioFile file;
  ASSERT_TRUE(file.Open((base + "\\PLUGINS\\TRUCELOG.ini").c_str(),
                        CFile::modeCreate | CFile::modeWrite | CFile::typeText));
  file.WriteString("new\n");
  file.Close();
  EXPECT_EQ(dir.Read("Plugins/trucelog.INI"), "new\r\n");
  const auto entries = [](const std::filesystem::path& folder) {
    return std::distance(std::filesystem::directory_iterator(folder),
                         std::filesystem::directory_iterator());
  };
  EXPECT_EQ(entries(dir.Path()), 1) << "no second folder";
  EXPECT_EQ(entries(dir.Path() / "Plugins"), 1) << "no second file";

  // A new file keeps the case it is given, in the folder that exists.
  ASSERT_TRUE(file.Open((base + "\\PLUGINS\\Trucelog.ini.new").c_str(),
                        CFile::modeCreate | CFile::modeWrite | CFile::typeText));
  file.WriteString("newer\n");
  file.Close();
  EXPECT_TRUE(MoveFileExA((base + "\\plugins\\TRUCELOG.INI.NEW").c_str(),
                          (base + "\\PLUGINS\\Trucelog.ini").c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(ReadLines(base + "\\Plugins\\trucelog.INI"), (std::vector<std::string>{"newer"}));
  EXPECT_TRUE(DeleteFileA((base + "\\pLUGINS\\tRUCELOG.INI").c_str()));
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path() / "Plugins"));
}
