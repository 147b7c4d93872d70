// The pact store file: sections headed "@store key", one line "race,from,to,conditions" per
// pact, an empty line after each section. Lines end in CR LF; bare LF reads the same.
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "plugin/decimal.h"
#include "store/owned_map.h"
#include "store/pact_store.h"
#include "store/storable_text.h"

namespace {

constexpr char kHeaderMark = '@';
constexpr const char* kNewFileSuffix = ".new";
constexpr int kWriteChunk = 32 * 1024;

// Where the pact lines of a file go. Consecutive lines share their key and mostly their race, so
// a race's run of lines is gathered first; its history is then looked up once, given room for
// the whole run and signed the run's pacts in file order: what is added is exactly what AddPact
// adds, line by line.
class PactSink {
 public:
  explicit PactSink(PactStore& store) : store_(store) {}

  void SetKey(const CString& key) {
    Flush();
    key_ = key;
    races_ = nullptr;
  }

  // The pact of one line: the race is the `raceLength` bytes at `race`, the conditions the
  // rest of the line from `conditions`.
  void Add(const char* race, int raceLength, DWORD from, DWORD to, const char* conditions,
           int conditionsLength) {
    if (!run_.empty() && (!IsRace(race, raceLength) || run_.size() == kLongestRun)) Flush();
    if (run_.empty()) race_.SetString(race, raceLength);
    run_.push_back({from, to, Shared(conditions, conditionsLength)});
  }

  // Signs the run gathered so far.
  void Flush() {
    if (run_.empty()) return;
    if (!races_) races_ = &FindOrCreateOwned<RacePacts>(store_, key_);
    PactHistory& history = FindOrCreateOwned<PactHistory>(*races_, race_);
    // A new race's pacts take exactly their room; a race that comes back, or whose run is
    // longer than one gathering, grows by half at least, so that growing stays linear.
    const INT_PTR held = history.GetSize();
    const auto needed = held + static_cast<INT_PTR>(run_.size());
    history.Reserve(held == 0 ? needed : (std::max)(needed, held + held / 2));
    for (Pact& pact : run_) history.AddInterval(pact.from, pact.to, std::move(pact.conditions));
    run_.clear();
  }

 private:
  struct Pact {
    DWORD from;
    DWORD to;
    SharedText conditions;
  };

  // A run is signed in pieces of at most this many pacts, so that gathering stays small.
  static constexpr std::size_t kLongestRun = 256;
  // A store holds few different conditions strings: the latest ones are kept at hand.
  static constexpr std::size_t kRecentTexts = 8;

  BOOL IsRace(const char* race, int length) const {
    return race_.GetLength() == length &&
           std::memcmp(race_.GetString(), race, static_cast<std::size_t>(length)) == 0;
  }

  SharedText Shared(const char* text, int length) {
    if (length == 0) return SharedText();
    for (const SharedText& recent : recent_) {
      const CString& held = recent.GetText();
      if (held.GetLength() == length &&
          std::memcmp(held.GetString(), text, static_cast<std::size_t>(length)) == 0) {
        return recent;
      }
    }
    SharedText shared(CString(text, length));
    recent_[nextRecent_] = shared;
    nextRecent_ = (nextRecent_ + 1) % kRecentTexts;
    return shared;
  }

  PactStore& store_;
  CString key_;
  RacePacts* races_ = nullptr;
  CString race_;
  std::vector<Pact> run_;
  SharedText recent_[kRecentTexts];
  std::size_t nextRecent_ = 0;
};

// Adds the pact of one line; lines without two commas are skipped.
void LoadPactLine(PactSink& sink, const CString& line) {
  const char* text = line.GetString();
  const char* lineEnd = text + line.GetLength();
  const auto* firstComma =
      static_cast<const char*>(std::memchr(text, ',', static_cast<std::size_t>(line.GetLength())));
  if (!firstComma ||
      !std::memchr(firstComma + 1, ',', static_cast<std::size_t>(lineEnd - firstComma - 1))) {
    return;
  }
  const char* end = nullptr;
  const int from = ReadDecimal(firstComma + 1, &end);
  // The character after the from number is taken as the separator, whatever it is.
  const int to = ReadDecimal(end + 1, &end);
  if (*end == ',') ++end;
  sink.Add(text, static_cast<int>(firstComma - text), static_cast<DWORD>(from),
           static_cast<DWORD>(to), end, static_cast<int>(lineEnd - end));
}

}  // namespace

void PactStore::Load(const char* path) {
  CStdioFile file;
  if (!file.Open(path, CFile::modeRead | CFile::typeText)) return;
  PactSink sink(*this);
  try {
    CString key, line;
    while (file.ReadString(line)) {
      line.Trim();
      if (line.IsEmpty()) continue;
      if (line.GetAt(0) == kHeaderMark) {
        key = line.Mid(1);
        sink.SetKey(key);
      } else if (!key.IsEmpty()) {
        LoadPactLine(sink, line);
      }
    }
  } catch (CFileException* error) {
    // What was read stays; the rest of an unreadable file is lost to this session only.
    error->Delete();
  }
  sink.Flush();
}

void PactStore::Save(const char* path) const {
  if (IsEmpty()) return;
  // The old file is replaced only by a complete new one, so a failure loses nothing.
  const CString newFile = CString(path) + kNewFileSuffix;
  CStdioFile file;
  if (!file.Open(newFile, CFile::modeCreate | CFile::modeWrite | CFile::typeText)) return;
  try {
    // Lines are gathered and written a few tens of kilobytes at a time.
    CString text;
    auto writeWhenFull = [&] {
      if (text.GetLength() < kWriteChunk) return;
      file.WriteString(text);
      text.Empty();
    };
    ForEachOwned<RacePacts>(*this, [&](const CString& key, const RacePacts& races) {
      // A header that would not read back as its key would file this section and the ones
      // after it elsewhere; the section stays in memory for the session instead.
      if (!IsCarriedKey(key)) return;
      text += kHeaderMark;
      text += key;
      text += '\n';
      ForEachOwned<PactHistory>(races, [&](const CString& race, const PactHistory& history) {
        history.AppendLines(race, text);
        writeWhenFull();
      });
      text += '\n';
      writeWhenFull();
    });
    file.WriteString(text);
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
