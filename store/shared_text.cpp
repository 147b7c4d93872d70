#include "store/shared_text.h"

#include <cstring>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

struct SharedText::Copy {
  Copy* next;
  std::size_t hash;
  std::size_t holders;
  CString text;
};

// The texts held, chained by hash. It exists only while it holds one, so nothing of it outlives
// the last pact and no order of destruction at unload matters.
class SharedText::Copies {
 public:
  static Copy* Hold(const CString& text) {
    if (!copies_) copies_ = new Copies;
    return copies_->Find(text);
  }

  static void Release(Copy* copy) {
    if (--copy->holders > 0) return;
    copies_->Remove(copy);
    if (copies_->count_ == 0) {
      delete copies_;
      copies_ = nullptr;
    }
  }

 private:
  static std::size_t HashOf(const CString& text) {
    return std::hash<std::string_view>{}(
        std::string_view(text.GetString(), static_cast<std::size_t>(text.GetLength())));
  }

  Copy*& Bucket(std::size_t hash) { return buckets_[hash % buckets_.size()]; }

  Copy* Find(const CString& text) {
    const std::size_t hash = HashOf(text);
    if (!buckets_.empty()) {
      for (Copy* copy = Bucket(hash); copy; copy = copy->next) {
        if (copy->hash == hash && copy->text.GetLength() == text.GetLength() &&
            std::memcmp(copy->text.GetString(), text.GetString(),
                        static_cast<std::size_t>(text.GetLength())) == 0) {
          ++copy->holders;
          return copy;
        }
      }
    }
    if (count_ + 1 > buckets_.size()) Grow();
    Copy*& bucket = Bucket(hash);
    bucket = new Copy{bucket, hash, 1, text};
    ++count_;
    return bucket;
  }

  void Remove(Copy* copy) {
    for (Copy** link = &Bucket(copy->hash); *link; link = &(*link)->next) {
      if (*link == copy) {
        *link = copy->next;
        delete copy;
        --count_;
        return;
      }
    }
  }

  void Grow() {
    std::vector<Copy*> old(buckets_.size() * 2 + 7, nullptr);
    buckets_.swap(old);
    for (Copy* head : old) {
      while (Copy* copy = head) {
        head = copy->next;
        Copy*& bucket = Bucket(copy->hash);
        copy->next = bucket;
        bucket = copy;
      }
    }
  }

  static Copies* copies_;
  std::vector<Copy*> buckets_;
  std::size_t count_ = 0;
};

SharedText::Copies* SharedText::Copies::copies_ = nullptr;

SharedText::SharedText(const CString& text)
    : copy_(text.IsEmpty() ? nullptr : Copies::Hold(text)) {}

SharedText::SharedText(const SharedText& other) : copy_(other.copy_) {
  if (copy_) ++copy_->holders;
}

SharedText& SharedText::operator=(const SharedText& other) {
  if (other.copy_) ++other.copy_->holders;
  if (copy_) Copies::Release(copy_);
  copy_ = other.copy_;
  return *this;
}

SharedText& SharedText::operator=(SharedText&& other) noexcept {
  if (this == &other) return *this;
  if (copy_) Copies::Release(copy_);
  copy_ = std::exchange(other.copy_, nullptr);
  return *this;
}

void SharedText::Release() { Copies::Release(copy_); }

const CString& SharedText::GetText() const {
  static const CString empty;
  return copy_ ? copy_->text : empty;
}
