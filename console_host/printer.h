// Where the console host's session shows up: the transcript on standard output, with boxes
// around the windows and dialogs that are open (nested as they open inside one another), and
// the SVG pictures written to the snapshots folder when one was asked for.
#pragma once

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>

class Printer {
 public:
  Printer(std::ostream& out, bool color) : out_(out), color_(color) {}

  bool Color() const { return color_; }
  // One line of UTF-8 text, inside every box that is open.
  void Line(const std::string& utf8);
  // What precedes a line inside the open boxes, for prompts.
  std::string Prefix() const;
  // A box titled `title`; lines go inside it until CloseBox, which writes `result` at its foot.
  void OpenBox(const std::string& title);
  void CloseBox(const std::string& result);
  // An empty line between one command's output and the next, never two in a row.
  void Gap();
  void Flush() { out_.flush(); }

 private:
  std::ostream& out_;
  bool color_;
  int depth_ = 0;
  bool lastWasGap_ = true;
};

class Snapshots {
 public:
  // Pictures go to `folder`, numbered on from the highest number of those already there; none
  // when it is empty.
  explicit Snapshots(std::string folder);

  bool Enabled() const { return !folder_.empty(); }
  // Writes `svg` as "NN-<name>.svg", the name shortened to fit any file system, and answers
  // the file's path; empty when disabled or when it could not be written. The first failure
  // is kept, and no picture is written after it: the session ends on it (kExitNoPicture).
  // `page`, such as "page 2 of 3", follows the shortened name whole.
  std::string Write(const std::string& name, const std::string& svg, const std::string& page = "");
  // What went wrong with a picture, with the system's reason; empty while all went well.
  const std::optional<std::string>& Failure() const { return failure_; }

  static constexpr std::size_t kLongestSlug = 80;

 private:
  std::string folder_;
  int count_ = 0;
  std::optional<std::string> failure_;
};

// `text` made fit for a file name: lower case letters and digits, other runs as one "-".
std::string Slug(const std::string& text);
// Writes `text` to `path`; false when it could not, `why` then holding the system's reason.
bool WriteTextFile(const std::string& path, const std::string& text, std::string& why);
bool WriteTextFile(const std::string& path, const std::string& text);
