// Where the console host's session shows up: the transcript on standard output, with boxes
// around the windows and dialogs that are open (nested as they open inside one another), and
// the SVG pictures written to the snapshots folder when one was asked for.
#pragma once

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
  // Writes `svg` as "NN-<name>.svg" and answers the file's path; empty when disabled.
  // Throws SessionError when the file cannot be written.
  std::string Write(const std::string& name, const std::string& svg);

 private:
  std::string folder_;
  int count_ = 0;
};

// `text` made fit for a file name: lower case letters and digits, other runs as one "-".
std::string Slug(const std::string& text);
// Writes `text` to `path`; false when it could not.
bool WriteTextFile(const std::string& path, const std::string& text);
