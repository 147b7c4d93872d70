#include "afx_collections.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <new>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace afx_detail {

template <class Element, class Argument>
std::size_t TypedArray<Element, Argument>::Checked(INT_PTR index) {
  if (index < 0) throw std::out_of_range("framework array index");
  return static_cast<std::size_t>(index);
}

template <class Element, class Argument>
void TypedArray<Element, Argument>::SetSize(INT_PTR newSize, INT_PTR growBy) {
  if (growBy >= 0) growBy_ = growBy;
  items_.resize(Checked(newSize));
}

template <class Element, class Argument>
void TypedArray<Element, Argument>::InsertElsewhere(INT_PTR index, Argument element,
                                                    INT_PTR count) {
  const std::size_t at = Checked(index);
  const std::size_t n = Checked(count);
  const std::size_t needed = std::max(at, items_.size()) + n;
  if (needed > items_.capacity()) {
    // `element` may point into the storage that is about to move.
    Element copy(element);
    items_.reserve(Capacity(needed));
    if (at > items_.size()) items_.resize(at);
    const auto position = items_.begin() + static_cast<std::ptrdiff_t>(at);
    if (n == 1) {
      items_.emplace(position, std::move(copy));
    } else {
      items_.insert(position, n, copy);
    }
    return;
  }
  if (at > items_.size()) items_.resize(at);
  const auto position = items_.begin() + static_cast<std::ptrdiff_t>(at);
  // One element is built in place rather than copied from a temporary.
  if (n == 1) {
    items_.emplace(position, element);
  } else {
    items_.insert(position, n, Element(element));
  }
}

// Small arrays, such as a race's few pacts, grow by 64 bytes' worth of elements (four at
// least), so that little room stays unused and few steps are taken; larger ones by half their
// size, so that growing stays linear overall.
template <class Element, class Argument>
std::size_t TypedArray<Element, Argument>::Capacity(std::size_t needed) const {
  constexpr std::size_t kSmallStep = (std::max)(std::size_t{4}, 64 / sizeof(Element));
  const std::size_t size = items_.size();
  std::size_t room = size < 4 * kSmallStep ? size + kSmallStep : size + size / 2;
  if (growBy_ > 0) room = size + static_cast<std::size_t>(growBy_);
  return std::max(needed, room);
}

template <class Element, class Argument>
void TypedArray<Element, Argument>::RemoveAt(INT_PTR index, INT_PTR count) {
  const std::size_t at = Checked(index);
  const std::size_t n = Checked(count);
  if (at + n > items_.size()) throw std::out_of_range("framework array RemoveAt");
  const auto first = items_.begin() + static_cast<std::ptrdiff_t>(at);
  items_.erase(first, first + static_cast<std::ptrdiff_t>(n));
}

namespace {

std::string_view ViewOf(const char* key) {
  return key ? std::string_view(key) : std::string_view();
}

std::size_t HashOf(std::string_view key) { return std::hash<std::string_view>{}(key); }

// Keys held are whole C strings, so lengths are compared before bytes.
bool HoldsKey(const CString& held, std::string_view key) {
  return static_cast<std::size_t>(held.GetLength()) == key.size() &&
         std::memcmp(held.GetString(), key.data(), key.size()) == 0;
}

}  // namespace

template <class Value>
typename StringHashTable<Value>::Node* StringHashTable<Value>::Find(const char* key) const {
  if (buckets_.empty()) return nullptr;
  const std::string_view view = ViewOf(key);
  return FindHashed(view, HashOf(view));
}

template <class Value>
typename StringHashTable<Value>::Node* StringHashTable<Value>::FindHashed(std::string_view key,
                                                                          std::size_t hash) const {
  for (Node* node = buckets_[hash % buckets_.size()]; node; node = node->next) {
    if (node->hash == hash && HoldsKey(node->key, key)) return node;
  }
  return nullptr;
}

template <class Value>
typename StringHashTable<Value>::Node& StringHashTable<Value>::FindOrInsert(const char* key) {
  const std::string_view view = ViewOf(key);
  const std::size_t hash = HashOf(view);
  if (!buckets_.empty()) {
    if (Node* found = FindHashed(view, hash)) return *found;
  }
  if (count_ + 1 > buckets_.size()) Grow();
  Node* node = NewNode(hash, key);
  Link(node);
  ++count_;
  return *node;
}

// Each chain is kept in order of hash and key, so that the order of enumeration depends on the
// keys held and the table's size alone, not on the order they came in: a store that is saved,
// loaded and saved again writes the same bytes.
template <class Value>
void StringHashTable<Value>::Link(Node* node) {
  Node** link = &buckets_[node->hash % buckets_.size()];
  while (*link && ((*link)->hash < node->hash ||
                   ((*link)->hash == node->hash && (*link)->key.Compare(node->key) < 0))) {
    link = &(*link)->next;
  }
  node->next = *link;
  *link = node;
}

template <class Value>
bool StringHashTable<Value>::Remove(const char* key) {
  if (buckets_.empty()) return false;
  const std::string_view view = ViewOf(key);
  const std::size_t hash = HashOf(view);
  for (Node** link = &buckets_[hash % buckets_.size()]; *link; link = &(*link)->next) {
    Node* node = *link;
    if (node->hash == hash && HoldsKey(node->key, view)) {
      *link = node->next;
      FreeNode(node);
      if (--count_ == 0) Clear();
      return true;
    }
  }
  return false;
}

template <class Value>
void StringHashTable<Value>::Clear() {
  for (Node*& head : buckets_) {
    while (Node* node = head) {
      head = node->next;
      node->~Node();
    }
  }
  buckets_.clear();
  count_ = 0;
  FreeBlocks();
}

template <class Value>
struct StringHashTable<Value>::Block {
  static constexpr std::size_t kPlaces = 10;
  Block* next;
  Place places[kPlaces];
};

template <class Value>
typename StringHashTable<Value>::Node* StringHashTable<Value>::NewNode(std::size_t hash,
                                                                       const char* key) {
  if (!free_) {
    auto* block = new Block;
    block->next = blocks_;
    blocks_ = block;
    for (Place& place : block->places) {
      place.nextFree = free_;
      free_ = &place;
    }
  }
  Place* place = free_;
  free_ = place->nextFree;
  return new (place->bytes) Node{nullptr, hash, CString(key), Value{}};
}

template <class Value>
void StringHashTable<Value>::FreeNode(Node* node) {
  node->~Node();
  auto* place = reinterpret_cast<Place*>(node);
  place->nextFree = free_;
  free_ = place;
}

template <class Value>
void StringHashTable<Value>::FreeBlocks() {
  while (Block* block = blocks_) {
    blocks_ = block->next;
    delete block;
  }
  free_ = nullptr;
}

template <class Value>
typename StringHashTable<Value>::Node* StringHashTable<Value>::First() const {
  for (Node* head : buckets_) {
    if (head) return head;
  }
  return nullptr;
}

template <class Value>
typename StringHashTable<Value>::Node* StringHashTable<Value>::Next(const Node* node) const {
  if (node->next) return node->next;
  for (std::size_t i = node->hash % buckets_.size() + 1; i < buckets_.size(); ++i) {
    if (buckets_[i]) return buckets_[i];
  }
  return nullptr;
}

// Keeps at most one entry per bucket on average, so lookups stay constant-time at any size.
template <class Value>
void StringHashTable<Value>::Grow() {
  std::vector<Node*> smaller(buckets_.empty() ? 17 : buckets_.size() * 2 + 1, nullptr);
  buckets_.swap(smaller);
  for (Node* head : smaller) {
    while (Node* node = head) {
      head = node->next;
      Link(node);
    }
  }
}

template class TypedArray<CString, const char*>;
template class TypedArray<DWORD, DWORD>;
template class StringHashTable<CString>;
template class StringHashTable<CObject*>;

}  // namespace afx_detail

struct CStringList::Node {
  Node* next;
  Node* previous;
  CString text;
};

namespace {

constexpr std::size_t kNodesPerBlock = 16;

}  // namespace

CStringList::~CStringList() {
  for (Node* block : blocks_) delete[] block;
}

CStringList::Node* CStringList::NewNode(Node* next, Node* previous, const char* text) {
  if (!free_) {
    Node* block = new Node[kNodesPerBlock];
    blocks_.push_back(block);
    for (std::size_t i = 0; i < kNodesPerBlock; ++i) {
      block[i].next = free_;
      free_ = &block[i];
    }
  }
  Node* node = free_;
  node->text = text;
  free_ = node->next;
  node->next = next;
  node->previous = previous;
  return node;
}

POSITION CStringList::AddHead(const char* text) {
  Node* node = NewNode(head_, nullptr, text);
  (head_ ? head_->previous : tail_) = node;
  head_ = node;
  ++count_;
  return reinterpret_cast<POSITION>(node);
}

POSITION CStringList::AddTail(const char* text) {
  Node* node = NewNode(nullptr, tail_, text);
  (tail_ ? tail_->next : head_) = node;
  tail_ = node;
  ++count_;
  return reinterpret_cast<POSITION>(node);
}

POSITION CStringList::GetHeadPosition() const { return reinterpret_cast<POSITION>(head_); }

CString& CStringList::GetNext(POSITION& position) {
  Node* node = reinterpret_cast<Node*>(position);
  position = reinterpret_cast<POSITION>(node->next);
  return node->text;
}

const CString& CStringList::GetNext(POSITION& position) const {
  const Node* node = reinterpret_cast<const Node*>(position);
  position = reinterpret_cast<POSITION>(node->next);
  return node->text;
}

void CStringList::RemoveAll() {
  while (Node* node = head_) {
    head_ = node->next;
    node->text.Empty();
    node->next = free_;
    free_ = node;
  }
  tail_ = nullptr;
  count_ = 0;
}

namespace {

template <class Table>
POSITION StartOf(const Table& table) {
  return reinterpret_cast<POSITION>(table.First());
}

// Hands out the entry at `position` and moves `position` on to the next one.
template <class Table, class Value>
void NextAssoc(const Table& table, POSITION& position, CString& key, Value& value) {
  const auto* node = reinterpret_cast<const typename Table::Node*>(position);
  key = node->key;
  value = node->value;
  position = reinterpret_cast<POSITION>(table.Next(node));
}

template <class Table, class Value>
BOOL LookupIn(const Table& table, const char* key, Value& value) {
  const auto* node = table.Find(key);
  if (!node) return FALSE;
  value = node->value;
  return TRUE;
}

}  // namespace

BOOL CMapStringToString::Lookup(const char* key, CString& value) const {
  return LookupIn(table_, key, value);
}

void CMapStringToString::SetAt(const char* key, const char* value) {
  table_.FindOrInsert(key).value = value;
}

CString& CMapStringToString::operator[](const char* key) { return table_.FindOrInsert(key).value; }

BOOL CMapStringToString::RemoveKey(const char* key) { return table_.Remove(key); }

POSITION CMapStringToString::GetStartPosition() const { return StartOf(table_); }

void CMapStringToString::GetNextAssoc(POSITION& position, CString& key, CString& value) const {
  NextAssoc(table_, position, key, value);
}

BOOL CMapStringToOb::Lookup(const char* key, CObject*& value) const {
  return LookupIn(table_, key, value);
}

void CMapStringToOb::SetAt(const char* key, CObject* value) {
  table_.FindOrInsert(key).value = value;
}

CObject*& CMapStringToOb::operator[](const char* key) { return table_.FindOrInsert(key).value; }

BOOL CMapStringToOb::RemoveKey(const char* key) { return table_.Remove(key); }

POSITION CMapStringToOb::GetStartPosition() const { return StartOf(table_); }

void CMapStringToOb::GetNextAssoc(POSITION& position, CString& key, CObject*& value) const {
  NextAssoc(table_, position, key, value);
}
