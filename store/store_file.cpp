// The pact store file: sections headed "@store key", one line "race,from,to,conditions" per
// pact, an empty line after each section. Lines end in CR LF; a bare LF or CR reads the same.
// A file a person edited may hold more: a byte-order mark, lines the store cannot take in,
// text after a Ctrl-Z. The mark reads as nothing; everything else is written back.
#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "common/decimal.h"
#include "store/owned_map.h"
#include "store/pact_store.h"
#include "store/storable_text.h"

#if defined(_MSC_VER) && !defined(__clang__)
#include <xmmintrin.h>
#endif

namespace {

constexpr char kHeaderMark = '@';
constexpr char kTextEnd = '\x1A';
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr const char* kLineEnd = "\r\n";
constexpr UINT kReadBlock = 64 * 1024;
constexpr int kWriteChunk = 32 * 1024;

BOOL IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

const char* SkipBlanks(const char* at) {
  while (IsBlank(*at)) ++at;
  return at;
}

// The white space a line loses at its ends (line ends never reach here).
BOOL IsWhiteSpace(char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }

}  // namespace

// Where the pact lines of a file go. Consecutive lines share their key and mostly their race, so
// a race's run of lines is gathered first; its history is then looked up once, given room for
// the whole run and signed the run's pacts in file order: what is added is exactly what AddPact
// adds, line by line.
class PactStore::PactSink {
 public:
  explicit PactSink(PactStore& store) : store_(store) {}

  // The key of the lines that follow: the `length` bytes at `key`.
  void SetKey(const char* key, int length) {
    Flush();
    // Set in place: the key's one buffer is reused from section to section.
    key_.SetString(key, length);
    races_ = nullptr;
  }
  const CString& Key() const { return key_; }

  // Adds the pact of one line, trimmed; FALSE when the line describes none: fewer than two
  // commas, a turn without digits, a first turn after the last. Blanks between a number and
  // the separator after it are skipped.
  BOOL AddLine(const std::string& line);

  // The pact of one line: the race is the `raceLength` bytes at `race`, the conditions the
  // rest of the line from `conditions`.
  void Add(const char* race, int raceLength, DWORD from, DWORD to, const char* conditions,
           int conditionsLength) {
    if (!run_.empty() && (!IsRace(race, raceLength) || run_.size() == kLongestRun)) Flush();
    if (run_.empty()) race_.assign(race, static_cast<std::size_t>(raceLength));
    run_.push_back({from, to, Shared(conditions, conditionsLength)});
  }

  // Signs the run gathered so far.
  void Flush() {
    if (run_.empty()) return;
    if (!races_) races_ = &store_.FindOrCreate(key_);
    PactHistory& history = races_->FindOrCreate(race_.c_str());
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
    return race_.size() == static_cast<std::size_t>(length) &&
           std::memcmp(race_.data(), race, static_cast<std::size_t>(length)) == 0;
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
  // The race and the line being read are scratch text, reused from line to line.
  std::string race_;
  std::vector<Pact> run_;
  SharedText recent_[kRecentTexts];
  std::size_t nextRecent_ = 0;
};

BOOL PactStore::PactSink::AddLine(const std::string& line) {
  const char* text = line.c_str();
  const char* lineEnd = text + line.size();
  const auto* firstComma = static_cast<const char*>(std::memchr(text, ',', line.size()));
  if (!firstComma ||
      !std::memchr(firstComma + 1, ',', static_cast<std::size_t>(lineEnd - firstComma - 1))) {
    return FALSE;
  }
  const char* fromText = firstComma + 1;
  const char* end = nullptr;
  const int from = ReadDecimal(fromText, &end);
  if (end == fromText) return FALSE;
  // The character after the from number is taken as the separator, whatever it is.
  const char* toText = SkipBlanks(end) + 1;
  if (toText > lineEnd) return FALSE;
  const int to = ReadDecimal(toText, &end);
  if (end == toText || static_cast<DWORD>(from) > static_cast<DWORD>(to)) return FALSE;
  end = SkipBlanks(end);
  if (*end == ',') ++end;
  Add(text, static_cast<int>(firstComma - text), static_cast<DWORD>(from), static_cast<DWORD>(to),
      end, static_cast<int>(lineEnd - end));
  return TRUE;
}

// Where the lines of a file go: pacts into the store, every other line into the lines kept.
class PactStore::LineTaker {
 public:
  explicit LineTaker(PactStore& store) : store_(store), sink_(store) {}

  void Take(const char* begin, std::size_t length) {
    if (firstLine_) {
      firstLine_ = false;
      if (length >= 3 && std::memcmp(begin, kByteOrderMark, 3) == 0) {
        store_.kept_.byteOrderMark = true;
        begin += 3;
        length -= 3;
      }
    }
    const char* end = begin + length;
    // A zero byte would end the text of a line as the framework reads it: such a line stays as
    // it is, unread.
    if (std::memchr(begin, '\0', length)) return Keep(begin, length);
    const char* first = begin;
    const char* last = end;
    while (first < last && IsWhiteSpace(*first)) ++first;
    while (last > first && IsWhiteSpace(last[-1])) --last;
    if (first == last) return;
    if (*first == kHeaderMark) {
      sink_.SetKey(first + 1, static_cast<int>(last - first - 1));
      keptSection_ = nullptr;
      inSection_ = true;
      return;
    }
    if (!sink_.Key().IsEmpty()) {
      line_.assign(first, static_cast<std::size_t>(last - first));
      if (sink_.AddLine(line_)) return;
    }
    Keep(begin, length);
  }

  // Text after the Ctrl-Z that ends the file's text, as it is.
  void TakeAfterTextEnd(const char* begin, std::size_t length) {
    store_.kept_.textEnded = true;
    store_.kept_.afterTextEnd.append(begin, length);
  }

  void Finish() { sink_.Flush(); }

 private:
  void Keep(const char* begin, std::size_t length) {
    std::string* lines = &store_.kept_.beforeFirstHeader;
    if (inSection_) {
      if (!keptSection_) keptSection_ = &store_.kept_.sections[sink_.Key().GetString()];
      lines = keptSection_;
    }
    lines->append(begin, length);
    lines->append(kLineEnd);
  }

  PactStore& store_;
  PactSink sink_;
  std::string line_;
  bool firstLine_ = true;
  bool inSection_ = false;
  std::string* keptSection_ = nullptr;
};

void PactStore::ReadFrom(CStdioFile& file) {
  LineTaker taker(*this);
  try {
    ReadLines(file, taker);
  } catch (CFileException*) {
    // What was read before the failure stays.
    taker.Finish();
    throw;
  }
  taker.Finish();
}

void PactStore::ReadLines(CStdioFile& file, LineTaker& taker) {
  std::string block(kReadBlock, '\0');
  std::string pending;  // the start of a line the block ended in
  bool afterCarriageReturn = false;
  bool textEnded = false;
  for (UINT read; (read = file.Read(block.data(), kReadBlock)) > 0;) {
    const char* at = block.data();
    const char* end = at + read;
    if (textEnded) {
      taker.TakeAfterTextEnd(at, read);
      continue;
    }
    const auto* textEnd = static_cast<const char*>(std::memchr(at, kTextEnd, read));
    const char* stop = textEnd ? textEnd : end;
    while (at < stop) {
      if (afterCarriageReturn) {
        afterCarriageReturn = false;
        if (*at == '\n') {
          ++at;
          continue;
        }
      }
      const std::size_t left = static_cast<std::size_t>(stop - at);
      const auto* lineFeed = static_cast<const char*>(std::memchr(at, '\n', left));
      const char* lineEnd = lineFeed ? lineFeed : stop;
      const auto* carriageReturn =
          static_cast<const char*>(std::memchr(at, '\r', static_cast<std::size_t>(lineEnd - at)));
      if (carriageReturn) lineEnd = carriageReturn;
      if (lineEnd == stop) {
        pending.append(at, stop);
        break;
      }
      if (pending.empty()) {
        taker.Take(at, static_cast<std::size_t>(lineEnd - at));
      } else {
        pending.append(at, lineEnd);
        taker.Take(pending.data(), pending.size());
        pending.clear();
      }
      afterCarriageReturn = *lineEnd == '\r';
      at = lineEnd + 1;
    }
    if (textEnd) {
      textEnded = true;
      if (!pending.empty()) taker.Take(pending.data(), pending.size());
      pending.clear();
      taker.TakeAfterTextEnd(textEnd + 1, static_cast<std::size_t>(end - textEnd - 1));
    }
  }
  if (!pending.empty()) taker.Take(pending.data(), pending.size());
}

namespace {

// Asks for the memory at `address` ahead of its use; only a hint.
void Prefetch(const void* address) {
#if defined(_MSC_VER) && !defined(__clang__)
  _mm_prefetch(static_cast<const char*>(address), _MM_HINT_T0);
#else
  __builtin_prefetch(address);
#endif
}

// The reason a file exception carries, in the system's words.
CString ReasonOf(const CFileException& error) {
  return SystemReason(error.m_lOsError > 0 ? static_cast<DWORD>(error.m_lOsError)
                                           : ERROR_GEN_FAILURE);
}

// Gathers the file's text and writes it a few tens of kilobytes at a time.
class ChunkWriter {
 public:
  // The room for a chunk is made once and kept from chunk to chunk.
  explicit ChunkWriter(CStdioFile& file) : file_(file) { text_.reserve(2 * kWriteChunk); }

  std::string& Text() { return text_; }
  // Bytes as they are, after the text gathered so far.
  void Append(const std::string& bytes) {
    if (bytes.empty()) return;
    WriteAll();
    file_.Write(bytes.data(), static_cast<UINT>(bytes.size()));
  }
  void WriteWhenFull() {
    if (text_.size() >= kWriteChunk) WriteAll();
  }
  void WriteAll() {
    file_.Write(text_.data(), static_cast<UINT>(text_.size()));
    text_.clear();
  }

 private:
  CStdioFile& file_;
  std::string text_;
};

// Visits the histories of `races` in the map's order, asking for each one's memory while the one
// before it is written: in a large store the histories of a race map lie far apart.
template <class Visit>
void ForEachHistoryAhead(const RacePacts& races, Visit visit) {
  POSITION position = races.GetStartPosition();
  if (!position) return;
  CString names[2];
  CObject* values[2] = {nullptr, nullptr};
  races.GetNextAssoc(position, names[0], values[0]);
  for (int current = 0;; current ^= 1) {
    const bool more = position != nullptr;
    if (more) {
      races.GetNextAssoc(position, names[current ^ 1], values[current ^ 1]);
      Prefetch(values[current ^ 1]);
    }
    if (values[current]) visit(names[current], *static_cast<const PactHistory*>(values[current]));
    if (!more) return;
  }
}

}  // namespace

BOOL PactStore::ReadWhole(const char* path, CString& why) {
  CStdioFile file;
  CFileException error;
  if (!file.Open(path, CFile::modeRead | CFile::typeBinary, &error)) {
    why = ReasonOf(error);
    return FALSE;
  }
  try {
    ReadFrom(file);
    file.Close();
  } catch (CFileException* failure) {
    why = ReasonOf(*failure);
    failure->Delete();
    return FALSE;
  }
  return TRUE;
}

BOOL PactStore::Load(const char* path, CString& why) {
  const FilePlace place = LookAt(path);
  fileStamp_ = place.stamp;
  fileWasThere_ = place.state != FilePlace::absent;
  fileKnown_ = place.state == FilePlace::absent;
  if (place.state == FilePlace::absent) return TRUE;
  if (place.state == FilePlace::unreadable) {
    why = SystemReason(place.error);
    return FALSE;
  }
  fileKnown_ = ReadWhole(path, why);
  return fileKnown_;
}

BOOL PactStore::Save(const char* path, CString& why) {
  SaveLock lock;
  DWORD error = 0;
  if (!lock.Take(path, error)) {
    why = SystemReason(error);
    return FALSE;
  }
  const FilePlace place = LookAt(path);
  if (place.state == FilePlace::unreadable) {
    why = SystemReason(place.error);
    return FALSE;
  }
  // A file that is not as this store left it is read first, and this store's changes are made
  // again on what it holds: nothing another client or a person saved there is lost.
  const BOOL asLeft = place.state == FilePlace::absent ||
                      (fileKnown_ && fileWasThere_ && place.stamp == fileStamp_);
  if (!asLeft) {
    PactStore onDisk;
    if (!onDisk.ReadWhole(path, why)) return FALSE;
    for (const Change& change : changes_) onDisk.Apply(change);
    if (!onDisk.WriteTo(place.target, why)) return FALSE;
    TakeContentsOf(onDisk);
  } else if (!WriteTo(place.target, why)) {
    return FALSE;
  }
  changes_.clear();
  const FilePlace written = LookAt(place.target);
  fileKnown_ = written.state == FilePlace::plain;
  fileWasThere_ = fileKnown_;
  fileStamp_ = written.stamp;
  return TRUE;
}

BOOL PactStore::WriteTo(const CString& target, CString& why) const {
  // An empty store leaves the file alone.
  if (IsEmpty() && !kept_.byteOrderMark && kept_.beforeFirstHeader.empty() &&
      kept_.sections.empty() && !kept_.textEnded) {
    return TRUE;
  }
  // The old file is replaced only by a complete new one, so a failure loses nothing.
  const CString newFile = TemporaryBeside(target);
  CStdioFile file;
  CFileException error;
  if (!file.Open(newFile, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary, &error)) {
    why = ReasonOf(error);
    return FALSE;
  }
  try {
    ChunkWriter writer(file);
    std::string& text = writer.Text();
    if (kept_.byteOrderMark) text += kByteOrderMark;
    writer.Append(kept_.beforeFirstHeader);
    auto writeSection = [&](const CString& key, const RacePacts* races) {
      text += kHeaderMark;
      text.append(key.GetString(), static_cast<std::size_t>(key.GetLength()));
      text += kLineEnd;
      if (races) {
        ForEachHistoryAhead(*races, [&](const CString& race, const PactHistory& history) {
          history.AppendLines(race, text);
          writer.WriteWhenFull();
        });
      }
      const auto kept = kept_.sections.find(key.GetString());
      if (kept != kept_.sections.end()) writer.Append(kept->second);
      text += kLineEnd;
      writer.WriteWhenFull();
    };
    ForEachOwned<RacePacts>(*this, [&](const CString& key, const RacePacts& races) {
      // A header that would not read back as its key would file this section and the ones
      // after it elsewhere; the section stays in memory for the session instead.
      if (IsStorableKey(key)) writeSection(key, &races);
    });
    for (const auto& [key, lines] : kept_.sections) {
      const CString section(key.data(), static_cast<int>(key.size()));
      if (!IsStorableKey(section) || !Find(section)) writeSection(section, nullptr);
    }
    if (kept_.textEnded) {
      text += kTextEnd;
      writer.Append(kept_.afterTextEnd);
    }
    writer.WriteAll();
    file.Flush();
    file.Close();
  } catch (CFileException* failure) {
    why = ReasonOf(*failure);
    failure->Delete();
    file.Abort();
    DeleteFileA(newFile);
    return FALSE;
  } catch (const std::bad_alloc&) {
    // The text is gathered in a standard string; running out of room is the framework's case.
    AfxThrowMemoryException();
  }
  DWORD moveError = 0;
  if (!ReplaceWith(newFile, target, moveError)) {
    why = SystemReason(moveError);
    DeleteFileA(newFile);
    return FALSE;
  }
  return TRUE;
}

void PactStore::TakeContentsOf(PactStore& other) {
  DeleteOwned(*this);
  // This pool now holds nothing: it changes places with the one the taken histories live in.
  pool_.Swap(other.pool_);
  ForEachOwned<RacePacts>(other, [&](const CString& key, RacePacts& races) {
    SetAt(key, &races);
    if (races.pool_ == &other.pool_) races.pool_ = &pool_;
  });
  other.RemoveAll();
  std::swap(kept_, other.kept_);
}
