#include "platform/emulated/machine/dialog_view.h"

namespace emu {

const char* ControlKindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::PushButton:
      return "button";
    case ControlKind::CheckBox:
      return "check box";
    case ControlKind::RadioButton:
      return "radio button";
    case ControlKind::GroupBox:
      return "group box";
    case ControlKind::Text:
      return "text";
    case ControlKind::Edit:
      return "edit";
    case ControlKind::Picture:
      return "picture";
    case ControlKind::Line:
      return "line";
    case ControlKind::Other:
      break;
  }
  return "control";
}

std::string DescribeControl(const ControlView& control) {
  std::string line = ControlKindName(control.kind);
  if (control.id != -1) line += " " + std::to_string(control.id);
  if (control.kind == ControlKind::Picture) {
    line += " bitmap " + std::to_string(control.imageId);
  } else if (control.kind != ControlKind::Line) {
    line += " " + QuotedText(control.text);
  }
  if (!control.visible) line += " hidden";
  if (!control.enabled) line += " disabled";
  if (control.checked) line += " checked";
  if (control.isDefault) line += " default";
  if (control.focused) line += " focused";
  if (control.selectionStart != control.selectionEnd) {
    line += " selected " + std::to_string(control.selectionStart) + "-" + std::to_string(control.selectionEnd);
  }
  if (control.firstLine > 0) line += " from line " + std::to_string(control.firstLine + 1);
  return line;
}

std::string DescribeDialog(const DialogView& view, const std::string& verb) {
  std::string block = "dialog " + std::to_string(view.templateId) + " " + QuotedText(view.caption) + " " + verb + "\n";
  for (const ControlView& control : view.controls) block += "  " + DescribeControl(control) + "\n";
  for (const PageView& page : view.pages) {
    block += "  page " + std::to_string(page.templateId) + " at " + std::to_string(page.x) + "," +
             std::to_string(page.y) + (page.visible ? "" : " hidden") + "\n";
    for (const ControlView& control : page.controls) block += "    " + DescribeControl(control) + "\n";
  }
  return block;
}

std::string WithoutMnemonics(const std::string& text) {
  std::string shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&') {
      if (i + 1 < text.size() && text[i + 1] == '&') {
        shown.push_back('&');
        ++i;
      }
      continue;
    }
    shown.push_back(text[i]);
  }
  return shown;
}

}  // namespace emu
