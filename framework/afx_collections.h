// The framework's containers: the typed arrays CStringArray and CDWordArray, the list
// CStringList and the hash maps CMapStringToString and CMapStringToOb.
// Members behave as the originals do where callers can tell: operator[] of a map inserts a
// missing key, Lookup reports one and adds nothing, InsertAt past the end grows the array, an
// index outside an array throws std::out_of_range (the original raises its invalid-argument
// exception). Maps enumerate in their own hash order and stay fast when large. No container owns
// the objects its pointers refer to.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "afx_object.h"
#include "afx_string.h"
#include "afx_types.h"

namespace afx_detail {

// The storage behind one typed array.
template <class Element, class Argument>
class TypedArray {
 public:
  INT_PTR GetSize() const { return static_cast<INT_PTR>(items_.size()); }
  INT_PTR GetCount() const { return GetSize(); }
  INT_PTR GetUpperBound() const { return GetSize() - 1; }
  BOOL IsEmpty() const { return items_.empty(); }

  // `growBy` is the original's allocation step; it only reserves room ahead. Shrinking keeps
  // the room, as in the original.
  void SetSize(INT_PTR newSize, INT_PTR growBy = -1);
  // Gives back the room beyond the elements.
  void FreeExtra() { items_.shrink_to_fit(); }
  void RemoveAll() { items_.clear(); }

  const Element& GetAt(INT_PTR index) const { return items_.at(Checked(index)); }
  Element& ElementAt(INT_PTR index) { return items_.at(Checked(index)); }
  void SetAt(INT_PTR index, Argument element) { items_.at(Checked(index)) = element; }
  const Element& operator[](INT_PTR index) const { return GetAt(index); }
  Element& operator[](INT_PTR index) { return ElementAt(index); }
  const Element* GetData() const { return items_.data(); }

  // Appending within the room already reserved, the usual case, is done in line.
  INT_PTR Add(Argument element) {
    if (items_.size() < items_.capacity()) {
      items_.emplace_back(element);
      return GetUpperBound();
    }
    InsertElsewhere(GetSize(), element, 1);
    return GetUpperBound();
  }
  void InsertAt(INT_PTR index, Argument element, INT_PTR count = 1) {
    if (count == 1 && index == GetSize() && items_.size() < items_.capacity()) {
      items_.emplace_back(element);
    } else {
      InsertElsewhere(index, element, count);
    }
  }
  void RemoveAt(INT_PTR index, INT_PTR count = 1);

 private:
  static std::size_t Checked(INT_PTR index);
  void InsertElsewhere(INT_PTR index, Argument element, INT_PTR count);
  // The capacity to reserve when `needed` elements no longer fit.
  std::size_t Capacity(std::size_t needed) const;

  std::vector<Element> items_;
  INT_PTR growBy_ = 0;
};

// Separate chaining keyed by string; a node's address is its POSITION. Nodes come from blocks
// of ten, as the original's associations do, and wait on a free list once removed; the blocks go
// when the last entry does.
template <class Value>
class StringHashTable {
 public:
  struct Node {
    Node* next;
    std::size_t hash;
    CString key;
    Value value;
  };

  StringHashTable() = default;
  StringHashTable(const StringHashTable&) = delete;
  StringHashTable& operator=(const StringHashTable&) = delete;
  ~StringHashTable() { Clear(); }

  Node* Find(const char* key) const;
  Node& FindOrInsert(const char* key);
  bool Remove(const char* key);
  void Clear();
  std::size_t Count() const { return count_; }
  Node* First() const;
  Node* Next(const Node* node) const;

 private:
  union Place {
    Place* nextFree;
    alignas(Node) unsigned char bytes[sizeof(Node)];
  };
  struct Block;

  Node* FindHashed(std::string_view key, std::size_t hash) const;
  void Link(Node* node);
  void Grow();
  Node* NewNode(std::size_t hash, const char* key);
  void FreeNode(Node* node);
  void FreeBlocks();

  std::vector<Node*> buckets_;
  std::size_t count_ = 0;
  Place* free_ = nullptr;
  Block* blocks_ = nullptr;
};

}  // namespace afx_detail

class CStringArray : public CObject, public afx_detail::TypedArray<CString, const char*> {};

class CDWordArray : public CObject, public afx_detail::TypedArray<DWORD, DWORD> {};

class CStringList : public CObject {
 public:
  CStringList() = default;
  ~CStringList() override;

  INT_PTR GetCount() const { return count_; }
  BOOL IsEmpty() const { return count_ == 0; }
  POSITION AddHead(const char* text);
  POSITION AddTail(const char* text);
  POSITION GetHeadPosition() const;
  // The element at `position`; moves `position` to the next one (null after the tail).
  CString& GetNext(POSITION& position);
  const CString& GetNext(POSITION& position) const;
  void RemoveAll();

 private:
  struct Node;
  // Nodes come from blocks, as the original's do; removed ones give up their text and wait on
  // the free list for the next element, and the blocks go with the list.
  Node* NewNode(Node* next, Node* previous, const char* text);

  Node* head_ = nullptr;
  Node* tail_ = nullptr;
  INT_PTR count_ = 0;
  Node* free_ = nullptr;
  std::vector<Node*> blocks_;
};

class CMapStringToString : public CObject {
 public:
  INT_PTR GetCount() const { return static_cast<INT_PTR>(table_.Count()); }
  BOOL IsEmpty() const { return table_.Count() == 0; }

  // TRUE and the value when the key is present; FALSE and `value` untouched otherwise.
  BOOL Lookup(const char* key, CString& value) const;
  void SetAt(const char* key, const char* value);
  // Inserts the key with an empty value when it is missing.
  CString& operator[](const char* key);
  BOOL RemoveKey(const char* key);
  void RemoveAll() { table_.Clear(); }

  POSITION GetStartPosition() const;
  void GetNextAssoc(POSITION& position, CString& key, CString& value) const;

 private:
  afx_detail::StringHashTable<CString> table_;
};

class CMapStringToOb : public CObject {
 public:
  INT_PTR GetCount() const { return static_cast<INT_PTR>(table_.Count()); }
  BOOL IsEmpty() const { return table_.Count() == 0; }

  BOOL Lookup(const char* key, CObject*& value) const;
  void SetAt(const char* key, CObject* value);
  CObject*& operator[](const char* key);
  BOOL RemoveKey(const char* key);
  void RemoveAll() { table_.Clear(); }

  POSITION GetStartPosition() const;
  void GetNextAssoc(POSITION& position, CString& key, CObject*& value) const;

 private:
  afx_detail::StringHashTable<CObject*> table_;
};

extern template class afx_detail::TypedArray<CString, const char*>;
extern template class afx_detail::TypedArray<DWORD, DWORD>;
extern template class afx_detail::StringHashTable<CString>;
extern template class afx_detail::StringHashTable<CObject*>;
