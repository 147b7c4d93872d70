// A pact's conditions string as the store keeps it: equal texts share one copy, which lives as
// long as a pact holds it, so that a store of many pacts with the same few conditions keeps
// each text once. Process-wide and unsynchronised, as the plug-in runs on one thread; a text
// never changes once made.
#pragma once

#include "common/framework.h"

class SharedText {
 public:
  // The empty text; it holds no copy.
  SharedText() = default;
  explicit SharedText(const CString& text);
  SharedText(const SharedText& other);
  SharedText(SharedText&& other) noexcept : copy_(other.copy_) { other.copy_ = nullptr; }
  SharedText& operator=(const SharedText& other);
  SharedText& operator=(SharedText&& other) noexcept;
  // Most texts a store lets go of are moved-from or empty: only those holding a copy call out.
  ~SharedText() {
    if (copy_) Release();
  }

  const CString& GetText() const;
  BOOL IsEmpty() const { return copy_ == nullptr; }
  // Equal texts share their copy, so comparing them compares two addresses.
  bool operator==(const SharedText& other) const { return copy_ == other.copy_; }

 private:
  struct Copy;
  class Copies;

  // Gives up this text's hold on its copy.
  void Release();

  Copy* copy_ = nullptr;
};
