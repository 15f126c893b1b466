#include "platform/emulated/machine/terminal_view.h"

#include <algorithm>

namespace emu {

namespace {

constexpr std::size_t kIndent = 2;
// Controls this far apart, in pixels, get a blank line between them.
constexpr int kGapPixels = 6;

ScreenLine Plain(const std::string& text) { return {text, 0, 0}; }

// A line of a control; the focused one starts with "> " and is in reverse
// video from `from` on.
ScreenLine Marked(const std::string& text, bool mark, std::size_t from = 0) {
  ScreenLine line{text, 0, 0};
  if (mark) {
    if (line.text.size() >= 2 && line.text.compare(0, 2, "  ") == 0) line.text.replace(0, 2, "> ");
    line.markStart = from;
    line.markEnd = line.text.size();
  }
  return line;
}

ScreenLine TitleBar(const std::string& caption, std::size_t width) {
  std::string bar = "== " + caption + " ";
  if (bar.size() < width) bar += std::string(width - bar.size(), '=');
  return Plain(bar);
}

// A row of buttons: [ Label ], the focused one in braces and reverse video,
// a disabled one in parentheses.
struct ButtonFace {
  std::string label;
  bool focused;
  bool enabled;
};
ScreenLine ButtonRow(const std::vector<ButtonFace>& buttons, std::size_t indent) {
  ScreenLine line{std::string(indent, ' '), 0, 0};
  for (const ButtonFace& b : buttons) {
    if (line.text.size() > indent) line.text += "  ";
    const std::string face = b.focused ? "{ " + b.label + " }" : b.enabled ? "[ " + b.label + " ]" : "( " + b.label + " )";
    if (b.focused) {
      line.markStart = line.text.size();
      line.markEnd = line.text.size() + face.size();
    }
    line.text += face;
  }
  return line;
}

// The lines of a multi-line edit's text, with its own line breaks.
std::vector<std::string> EditLines(const std::string& text, std::size_t width) {
  std::string plain;
  for (char c : text) {
    if (c != '\r') plain.push_back(c);
  }
  return WrapText(plain, width);
}

void AddControl(const ControlView& c, std::size_t width, int editRows, std::vector<ScreenLine>& out) {
  const std::string pad(kIndent, ' ');
  const std::size_t inner = width > kIndent + 6 ? width - kIndent - 6 : 10;
  const std::string label = WithoutMnemonics(c.text);
  const std::string unavailable = c.enabled ? "" : " (unavailable)";
  switch (c.kind) {
    case ControlKind::Text:
      for (const std::string& line : WrapText(label, width - kIndent)) out.push_back(Plain(pad + line));
      break;
    case ControlKind::GroupBox:
      out.push_back(Plain(pad + "-- " + label + " --"));
      break;
    case ControlKind::Line:
      out.push_back(Plain(pad + std::string(width > 2 * kIndent ? width - 2 * kIndent : 1, '-')));
      break;
    case ControlKind::CheckBox:
    case ControlKind::RadioButton: {
      const bool check = c.kind == ControlKind::CheckBox;
      const std::string box = check ? (c.checked ? "[x] " : "[ ] ") : (c.checked ? "(*) " : "( ) ");
      const std::vector<std::string> lines = WrapText(label + unavailable, inner);
      for (std::size_t i = 0; i < lines.size(); ++i) {
        out.push_back(Marked(pad + (i == 0 ? box : "    ") + lines[i], c.focused && i == 0, kIndent));
      }
      break;
    }
    case ControlKind::PushButton:
      out.push_back(ButtonRow({{label, c.focused, c.enabled}}, kIndent));
      break;
    case ControlKind::Edit:
      if (c.multiline) {
        const std::vector<std::string> lines = EditLines(c.text, inner);
        const std::string rule = pad + "+" + std::string(inner + 2, '-') + "+";
        out.push_back(Marked(rule, c.focused, kIndent));
        const std::size_t first = std::min<std::size_t>(static_cast<std::size_t>(c.firstLine), lines.size());
        editRows = std::min(editRows, std::max(3, static_cast<int>(lines.size())));
        for (int row = 0; row < editRows; ++row) {
          const std::size_t at = first + static_cast<std::size_t>(row);
          std::string text = at < lines.size() ? lines[at] : "";
          text.resize(inner, ' ');
          out.push_back(Plain(pad + "| " + text + " |"));
        }
        std::string end = rule;
        if (lines.size() > first + static_cast<std::size_t>(editRows)) end += " (more: PageDown)";
        out.push_back(Plain(end));
      } else {
        std::string field = c.text;
        if (field.size() < 40) field.resize(40, '_');
        out.push_back(Marked(pad + "[" + field + "]" + unavailable, c.focused, kIndent));
      }
      break;
    case ControlKind::Picture:
    case ControlKind::Other:
      break;
  }
}

bool IsFrameButton(const ControlView& c) { return c.kind == ControlKind::PushButton; }

}  // namespace

std::vector<std::string> WrapText(const std::string& text, std::size_t width) {
  if (width == 0) width = 1;
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find('\n', start);
    std::string paragraph = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!paragraph.empty() && paragraph.back() == '\r') paragraph.pop_back();
    do {
      if (paragraph.size() <= width) {
        lines.push_back(paragraph);
        break;
      }
      std::size_t cut = paragraph.rfind(' ', width);
      if (cut == std::string::npos || cut == 0) cut = width;
      lines.push_back(paragraph.substr(0, cut));
      paragraph.erase(0, cut);
      if (!paragraph.empty() && paragraph.front() == ' ') paragraph.erase(0, 1);
    } while (!paragraph.empty());
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

std::vector<ScreenLine> RenderDialog(const DialogView& view, int width, int height) {
  const std::size_t w = static_cast<std::size_t>(std::max(width, 40));
  // The lines besides a multi-line edit's rows: caption, margins, the button
  // row and the help line take about ten, and the page's other controls.
  int editRows = std::max(3, height - 20);
  std::vector<ScreenLine> out;
  out.push_back(TitleBar(view.caption, w));
  out.push_back(Plain(""));
  for (const PageView& page : view.pages) {
    if (!page.visible) continue;
    // Top to bottom as the page lays them out (the tab order may differ).
    std::vector<ControlView> shown;
    for (const ControlView& c : page.controls) {
      if (c.visible) shown.push_back(c);
    }
    std::stable_sort(shown.begin(), shown.end(), [](const ControlView& a, const ControlView& b) { return a.top < b.top; });
    int bottom = -1;
    for (const ControlView& c : shown) {
      // A gap between controls in the dialog is a blank line here.
      if (bottom >= 0 && c.top >= bottom + kGapPixels) out.push_back(Plain(""));
      AddControl(c, w, editRows, out);
      bottom = std::max(bottom, c.bottom);
    }
  }
  std::vector<ButtonFace> buttons;
  for (const ControlView& c : view.controls) {
    if (!c.visible) continue;
    if (IsFrameButton(c)) {
      buttons.push_back({WithoutMnemonics(c.text), c.focused, c.enabled});
    } else if (c.kind != ControlKind::Line) {
      AddControl(c, w, editRows, out);
    }
  }
  out.push_back(Plain(""));
  out.push_back(Plain(std::string(kIndent, ' ') + std::string(w - 2 * kIndent, '-')));
  out.push_back(ButtonRow(buttons, kIndent));
  out.push_back(Plain(""));
  out.push_back(Plain("  Tab: next control  Space: press or tick  Enter: default button  Esc: cancel"));
  return out;
}

std::vector<ScreenLine> RenderMessageBox(const std::string& caption, const std::string& text,
                                         const std::vector<std::string>& buttons, std::size_t focused, int width) {
  const std::size_t w = static_cast<std::size_t>(std::max(width, 40));
  std::vector<ScreenLine> out;
  out.push_back(TitleBar(caption, w));
  out.push_back(Plain(""));
  for (const std::string& line : WrapText(text, w - 2 * kIndent)) out.push_back(Plain(std::string(kIndent, ' ') + line));
  out.push_back(Plain(""));
  std::vector<ButtonFace> faces;
  for (std::size_t i = 0; i < buttons.size(); ++i) faces.push_back({buttons[i], i == focused, true});
  out.push_back(ButtonRow(faces, kIndent));
  out.push_back(Plain(""));
  out.push_back(Plain("  Tab: next button  Enter or Space: press  the first letter: that button"));
  return out;
}

std::vector<ScreenLine> RenderChooser(const ChooserView& view, int width, int height) {
  const std::size_t w = static_cast<std::size_t>(std::max(width, 40));
  const std::string pad(kIndent, ' ');
  std::vector<ScreenLine> out;
  out.push_back(TitleBar("Browse for Folder", w));
  out.push_back(Plain(""));
  for (const std::string& line : WrapText(view.title, w - 2 * kIndent)) out.push_back(Plain(pad + line));
  out.push_back(Plain(""));
  out.push_back(Plain(pad + "Selected: " + (view.selection.empty() ? std::string("Computer") : view.selection)));
  const std::size_t rows = static_cast<std::size_t>(std::max(3, height - 16));
  std::size_t first = view.highlighted >= rows ? view.highlighted - rows + 1 : 0;
  for (std::size_t i = first; i < view.entries.size() && i < first + rows; ++i) {
    const bool here = i == view.highlighted;
    out.push_back(Marked(pad + (here ? "-> " : "   ") + view.entries[i], here && view.focus == ChooserView::List, kIndent));
  }
  if (view.entries.empty()) out.push_back(Plain(pad + "  (no folders here)"));
  out.push_back(Plain(""));
  std::string field = view.typed;
  if (field.size() < 40) field.resize(40, '_');
  out.push_back(Marked(pad + "Folder: [" + field + "]", view.focus == ChooserView::Name, kIndent));
  out.push_back(Plain(""));
  out.push_back(ButtonRow({{"Make New Folder", view.focus == ChooserView::NewFolder, true},
                           {"OK", view.focus == ChooserView::Ok, view.okEnabled},
                           {"Cancel", view.focus == ChooserView::Cancel, true}},
                          kIndent));
  out.push_back(Plain(""));
  out.push_back(Plain("  Up/Down: choose  Enter on the list: open  Tab: next  Esc: cancel"));
  return out;
}

}  // namespace emu
