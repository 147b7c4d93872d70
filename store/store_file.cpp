// The pact store file: sections headed "@store key", one line "race,from,to,conditions" per
// pact, an empty line after each section. Lines end in CR LF; bare LF reads the same.
#include "plugin/decimal.h"
#include "store/owned_map.h"
#include "store/pact_store.h"

namespace {

constexpr const char* kHeaderMark = "@";
constexpr const char* kNewFileSuffix = ".new";

// Adds the pact of one line under `key`; lines without two commas are skipped.
void LoadPactLine(PactStore& store, const CString& key, const CString& line) {
  const int firstComma = line.Find(',');
  if (firstComma < 0 || line.Find(',', firstComma + 1) < 0) return;
  const char* text = line.GetString();
  const char* end = nullptr;
  const int from = ReadDecimal(text + firstComma + 1, &end);
  // The character after the from number is taken as the separator, whatever it is.
  const int to = ReadDecimal(end + 1, &end);
  if (*end == ',') ++end;
  store.AddPact(key, line.Left(firstComma), static_cast<DWORD>(from), static_cast<DWORD>(to), end);
}

}  // namespace

void PactStore::Load(const char* path) {
  CStdioFile file;
  if (!file.Open(path, CFile::modeRead | CFile::typeText)) return;
  try {
    CString key, line;
    while (file.ReadString(line)) {
      line.Trim();
      if (line.IsEmpty()) continue;
      if (line.Left(1) == kHeaderMark) {
        key = line.Mid(1);
      } else if (!key.IsEmpty()) {
        LoadPactLine(*this, key, line);
      }
    }
  } catch (CFileException* error) {
    // What was read stays; the rest of an unreadable file is lost to this session only.
    error->Delete();
  }
}

void PactStore::Save(const char* path) const {
  if (IsEmpty()) return;
  // The old file is replaced only by a complete new one, so a failure loses nothing.
  const CString newFile = CString(path) + kNewFileSuffix;
  CStdioFile file;
  if (!file.Open(newFile, CFile::modeCreate | CFile::modeWrite | CFile::typeText)) return;
  try {
    ForEachOwned<RacePacts>(*this, [&](const CString& key, const RacePacts& races) {
      CStringList lines;
      races.WriteLines(lines);
      lines.AddHead(CString(kHeaderMark) + key);
      for (POSITION position = lines.GetHeadPosition(); position;) {
        file.WriteString(lines.GetNext(position) + "\n");
      }
      file.WriteString("\n");
    });
    file.Flush();
    file.Close();
  } catch (CFileException* error) {
    error->Delete();
    file.Abort();
    DeleteFileA(newFile);
    return;
  }
  if (!MoveFileExA(newFile, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileA(newFile);
  }
}
