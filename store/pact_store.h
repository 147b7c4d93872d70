// Every pact of every game: store key ("game/own race") to the races that race keeps pacts
// with, each race to its PactHistory. There is one store in the plug-in; it also carries the
// condition dictionary. Lookups of keys or races it does not hold answer 0 or the empty
// string; only AddPact creates entries and nothing removes them. Each map owns its values.
//
// The store keeps its file whole: whatever the file held that the store did not take in is
// written back, and a save never replaces the file with less than it holds at that moment,
// whoever wrote it last (see Save).
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "common/framework.h"
#include "store/file_place.h"
#include "store/pact_history.h"
#include "treaty/condition_dictionary.h"

// Room for the histories of one store, in blocks that go with the pool: a race of one pact
// then costs its history's bytes, not also a heap block's. The histories must be gone first.
class HistoryPool {
 public:
  HistoryPool() = default;
  ~HistoryPool();
  HistoryPool(const HistoryPool&) = delete;
  HistoryPool& operator=(const HistoryPool&) = delete;

  // An empty history; throws the framework's memory exception when there is no room.
  PactHistory* New();
  void Delete(PactHistory* history);
  // Takes the blocks, and the histories in them, of `other`, which takes this pool's.
  void Swap(HistoryPool& other) noexcept;

 private:
  union Place {
    Place* nextFree;
    alignas(PactHistory) unsigned char bytes[sizeof(PactHistory)];
  };
  struct Block;

  Place* free_ = nullptr;
  Block* blocks_ = nullptr;
  // Places of the newest block handed out so far.
  std::size_t used_ = 0;
};

// The pacts of one store key: other race to its PactHistory.
class RacePacts : public CMapStringToOb {
 public:
  RacePacts() = default;
  // The histories come from `pool`, which must outlive them; a RacePacts without a pool takes
  // them from the heap.
  explicit RacePacts(HistoryPool* pool) : pool_(pool) {}
  ~RacePacts() override;

  void AddPact(CString race, DWORD from, DWORD to, CString conditions);
  DWORD GetPactEnd(CString race, DWORD turn) const;
  CString GetConditionsAt(CString race, DWORD turn) const;
  DWORD GetLastTurn(CString race) const;
  void RemoveExpired(DWORD turn);
  void BreakPact(CString race, DWORD turn);
  // Appends the store-file lines of every race.
  void WriteLines(CStringList& lines) const;
  const PactHistory* FindHistory(const char* race) const { return Find(race); }
  // The history of `race`, created empty when the race is new.
  PactHistory& FindOrCreate(const char* race);

  // The warning lines of the pacts in force at `turn` that end within `threshold` turns,
  // soonest first, races with equal turns left in visiting order. `conditions`, when given,
  // receives each listed pact's conditions string at the warning's position.
  void ScanExpiry(DWORD turn, int threshold, CStringArray& lines, CStringArray* conditions) const;

 private:
  friend class PactStore;

  PactHistory* Find(const char* race) const;

  HistoryPool* pool_ = nullptr;
};

class PactStore : public CMapStringToOb {
 public:
  ~PactStore() override;

  void AddPact(CString key, CString race, DWORD from, DWORD to, CString conditions);
  DWORD GetPactEnd(CString key, CString race, DWORD turn) const;
  CString GetConditionsAt(CString key, CString race, DWORD turn) const;
  DWORD GetLastTurn(CString key, CString race) const;
  void RemoveExpired(CString key, DWORD turn);
  void BreakPact(CString key, CString race, DWORD turn);
  // Moves the pacts of `oldKey` to `newKey`. Where `newKey` already holds pacts of a race, the
  // moved ones fill only the turns it has none for.
  void RenameKey(CString oldKey, CString newKey);

  // The history of `race` under `key`, or null, for a caller that asks it several things at
  // once; valid until the store next changes.
  const PactHistory* FindHistory(const char* key, const char* race) const;

  // Fills `lines` (emptied first) with the expiry warnings of `key`, each followed, when asked,
  // by one line per condition of its pact, or by a line saying there are none.
  void GetExpiryWarnings(CString key, DWORD turn, int threshold, CStringArray& lines,
                         BOOL withConditions) const;

  // Adds the pacts of the store file at `path`; a missing file adds nothing. FALSE when the
  // file is there but could not be read whole; `why` then holds the system's reason, and the
  // next Save reads it again before writing anything.
  BOOL Load(const char* path, CString& why);
  // Saves the store to `path`. When the file is as this store last read or wrote it, the
  // store is written as it is; otherwise the file is read first, the changes made here since
  // are applied to what it holds, and the store takes the result. Saves of several processes
  // take turns. FALSE when the file was left as it was (also when it could not be read);
  // `why` then holds the system's reason, and the changes wait for the next Save.
  BOOL Save(const char* path, CString& why);

  ConditionDictionary Dictionary;

 private:
  // A change to the store since its file was last read or written, to be made again on what
  // the file holds when another program changed it meanwhile.
  struct Change {
    enum Kind { sign, breakPact, dropExpired, renameKey };
    Kind kind;
    CString key;
    CString race;  // the new key of a renameKey
    DWORD from;
    DWORD to;
    CString conditions;
  };

  // What the file held beyond its pacts, written back where it was: the byte-order mark an
  // editor put at its start, lines the store did not take in before the first header and in
  // the section of a key, and whatever follows the Ctrl-Z that ends the file's text.
  struct KeptLines {
    bool byteOrderMark = false;
    std::string beforeFirstHeader;
    std::map<std::string, std::string> sections;
    bool textEnded = false;
    std::string afterTextEnd;
  };

  class LineTaker;
  class PactSink;

  RacePacts* Find(const char* key) const;
  // The races of `key`, created empty when the key is new; their histories come from pool_.
  RacePacts& FindOrCreate(const char* key);
  void Apply(const Change& change);
  // Makes `change`, and remembers it for a save that has to read the file first.
  void Record(const Change& change);

  // Reads an open store file into the store; throws CFileException* when reading fails, what
  // was read before staying.
  void ReadFrom(CStdioFile& file);
  void ReadLines(CStdioFile& file, LineTaker& taker);
  // Reads the whole file at `path` into this (empty) store; FALSE with `why` when it cannot.
  BOOL ReadWhole(const char* path, CString& why);
  // Replaces the file `target` with the store's contents, only once they are complete.
  BOOL WriteTo(const CString& target, CString& why) const;
  // Takes the pacts and kept lines of `other`, giving up its own.
  void TakeContentsOf(PactStore& other);

  // The histories of every race of this store.
  HistoryPool pool_;
  KeptLines kept_;
  std::vector<Change> changes_;
  // TRUE while the file is known to be as this store last read or wrote it (or absent then).
  BOOL fileKnown_ = TRUE;
  FileStamp fileStamp_;
  BOOL fileWasThere_ = FALSE;
};
