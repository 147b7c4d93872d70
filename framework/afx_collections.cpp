#include "afx_collections.h"

#include <functional>
#include <stdexcept>
#include <string_view>

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
INT_PTR TypedArray<Element, Argument>::Add(Argument element) {
  if (items_.size() == items_.capacity() && growBy_ > 0) {
    items_.reserve(items_.size() + static_cast<std::size_t>(growBy_));
  }
  items_.push_back(Element(element));
  return GetUpperBound();
}

template <class Element, class Argument>
void TypedArray<Element, Argument>::InsertAt(INT_PTR index, Argument element, INT_PTR count) {
  const std::size_t at = Checked(index);
  const std::size_t n = Checked(count);
  if (at > items_.size()) items_.resize(at);
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), n, Element(element));
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

std::size_t HashOf(const char* key) { return std::hash<std::string_view>{}(key ? key : ""); }

}  // namespace

template <class Value>
typename StringHashTable<Value>::Node* StringHashTable<Value>::Find(const char* key) const {
  if (buckets_.empty()) return nullptr;
  const std::size_t hash = HashOf(key);
  for (Node* node = buckets_[hash % buckets_.size()]; node; node = node->next) {
    if (node->hash == hash && node->key == key) return node;
  }
  return nullptr;
}

template <class Value>
typename StringHashTable<Value>::Node& StringHashTable<Value>::FindOrInsert(const char* key) {
  if (Node* found = Find(key)) return *found;
  if (count_ + 1 > buckets_.size()) Grow();
  const std::size_t hash = HashOf(key);
  Node*& head = buckets_[hash % buckets_.size()];
  head = new Node{head, hash, CString(key), Value{}};
  ++count_;
  return *head;
}

template <class Value>
bool StringHashTable<Value>::Remove(const char* key) {
  if (buckets_.empty()) return false;
  const std::size_t hash = HashOf(key);
  for (Node** link = &buckets_[hash % buckets_.size()]; *link; link = &(*link)->next) {
    Node* node = *link;
    if (node->hash == hash && node->key == key) {
      *link = node->next;
      delete node;
      --count_;
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
      delete node;
    }
  }
  buckets_.clear();
  count_ = 0;
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
  std::vector<Node*> larger(buckets_.empty() ? 17 : buckets_.size() * 2 + 1, nullptr);
  for (Node* head : buckets_) {
    while (Node* node = head) {
      head = node->next;
      Node*& target = larger[node->hash % larger.size()];
      node->next = target;
      target = node;
    }
  }
  buckets_.swap(larger);
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

CStringList::~CStringList() { RemoveAll(); }

POSITION CStringList::AddHead(const char* text) {
  Node* node = new Node{head_, nullptr, CString(text)};
  (head_ ? head_->previous : tail_) = node;
  head_ = node;
  ++count_;
  return reinterpret_cast<POSITION>(node);
}

POSITION CStringList::AddTail(const char* text) {
  Node* node = new Node{nullptr, tail_, CString(text)};
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
    delete node;
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
