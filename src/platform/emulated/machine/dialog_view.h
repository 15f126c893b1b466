#pragma once
// What a person would see of a dialog at one moment: its caption, its
// controls with their texts and states, and the pages inside it. The
// emulated dialog manager describes every dialog that waits for the operator
// this way, in the transcript and on a terminal.
#include <string>
#include <vector>

#include "platform/emulated/machine/quoted_text.h"

namespace emu {

enum class ControlKind { PushButton, CheckBox, RadioButton, GroupBox, Text, Edit, Picture, Line, Other };

// "button", "check box", "radio button", "group box", "text", "edit", "picture", "line", "control".
const char* ControlKindName(ControlKind kind);

struct ControlView {
  ControlKind kind = ControlKind::Other;
  int id = -1;  // -1: a control without an id of its own
  std::string text;
  unsigned imageId = 0;  // a picture's bitmap
  bool visible = true;
  bool enabled = true;
  bool checked = false;
  bool focused = false;
  bool isDefault = false;  // Enter presses it
  bool multiline = false;  // an edit of several lines
  int selectionStart = 0, selectionEnd = 0;  // an edit's selection; empty when equal
  int firstLine = 0;                         // an edit's first line shown
  int top = 0, bottom = 0;                   // in its dialog's client area, in pixels
};

struct PageView {
  unsigned templateId = 0;
  int x = 0, y = 0;  // in the dialog's client area, in pixels
  bool visible = false;
  std::vector<ControlView> controls;
};

struct DialogView {
  unsigned templateId = 0;
  std::string caption;
  std::vector<ControlView> controls;
  std::vector<PageView> pages;  // front first
};

// One control as a line: kind, id, quoted text, then its states.
std::string DescribeControl(const ControlView& control);
// The dialog as a transcript block: a first line naming it and `verb`
// ("waits", "repainted"), then one line per control, pages indented.
std::string DescribeDialog(const DialogView& view, const std::string& verb);

// The text as shown: "&&" gives "&", a single "&" marks the next letter and
// is not shown.
std::string WithoutMnemonics(const std::string& text);

}  // namespace emu
