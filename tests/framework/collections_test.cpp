#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "afx_standin.h"

TEST(CMapStringToString, LookupReportsAMissingKeyAndOperatorIndexInsertsIt) {
  CMapStringToString map;
  CString value = "untouched";
  EXPECT_FALSE(map.Lookup("LastError", value));
  EXPECT_EQ(value, "untouched");
  EXPECT_EQ(map.GetCount(), 0);

  EXPECT_EQ(map["LastError"], "");
  EXPECT_EQ(map.GetCount(), 1);
  EXPECT_TRUE(map.Lookup("LastError", value));
  EXPECT_EQ(value, "");

  map.SetAt("Name", "a");
  map.SetAt("Name", "b");
  map["name"] = "c";
  EXPECT_EQ(map.GetCount(), 3);
  EXPECT_TRUE(map.Lookup("Name", value));
  EXPECT_EQ(value, "b");

  EXPECT_TRUE(map.RemoveKey("Name"));
  EXPECT_FALSE(map.RemoveKey("Name"));
  map.RemoveAll();
  EXPECT_TRUE(map.IsEmpty());
}

TEST(CMapStringToString, LargeMapsKeepEveryKeyAndEnumerateEachOnce) {
  CMapStringToString map;
  const int count = 50000;
  for (int i = 0; i < count; ++i)
    map[std::to_string(i).c_str()] = ("v" + std::to_string(i)).c_str();
  EXPECT_EQ(map.GetCount(), count);

  std::set<std::string> seen;
  CString key, value;
  for (POSITION position = map.GetStartPosition(); position;) {
    map.GetNextAssoc(position, key, value);
    EXPECT_EQ(value, "v" + key);
    seen.insert(key.GetString());
  }
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(count));
}

TEST(CMapStringToString, TheEntryJustEnumeratedMayBeRemoved) {
  CMapStringToString map;
  for (const char* key : {"a", "b", "c", "d", "e"}) map.SetAt(key, key);
  CString key, value;
  int visited = 0;
  for (POSITION position = map.GetStartPosition(); position; ++visited) {
    map.GetNextAssoc(position, key, value);
    map.RemoveKey(key);
  }
  EXPECT_EQ(visited, 5);
  EXPECT_TRUE(map.IsEmpty());
}

TEST(CMapStringToOb, HoldsPointersWithoutOwningThem) {
  CStringList object;
  CMapStringToOb map;
  CObject* found = nullptr;
  EXPECT_FALSE(map.Lookup("Vor", found));
  map.SetAt("Vor", &object);
  EXPECT_TRUE(map.Lookup("Vor", found));
  EXPECT_EQ(found, &object);
  EXPECT_EQ(map["Lum"], nullptr);
  EXPECT_EQ(map.GetCount(), 2);
  map.RemoveAll();
  EXPECT_EQ(map.GetStartPosition(), nullptr);
}

TEST(CStringArray, InsertAtPastTheEndGrowsAndBadIndexesThrow) {
  CStringArray array;
  array.Add("a");
  array.InsertAt(3, "d");
  ASSERT_EQ(array.GetSize(), 4);
  EXPECT_EQ(array[1], "");
  EXPECT_EQ(array[3], "d");
  array.InsertAt(0, "x", 2);
  EXPECT_EQ(array.GetSize(), 6);
  EXPECT_EQ(array[1], "x");
  array.RemoveAt(0, 3);
  EXPECT_EQ(array.GetSize(), 3);
  EXPECT_EQ(array[2], "d");
  EXPECT_THROW(array.GetAt(3), std::out_of_range);
  EXPECT_THROW(array.SetAt(-1, "z"), std::out_of_range);
  EXPECT_THROW(array.RemoveAt(2, 2), std::out_of_range);
  array.SetSize(1, 10);
  EXPECT_EQ(array.GetSize(), 1);
  EXPECT_EQ(array.Add("e"), 1);
}

TEST(CStringList, KeepsHeadAndTailOrder) {
  CStringList list;
  list.AddTail("b");
  list.AddHead("a");
  list.AddTail("c");
  std::string joined;
  for (POSITION position = list.GetHeadPosition(); position;) joined += list.GetNext(position);
  EXPECT_EQ(joined, "abc");
  EXPECT_EQ(list.GetCount(), 3);
  list.RemoveAll();
  EXPECT_EQ(list.GetHeadPosition(), nullptr);
  list.AddHead("z");
  EXPECT_EQ(list.GetCount(), 1);
}
