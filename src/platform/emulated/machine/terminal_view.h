#pragma once
// Screens of the terminal interface: a dialog with its pages, a message box
// and the folder chooser, laid out as lines one control below the other. The
// focused control is shown in reverse video and in braces; a disabled button
// in parentheses; check boxes as [x] and radio buttons as (*).
#include <string>
#include <vector>

#include "platform/emulated/machine/dialog_view.h"
#include "platform/emulated/machine/terminal.h"

namespace emu {

std::vector<ScreenLine> RenderDialog(const DialogView& view, int width, int height);

std::vector<ScreenLine> RenderMessageBox(const std::string& caption, const std::string& text,
                                         const std::vector<std::string>& buttons, std::size_t focused, int width);

struct ChooserView {
  enum Part { List, Name, NewFolder, Ok, Cancel };
  std::string title;
  std::string selection;             // the folder selected; "" for the computer itself
  std::vector<std::string> entries;  // what can be opened from there, ".." first when there is a parent
  std::size_t highlighted = 0;
  std::string typed;                 // the folder name box
  Part focus = List;
  bool okEnabled = true;
};
std::vector<ScreenLine> RenderChooser(const ChooserView& view, int width, int height);

// `text` broken into lines at its line breaks and between words, each at
// most `width` bytes.
std::vector<std::string> WrapText(const std::string& text, std::size_t width);

}  // namespace emu
