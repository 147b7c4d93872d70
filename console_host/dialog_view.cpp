#include "dialog_view.h"

#include <algorithm>
#include <cctype>

#include "display.h"
#include "res/resource.h"
#include "script_words.h"
#include "svg.h"

namespace {

// Names a person may use where the caption says little ("With" is the other race).
struct Alias {
  UINT dialog;
  int control;
  const char* name;
};
constexpr Alias kAliases[] = {
    {IDD_SIGN_TREATY, IDC_RACE, "race"},
    {IDD_SIGN_TREATY, IDC_TILL, "to"},
};

// Font cell of the dialog templates' font in dialog units, and dialog units in pixels.
constexpr double kPixelsAcross = 1.5;
constexpr double kPixelsDown = 1.625;
constexpr double kTitleBar = 18;
constexpr double kFontSize = 10;
constexpr const char* kFontFamily =
    "font-family=\"MS Sans Serif, Microsoft Sans Serif, Tahoma, DejaVu Sans, sans-serif\"";
const std::string kFont = std::string(kFontFamily) + " font-size=\"10\"";
constexpr const char* kFace = "#d4d0c8";
constexpr const char* kShadow = "#808080";

std::string Normalised(const std::string& text) {
  std::string out;
  for (const char ch : text) {
    if (ch == '&') continue;
    out += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  }
  while (!out.empty() && (out.back() == ':' || out.back() == ' ')) out.pop_back();
  while (!out.empty() && out.front() == ' ') out.erase(out.begin());
  return out;
}

std::vector<std::string> WordsOf(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  for (const char ch : text + " ") {
    if (ch == ' ') {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += ch;
    }
  }
  return words;
}

std::string WithoutAmpersand(const std::string& text) {
  std::string out;
  for (const char ch : text) {
    if (ch != '&') out += ch;
  }
  return out;
}

ControlKind KindOf(CWnd& control) {
  const CString className = control.GetClassName();
  const DWORD style = control.GetStyle();
  if (className.CompareNoCase(WC_STATIC) == 0) return ControlKind::kLabel;
  if (className.CompareNoCase(WC_EDIT) == 0) return ControlKind::kEdit;
  if (className.CompareNoCase(WC_LISTBOX) == 0) return ControlKind::kList;
  if (className.CompareNoCase(UPDOWN_CLASS) == 0) return ControlKind::kSpin;
  if (className.CompareNoCase(WC_COMBOBOX) == 0) {
    return (style & 3) == CBS_DROPDOWNLIST ? ControlKind::kDropList : ControlKind::kCombo;
  }
  if (className.CompareNoCase(WC_BUTTON) != 0) return ControlKind::kOther;
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
      return ControlKind::kButton;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return ControlKind::kCheckBox;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return ControlKind::kRadio;
    case BS_GROUPBOX:
      return ControlKind::kGroupBox;
    default:
      return ControlKind::kOther;
  }
}

bool IsField(ControlKind kind) {
  return kind == ControlKind::kEdit || kind == ControlKind::kCombo ||
         kind == ControlKind::kDropList || kind == ControlKind::kList;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
         inner.bottom <= outer.bottom;
}

// A drop-down's rectangle holds its open list too; its face is one line high.
LONG FaceBottom(const DialogControl& control) {
  const bool dropDown =
      control.kind == ControlKind::kCombo || control.kind == ControlKind::kDropList;
  return dropDown ? (std::min)(control.rect.bottom, control.rect.top + 12) : control.rect.bottom;
}

// The label a person reads a field by: the nearest one to its left on its line, else the
// nearest one above it.
std::string LabelOf(const DialogControl& field, const std::vector<DialogControl>& controls) {
  const DialogControl* beside = nullptr;
  const DialogControl* above = nullptr;
  const LONG faceBottom = FaceBottom(field);
  for (const DialogControl& label : controls) {
    if (label.kind != ControlKind::kLabel || label.text.empty()) continue;
    const bool sameLine = label.rect.top < faceBottom && label.rect.bottom > field.rect.top;
    if (sameLine && label.rect.right <= field.rect.left + 2) {
      if (!beside || label.rect.right > beside->rect.right) beside = &label;
    }
    const bool overlaps = label.rect.left < field.rect.right && label.rect.right > field.rect.left;
    if (overlaps && label.rect.bottom <= field.rect.top + 2) {
      if (!above || label.rect.bottom > above->rect.bottom) above = &label;
    }
  }
  const DialogControl* label = beside ? beside : above;
  return label ? WithoutAmpersand(label->text) : std::string();
}

std::string Described(const DialogControl& control) {
  std::string text = "\"" + ShowAnsi(control.name) + "\"";
  if (!control.group.empty() && control.kind == ControlKind::kRadio) {
    text += " (in \"" + ShowAnsi(control.group) + "\")";
  }
  return text;
}

std::string KindWord(ControlKind kind) {
  switch (kind) {
    case ControlKind::kButton:
      return "a button";
    case ControlKind::kCheckBox:
      return "a check box";
    case ControlKind::kRadio:
      return "a radio button";
    case ControlKind::kEdit:
      return "a text field";
    case ControlKind::kCombo:
      return "a drop-down field";
    case ControlKind::kDropList:
      return "a drop-down list";
    case ControlKind::kList:
      return "a list";
    case ControlKind::kGroupBox:
      return "a group of choices";
    default:
      return "a label";
  }
}

std::string FieldWidthText(const std::string& utf8, const DialogControl& control, int extra) {
  const int cells =
      std::clamp(static_cast<int>(control.rect.right - control.rect.left) / 4 - extra, 3, 28);
  return PadRight(utf8, static_cast<std::size_t>(cells));
}

// One control as text; lists and spins are drawn elsewhere or not at all.
std::string ControlText(const DialogControl& control) {
  const std::string text = ShowAnsi(control.text);
  switch (control.kind) {
    case ControlKind::kLabel:
      return text;
    case ControlKind::kButton:
      return "[ " + text + " ]";
    case ControlKind::kCheckBox:
      return std::string(control.checked ? "[x] " : "[ ] ") + text;
    case ControlKind::kRadio:
      return std::string(control.checked ? "(\xE2\x80\xA2) " : "( ) ") + text;
    case ControlKind::kEdit:
      return "[" + FieldWidthText(text, control, 0) + "]";
    case ControlKind::kCombo:
    case ControlKind::kDropList:
      return "[" + FieldWidthText(text, control, 2) + " \xE2\x96\xBE]";
    default:
      return "";
  }
}

void ListLines(const DialogControl& list, std::vector<std::string>& lines) {
  if (list.items.empty()) lines.push_back("    (no items)");
  for (std::size_t i = 0; i < list.items.size(); ++i) {
    std::string mark;
    if (list.checkList) {
      mark = list.ticks[i] ? "[x] " : "[ ] ";
    } else if (static_cast<int>(i) == list.selected) {
      mark = "> ";
    }
    lines.push_back("    " + mark + ShowAnsi(list.items[i]));
  }
}

std::string Join(const std::vector<std::string>& parts, const char* separator) {
  std::string joined;
  for (const std::string& part : parts) {
    if (part.empty()) continue;
    joined += (joined.empty() ? "" : separator) + part;
  }
  return joined;
}

}  // namespace

int NameFit(const std::string& name, const std::string& caption) {
  const std::string wanted = Normalised(name);
  const std::string offered = Normalised(caption);
  if (wanted.empty() || offered.empty()) return 0;
  if (wanted == offered) return 2;
  const std::vector<std::string> want = WordsOf(wanted);
  const std::vector<std::string> have = WordsOf(offered);
  for (std::size_t start = 0; start + want.size() <= have.size(); ++start) {
    bool fits = true;
    for (std::size_t i = 0; i < want.size() && fits; ++i) {
      const std::string& word = have[start + i];
      fits = i + 1 == want.size() ? word.compare(0, want[i].size(), want[i]) == 0 : word == want[i];
    }
    if (fits) return 1;
  }
  return 0;
}

DialogView::DialogView(CWnd& dialog, const std::string& caption) {
  CString text;
  dialog.GetWindowText(text);
  caption_ = text.IsEmpty() ? caption : text.GetString();
  if (auto* asDialog = dynamic_cast<CDialog*>(&dialog))
    templateId_ = AfxGetDialogTemplateID(*asDialog);
  dialog.GetWindowRect(&rect_);
  hasCaption_ = (dialog.GetStyle() & WS_CAPTION) == WS_CAPTION;
  CUserInput input(dialog);
  for (CWnd* child = dialog.GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
    if (!child->IsWindowVisible()) continue;
    DialogControl control;
    control.hWnd = child->m_hWnd;
    control.id = child->GetDlgCtrlID();
    control.kind = KindOf(*child);
    CString controlText;
    child->GetWindowText(controlText);
    control.text = controlText.GetString();
    child->GetWindowRect(&control.rect);
    control.isDefault = control.kind == ControlKind::kButton &&
                        (child->GetStyle() & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    control.enabled = child->IsWindowEnabled() != FALSE;
    if (control.kind == ControlKind::kCheckBox || control.kind == ControlKind::kRadio) {
      control.checked = child->SendMessage(BM_GETCHECK) == BST_CHECKED;
    }
    if (control.kind == ControlKind::kList || control.kind == ControlKind::kCombo ||
        control.kind == ControlKind::kDropList) {
      CStringArray items;
      input.Items(control.id, items);
      for (INT_PTR i = 0; i < items.GetSize(); ++i) control.items.push_back(items[i].GetString());
      const bool list = control.kind == ControlKind::kList;
      control.selected = static_cast<int>(child->SendMessage(list ? LB_GETCURSEL : CB_GETCURSEL));
      if (auto* checks = dynamic_cast<CCheckListBox*>(child)) {
        control.checkList = true;
        for (int i = 0; i < static_cast<int>(control.items.size()); ++i) {
          control.ticks.push_back(checks->GetCheck(i) == BST_CHECKED);
        }
      }
    }
    controls_.push_back(control);
  }
  for (DialogControl& control : controls_) {
    if (IsField(control.kind)) {
      control.name = LabelOf(control, controls_);
    } else if (control.kind != ControlKind::kLabel && control.kind != ControlKind::kSpin) {
      control.name = WithoutAmpersand(control.text);
    }
    if (control.kind == ControlKind::kGroupBox) continue;
    for (const DialogControl& box : controls_) {
      if (box.kind == ControlKind::kGroupBox && Inside(control.rect, box.rect)) {
        control.group = WithoutAmpersand(box.text);
      }
    }
  }
}

std::string DialogView::Names(const std::vector<ControlKind>& kinds) const {
  std::vector<std::string> names;
  for (const DialogControl& control : controls_) {
    if (control.name.empty() || !control.enabled) continue;
    if (std::find(kinds.begin(), kinds.end(), control.kind) == kinds.end()) continue;
    names.push_back(Described(control));
  }
  return names.empty() ? "none" : Join(names, ", ");
}

const DialogControl& DialogView::Find(const std::string& name,
                                      const std::vector<ControlKind>& kinds,
                                      const std::string& what) const {
  std::vector<const DialogControl*> best;
  int bestFit = 0;
  for (const DialogControl& control : controls_) {
    if (!control.enabled || std::find(kinds.begin(), kinds.end(), control.kind) == kinds.end()) {
      continue;
    }
    int fit = NameFit(name, control.name);
    for (const Alias& alias : kAliases) {
      if (alias.dialog == templateId_ && alias.control == control.id &&
          Normalised(name) == alias.name) {
        fit = 2;
      }
    }
    if (fit == 0 || fit < bestFit) continue;
    if (fit > bestFit) best.clear();
    bestFit = fit;
    best.push_back(&control);
  }
  const std::string where =
      "the \"" + ShowAnsi(caption_) + "\" " + (hasCaption_ ? "dialog" : "page");
  if (best.size() == 1) return *best.front();
  if (best.empty()) {
    // Say what the name does fit, when it is a control of another kind.
    for (const DialogControl& control : controls_) {
      if (control.name.empty() || NameFit(name, control.name) != 2) continue;
      throw SessionError(Described(control) + " in " + where + " is " + KindWord(control.kind) +
                         ", not " + what);
    }
    throw SessionError(where + " has no " + what.substr(what.find(' ') + 1) + " \"" +
                       ShowAnsi(name) + "\": expected one of " + Names(kinds));
  }
  std::vector<std::string> fits;
  for (const DialogControl* control : best) fits.push_back(Described(*control));
  throw SessionError("\"" + ShowAnsi(name) + "\" could be any of " + Join(fits, ", ") + " in " +
                     where + ": say which");
}

int DialogView::FindItem(const DialogControl& control, const std::string& name) const {
  int best = -1, bestFit = 0, ties = 0;
  for (int i = 0; i < static_cast<int>(control.items.size()); ++i) {
    const int fit = NameFit(name, control.items[static_cast<std::size_t>(i)]);
    if (fit > bestFit) {
      best = i;
      bestFit = fit;
      ties = 1;
    } else if (fit > 0 && fit == bestFit) {
      ++ties;
    }
  }
  if (best >= 0 && ties == 1) return best;
  std::vector<std::string> items;
  for (const std::string& item : control.items) items.push_back("\"" + ShowAnsi(item) + "\"");
  const std::string offered = items.empty() ? "none" : Join(items, ", ");
  if (best < 0) {
    throw SessionError("\"" + ShowAnsi(control.name) + "\" has no item \"" + ShowAnsi(name) +
                       "\": expected one of " + offered);
  }
  throw SessionError("\"" + ShowAnsi(name) + "\" fits several items of \"" +
                     ShowAnsi(control.name) + "\" (" + offered + "): say which");
}

const DialogControl& DialogView::FindTick(const std::string& name, int& item) const {
  const DialogControl* found = nullptr;
  int bestFit = 0;
  std::vector<std::string> offered;
  for (const DialogControl& control : controls_) {
    if (control.kind != ControlKind::kList || !control.checkList || !control.enabled) continue;
    for (int i = 0; i < static_cast<int>(control.items.size()); ++i) {
      const std::string& text = control.items[static_cast<std::size_t>(i)];
      offered.push_back("\"" + ShowAnsi(text) + "\"");
      const int fit = NameFit(name, text);
      if (fit > bestFit) {
        found = &control;
        item = i;
        bestFit = fit;
      }
    }
  }
  if (found) return *found;
  throw SessionError("no entry \"" + ShowAnsi(name) + "\" to tick in the \"" + ShowAnsi(caption_) +
                     "\" dialog: expected one of " +
                     (offered.empty() ? "none (the list is empty)" : Join(offered, ", ")));
}

std::vector<std::string> DialogView::TextLines() const {
  struct Row {
    LONG top;
    std::vector<const DialogControl*> controls;
  };
  std::vector<Row> rows;
  std::vector<const DialogControl*> groups;
  for (const DialogControl& control : controls_) {
    if (control.kind == ControlKind::kSpin) continue;
    if (control.kind == ControlKind::kGroupBox) {
      groups.push_back(&control);
      continue;
    }
    if (!control.group.empty()) continue;  // drawn with its group
    auto row = std::find_if(rows.begin(), rows.end(), [&](const Row& candidate) {
      return std::abs(candidate.top - control.rect.top) <= 3;
    });
    if (row == rows.end()) {
      rows.push_back({control.rect.top, {}});
      row = rows.end() - 1;
    }
    row->controls.push_back(&control);
  }
  std::stable_sort(rows.begin(), rows.end(),
                   [](const Row& a, const Row& b) { return a.top < b.top; });
  std::vector<std::string> lines;
  std::vector<std::string> closing;  // a last row of push buttons comes after the groups
  for (std::size_t r = 0; r < rows.size(); ++r) {
    Row& row = rows[r];
    std::stable_sort(
        row.controls.begin(), row.controls.end(),
        [](const DialogControl* a, const DialogControl* b) { return a->rect.left < b->rect.left; });
    std::vector<std::string> parts;
    std::vector<const DialogControl*> lists;
    bool onlyButtons = true;
    for (const DialogControl* control : row.controls) {
      if (control->kind == ControlKind::kList) {
        lists.push_back(control);
      } else {
        parts.push_back(ControlText(*control));
      }
      onlyButtons = onlyButtons && control->kind == ControlKind::kButton;
    }
    std::vector<std::string>& into = r + 1 == rows.size() && onlyButtons ? closing : lines;
    if (!parts.empty()) into.push_back(Join(parts, "  "));
    for (const DialogControl* list : lists) ListLines(*list, into);
  }
  for (const DialogControl* group : groups) {
    std::vector<std::string> parts;
    for (const DialogControl& member : controls_) {
      if (member.group == WithoutAmpersand(group->text) && Inside(member.rect, group->rect)) {
        parts.push_back(ControlText(member));
      }
    }
    lines.push_back(ShowAnsi(group->text) + ":  " + Join(parts, "  "));
  }
  lines.insert(lines.end(), closing.begin(), closing.end());
  return lines;
}

namespace {

// `text` at `x`, baseline `baseline`, made as small as it must be to fit `width`.
void FittedText(SvgPicture& picture, double x, double baseline, const std::string& text,
                double width, const std::string& ink, const std::string& extra = "") {
  const double size = FittingSize(text, kFontSize, width);
  picture.Text(x, baseline, text, ink,
               (size < kFontSize ? "font-size=\"" + SvgNumber(size) + "\" " : std::string()) +
                   "xml:space=\"preserve\"" + (extra.empty() ? "" : " " + extra));
}

}  // namespace

std::string DialogView::Svg(const std::string& title) const {
  const double width = (rect_.right - rect_.left) * kPixelsAcross;
  const double top = hasCaption_ ? kTitleBar : 0;
  const double height = (rect_.bottom - rect_.top) * kPixelsDown + top;
  SvgPicture picture(width + 2, height + 2, title);
  picture.Rect(1, 1, width, height, kFace, "#404040");
  if (hasCaption_) {
    picture.Rect(1, 1, width, kTitleBar, "#0a246a");
    picture.BeginClip(1, 1, width, kTitleBar);
    FittedText(picture, 6, 14, caption_, (width - 10) / 1.15, "#ffffff",
               std::string(kFontFamily) + " font-weight=\"bold\"");
    picture.EndClip();
  }
  picture.Raw("<g " + kFont + ">");
  for (const DialogControl& control : controls_) {
    const double x = 1 + control.rect.left * kPixelsAcross;
    const double y = 1 + top + control.rect.top * kPixelsDown;
    const double w = (control.rect.right - control.rect.left) * kPixelsAcross;
    const double h = (FaceBottom(control) - control.rect.top) * kPixelsDown;
    const double middle = y + h / 2 + 4;
    const std::string ink = control.enabled ? "#000000" : kShadow;
    const std::string caption = WithoutAmpersand(control.text);
    // Nothing of a control shows outside it.
    picture.BeginClip(x, y, w, h);
    switch (control.kind) {
      case ControlKind::kLabel:
        FittedText(picture, x, middle, caption, w, ink);
        break;
      case ControlKind::kGroupBox: {
        picture.Rect(x + 0.5, y + 6, w - 1, h - 6.5, "none", kShadow);
        const double size = FittingSize(caption, kFontSize, w - 16);
        picture.Rect(x + 5, y, TextWidth(caption, size) + 6, 12, kFace);
        FittedText(picture, x + 8, y + 10, caption, w - 16, ink);
        break;
      }
      case ControlKind::kButton:
        picture.Rect(x + 0.5, y + 0.5, w - 1, h - 1, kFace, "#404040",
                     control.isDefault ? "stroke-width=\"2\"" : "stroke-width=\"1\"");
        FittedText(picture, x + w / 2, middle, caption, w - 6, ink, "text-anchor=\"middle\"");
        break;
      case ControlKind::kCheckBox:
        picture.Rect(x + 0.5, middle - 10, 12, 12, "#ffffff", kShadow);
        if (control.checked) picture.Text(x + 6, middle, "x", "#000000", "text-anchor=\"middle\"");
        FittedText(picture, x + 17, middle, caption, w - 17, ink);
        break;
      case ControlKind::kRadio:
        picture.Raw("<circle cx=\"" + SvgNumber(x + 6.5) + "\" cy=\"" + SvgNumber(middle - 4) +
                    "\" r=\"6\" fill=\"#ffffff\" stroke=\"" + kShadow + "\"/>");
        if (control.checked) {
          picture.Raw("<circle cx=\"" + SvgNumber(x + 6.5) + "\" cy=\"" + SvgNumber(middle - 4) +
                      "\" r=\"3\" fill=\"#000000\"/>");
        }
        FittedText(picture, x + 17, middle, caption, w - 17, ink);
        break;
      case ControlKind::kEdit:
        picture.Rect(x + 0.5, y + 0.5, w - 1, h - 1, "#ffffff", kShadow);
        // A field shows the start of a longer text; the rest lies past its edge.
        picture.Text(x + 3, middle, control.text, ink, "xml:space=\"preserve\"");
        break;
      case ControlKind::kCombo:
      case ControlKind::kDropList:
        picture.Rect(x + 0.5, y + 0.5, w - 1, h - 1, "#ffffff", kShadow);
        picture.BeginClip(x, y, w - 15, h);
        picture.Text(x + 3, middle, control.text, ink, "xml:space=\"preserve\"");
        picture.EndClip();
        picture.Rect(x + w - 15, y + 1, 14, h - 2, kFace, kShadow);
        picture.Text(x + w - 8, middle, "v", "#000000", "text-anchor=\"middle\"");
        break;
      case ControlKind::kList: {
        picture.Rect(x + 0.5, y + 0.5, w - 1, h - 1, "#ffffff", kShadow);
        const double itemHeight = AFX_CHECKLIST_ITEM_HEIGHT;
        const double items = static_cast<double>(control.items.size());
        // Items past the bottom edge are there to scroll to: a scroll bar says so.
        const bool scrolls = items * itemHeight > h - 2;
        const double inner = scrolls ? w - kSvgScrollBar : w;
        picture.BeginClip(x + 1, y + 1, inner - 2, h - 2);
        for (std::size_t i = 0; i < control.items.size(); ++i) {
          const double itemTop = y + 1 + static_cast<double>(i) * itemHeight;
          if (itemTop >= y + h) break;
          double textLeft = x + 3;
          if (control.checkList) {
            picture.Rect(x + 3.5, itemTop + 3.5, 10, 10, "#ffffff", "#000000");
            if (control.ticks[i]) {
              picture.Text(x + 8.5, itemTop + 12, "x", "#000000", "text-anchor=\"middle\"");
            }
            textLeft = x + 3 + AFX_CHECKLIST_BOX_WIDTH;
          }
          if (!control.checkList && static_cast<int>(i) == control.selected) {
            picture.Rect(x + 1, itemTop, inner - 2, itemHeight, "#0a246a");
          }
          picture.Text(
              textLeft, itemTop + 12, control.items[i],
              !control.checkList && static_cast<int>(i) == control.selected ? "#ffffff" : ink,
              "xml:space=\"preserve\"");
        }
        picture.EndClip();
        if (scrolls) {
          picture.ScrollBar(x + w - kSvgScrollBar, y, h, h - 2, items * itemHeight, true);
        }
        break;
      }
      case ControlKind::kSpin:
        picture.Rect(x + 0.5, y + 0.5, w - 1, h / 2 - 0.5, kFace, kShadow);
        picture.Rect(x + 0.5, y + h / 2, w - 1, h / 2 - 0.5, kFace, kShadow);
        break;
      case ControlKind::kOther:
        picture.Rect(x + 0.5, y + 0.5, w - 1, h - 1, "none", kShadow, "stroke-dasharray=\"2,2\"");
        break;
    }
    picture.EndClip();
  }
  picture.Raw("</g>");
  return picture.Finish();
}
