// The pact store file: sections headed "@store key", one line "race,from,to,conditions" per
// pact, an empty line after each section. Lines end in CR LF; bare LF reads the same.
#include <algorithm>

#include "plugin/decimal.h"
#include "store/owned_map.h"
#include "store/pact_store.h"
#include "store/storable_text.h"

namespace {

constexpr char kHeaderMark = '@';
constexpr const char* kNewFileSuffix = ".new";

// Where the pact lines of a file go. Consecutive lines share their key and mostly their race,
// so each is looked up only when it changes; what is added is exactly what AddPact adds. A
// race's run of lines is expected to be as long as the one before, so that its history grows
// once, and gives back what it did not use when the run ends.
class PactSink {
 public:
  explicit PactSink(PactStore& store) : store_(store) {}
  ~PactSink() { EndRun(); }

  void SetKey(const CString& key) {
    EndRun();
    key_ = key;
    races_ = nullptr;
  }

  void Add(const char* race, DWORD from, DWORD to, const char* conditions) {
    if (!races_) races_ = &FindOrCreateOwned<RacePacts>(store_, key_);
    if (!history_ || race_ != race) {
      EndRun();
      history_ = &FindOrCreateOwned<PactHistory>(*races_, race);
      race_ = race;
      history_->ExpectRun(expected_);
    }
    history_->AddInterval(from, to, conditions);
    ++run_;
  }

 private:
  // Runs longer than this grow as any history grows.
  static constexpr INT_PTR kLongestExpectedRun = 64;

  void EndRun() {
    if (!history_) return;
    history_->SettleRun();
    expected_ = (std::min)((std::max)(run_, INT_PTR{1}), kLongestExpectedRun);
    history_ = nullptr;
    run_ = 0;
  }

  PactStore& store_;
  CString key_;
  RacePacts* races_ = nullptr;
  CString race_;
  PactHistory* history_ = nullptr;
  INT_PTR run_ = 0;
  INT_PTR expected_ = 1;
};

// The number at `text`, as ReadDecimal reads it. Turns in a written file are plain digits, read
// here directly; anything else (blanks, a sign, ten digits or more) goes to ReadDecimal.
int ReadTurn(const char* text, const char** end) {
  constexpr int kPlainDigits = 9;  // cannot overflow
  int value = 0;
  int digits = 0;
  while (digits < kPlainDigits && text[digits] >= '0' && text[digits] <= '9') {
    value = value * 10 + (text[digits] - '0');
    ++digits;
  }
  if (digits == 0 || (text[digits] >= '0' && text[digits] <= '9')) return ReadDecimal(text, end);
  *end = text + digits;
  return value;
}

// Adds the pact of one line; lines without two commas are skipped.
void LoadPactLine(PactSink& sink, CString& race, const CString& line) {
  const int firstComma = line.Find(',');
  if (firstComma < 0 || line.Find(',', firstComma + 1) < 0) return;
  const char* text = line.GetString();
  const char* end = nullptr;
  const int from = ReadTurn(text + firstComma + 1, &end);
  // The character after the from number is taken as the separator, whatever it is.
  const int to = ReadTurn(end + 1, &end);
  if (*end == ',') ++end;
  race.SetString(text, firstComma);
  sink.Add(race, static_cast<DWORD>(from), static_cast<DWORD>(to), end);
}

}  // namespace

void PactStore::Load(const char* path) {
  CStdioFile file;
  if (!file.Open(path, CFile::modeRead | CFile::typeText)) return;
  try {
    PactSink sink(*this);
    CString key, line, race;
    while (file.ReadString(line)) {
      line.Trim();
      if (line.IsEmpty()) continue;
      if (line.GetAt(0) == kHeaderMark) {
        key = line.Mid(1);
        sink.SetKey(key);
      } else if (!key.IsEmpty()) {
        LoadPactLine(sink, race, line);
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
    CStringList lines;
    CString line;
    ForEachOwned<RacePacts>(*this, [&](const CString& key, const RacePacts& races) {
      // A header that would not read back as its key would file this section and the ones
      // after it elsewhere; the section stays in memory for the session instead.
      if (!IsCarriedKey(key)) return;
      lines.RemoveAll();
      races.WriteLines(lines);
      lines.AddHead(CString(kHeaderMark) + key);
      for (POSITION position = lines.GetHeadPosition(); position;) {
        line = lines.GetNext(position);
        line += '\n';
        file.WriteString(line);
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
