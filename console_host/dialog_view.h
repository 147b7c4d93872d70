// A dialog as the person in front of it sees it: its controls in tab order, each with the name
// a person calls it by (a button's own caption, a field's label beside or above it), its value,
// and the whole drawn as text lines and as an SVG picture from the template's rectangles. The
// console host finds here the controls that a script or the person names.
#pragma once

#include <string>
#include <vector>

#include "afx_standin.h"

enum class ControlKind {
  kLabel,
  kGroupBox,
  kButton,
  kCheckBox,
  kRadio,
  kEdit,
  kCombo,     // a drop-down with an edit field
  kDropList,  // a drop-down that only picks
  kList,
  kSpin,
  kOther
};

struct DialogControl {
  HWND hWnd = nullptr;
  int id = 0;
  ControlKind kind = ControlKind::kOther;
  std::string text;   // the caption, or what a field shows
  std::string name;   // what a person calls it; empty when nobody would
  std::string group;  // the caption of the group box it sits in
  RECT rect{};        // dialog units
  bool isDefault = false;
  bool checked = false;
  bool enabled = true;
  std::vector<std::string> items;  // of lists and drop-downs, top to bottom
  bool checkList = false;          // a list with a check box before each entry
  std::vector<bool> ticks;         // of a check list, beside `items`
  int selected = -1;
};

// What a name fits: 2 the whole caption, 1 part of it (whole words, the last one begun), 0 not.
// Letter case, "&" and a closing ":" do not count.
int NameFit(const std::string& name, const std::string& caption);

class DialogView {
 public:
  // The dialog's visible controls as they stand now. `caption` names a window without a
  // caption of its own (a page) in messages and pictures.
  explicit DialogView(CWnd& dialog, const std::string& caption = "");

  const std::string& Caption() const { return caption_; }
  UINT TemplateId() const { return templateId_; }
  const std::vector<DialogControl>& Controls() const { return controls_; }

  // The control of one of `kinds` that `name` fits best. Throws SessionError when none or
  // several fit, naming those there are; `what` words the kinds ("a field", "a button").
  const DialogControl& Find(const std::string& name, const std::vector<ControlKind>& kinds,
                            const std::string& what) const;
  // The index of the item of `control` that `name` fits best; throws like Find.
  int FindItem(const DialogControl& control, const std::string& name) const;
  // The check-list item `name` fits, searched in every check list; answers the list.
  const DialogControl& FindTick(const std::string& name, int& item) const;

  // The dialog as text: one line a row of controls, lists item by item.
  std::vector<std::string> TextLines() const;
  // The dialog as an SVG picture: dialog units as pixels of the template's font, MS Sans Serif
  // at 8 points (1.5 pixels across and 1.625 down), with a title bar when it has a caption.
  std::string Svg(const std::string& title) const;

 private:
  std::string Names(const std::vector<ControlKind>& kinds) const;

  std::string caption_;
  UINT templateId_ = 0;
  RECT rect_{};
  bool hasCaption_ = false;
  std::vector<DialogControl> controls_;
};
