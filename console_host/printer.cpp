#include "printer.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "display.h"
#include "script_words.h"

namespace {

constexpr const char* kSide = "\xE2\x94\x82 ";               // "│ "
constexpr const char* kTop = "\xE2\x94\x8C\xE2\x94\x80 ";    // "┌─ "
constexpr const char* kBottom = "\xE2\x94\x94\xE2\x94\x80";  // "└─"

}  // namespace

void Printer::Line(const std::string& utf8) {
  out_ << Prefix() << utf8 << '\n';
  lastWasGap_ = false;
}

std::string Printer::Prefix() const {
  std::string prefix;
  for (int i = 0; i < depth_; ++i) prefix += kSide;
  return prefix;
}

void Printer::OpenBox(const std::string& title) {
  Line(kTop + title);
  ++depth_;
}

void Printer::CloseBox(const std::string& result) {
  if (depth_ > 0) --depth_;
  Line(kBottom + (result.empty() ? "" : " " + result));
}

void Printer::Gap() {
  if (lastWasGap_ || depth_ > 0) return;
  out_ << '\n';
  lastWasGap_ = true;
}

std::string Slug(const std::string& text) {
  std::string slug;
  for (const char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    if (std::isalnum(byte) && byte < 0x80) {
      slug += static_cast<char>(std::tolower(byte));
    } else if (!slug.empty() && slug.back() != '-') {
      slug += '-';
    }
  }
  while (!slug.empty() && slug.back() == '-') slug.pop_back();
  return slug.empty() ? "picture" : slug;
}

bool WriteTextFile(const std::string& path, const std::string& text, std::string& why) {
  errno = 0;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (file && (file << text) && file.flush()) return true;
  // The streams keep no reason of their own; the system's is still in errno.
  why = errno != 0 ? std::error_code(errno, std::generic_category()).message()
                   : std::string("the system gave no reason");
  return false;
}

bool WriteTextFile(const std::string& path, const std::string& text) {
  std::string why;
  return WriteTextFile(path, text, why);
}

Snapshots::Snapshots(std::string folder) : folder_(std::move(folder)) {
  if (folder_.empty()) return;
  // A folder that holds pictures of an earlier session: the new ones follow, never among them.
  std::error_code error;
  for (std::filesystem::directory_iterator entry(folder_, error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string name = entry->path().filename().string();
    const std::size_t dash = name.find('-');
    if (dash == 0 || dash == std::string::npos || dash > 6) continue;
    if (name.size() < 4 || name.compare(name.size() - 4, 4, ".svg") != 0) continue;
    bool digits = true;
    for (std::size_t i = 0; i < dash; ++i)
      digits = digits && std::isdigit(static_cast<unsigned char>(name[i]));
    if (digits) count_ = (std::max)(count_, std::stoi(name.substr(0, dash)));
  }
}

std::string Snapshots::Write(const std::string& name, const std::string& svg,
                             const std::string& page) {
  if (!Enabled() || failure_) return "";
  char number[16];
  std::snprintf(number, sizeof(number), "%02d-", ++count_);
  std::string slug = Slug(name);
  // Whole words where they fit; the picture's title keeps the whole name.
  if (slug.size() > kLongestSlug) {
    slug.resize(kLongestSlug);
    const std::size_t lastDash = slug.rfind('-');
    if (lastDash != std::string::npos && lastDash > kLongestSlug / 2) slug.resize(lastDash);
  }
  if (!page.empty()) slug += "-" + Slug(page);
  const std::string path = folder_ + "/" + number + slug + ".svg";
  std::string why;
  if (!WriteTextFile(path, svg, why)) {
    failure_ = "cannot write the picture " + path + ": " + why;
    return "";
  }
  return path;
}
