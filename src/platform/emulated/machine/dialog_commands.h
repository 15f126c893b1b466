#pragma once
// What the scripted operator does to dialogs and to the folder chooser: one
// command a line in the operator's queue, in order with the answers to
// message boxes (operator.h). A control is named by its id or by its text as
// shown (without the '&' of its mnemonic):
//
//   press CONTROL         click a button, check box or radio button
//   type CONTROL TEXT     replace the text of an edit, as typed
//   tick CONTROL          tick a check box (nothing when ticked already)
//   untick CONTROL        clear a check box (nothing when clear already)
//   choose CONTROL        select a radio button
//   enter | esc | space   the keys, as the dialog manager takes them
//   tab | backtab         move the focus to the next or previous control
//   close                 the close box of the caption
//   browse select FOLDER  in the folder chooser, select a folder in the tree
//   browse type TEXT      type into the chooser's folder name box
//   browse new NAME       make a new folder in the selected one and select it
//   browse ok | browse cancel
//   browse choose FOLDER  select a folder and press OK
//
// TEXT is the rest of the line; in double quotes it may keep blanks at its
// ends and hold \" \\ \t \n \r and \xHH.
#include <string>

namespace emu {

enum class DialogAction {
  Press,
  Type,
  Tick,
  Untick,
  Choose,
  Enter,
  Esc,
  Space,
  Tab,
  BackTab,
  Close,
  BrowseSelect,
  BrowseType,
  BrowseNew,
  BrowseOk,
  BrowseCancel,
  BrowseChoose,
};

struct DialogCommand {
  DialogAction action = DialogAction::Enter;
  std::string control;  // an id or a text as shown
  std::string text;     // typed text, or a folder
};

// False with a reason when the line is no dialog command.
bool ParseDialogCommand(const std::string& line, DialogCommand& command, std::string& error);
// Commands for the folder chooser start with "browse".
bool IsBrowseAction(DialogAction action);

// A control name that is a number gives its id.
bool ControlIdOf(const std::string& name, int& id);

}  // namespace emu
