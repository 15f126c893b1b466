#pragma once
// The emulated dialog manager's windows: dialogs made from the generated
// templates, their controls, the focus, and the transcript notes of every
// change a person would see. Shared by the platform definitions of
// dialogs.h (dialogs.cpp), the modal loop that lets the operator or a person
// at the terminal act (dialog_loop.cpp), the folder chooser and the message
// boxes.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/emulated/machine/dialog_template.h"
#include "platform/emulated/machine/dialog_view.h"

namespace platform {

struct ControlState {
  int id = -1;
  emu::ControlKind kind = emu::ControlKind::Other;
  std::string text;
  unsigned imageId = 0;
  std::uint32_t style = 0;
  bool visible = true;
  bool enabled = true;
  bool checked = false;
  bool tabStop = false;
  bool group = false;      // starts a group (WS_GROUP)
  bool isDefault = false;  // a default push button
  bool autoButton = false;  // an automatic check box or radio button: a click changes its state
  bool multiline = false;
  bool readOnly = false;
  PixelRect rect;  // in the dialog's client area
  int selectionStart = 0, selectionEnd = 0;
  int firstLine = 0;
};

struct DialogState {
  unsigned templateId = 0;
  DialogState* parent = nullptr;  // a page's frame; nullptr for a top-level dialog
  DialogEvents* events = nullptr;
  std::string caption;
  bool visible = false;
  bool child = false;  // made from a child template
  PixelRect rect;      // screen coordinates, or the parent's client area for a child
  int clientLeft = 0, clientTop = 0;  // offset of the client area inside rect
  std::vector<ControlState> controls;
  std::vector<DialogState*> pages;  // child dialogs, front first
  int defaultId = 0;
  bool ended = false;
  int result = 0;
  unsigned iconId = 0;
};

namespace dialogs {

// The screen the emulated dialogs are centred on, and the frame metrics.
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
constexpr int kBorder = 3;    // a modal frame's border
constexpr int kCaption = 19;  // the caption bar
// A program's status when a dialog finds no operator command, or one it
// can't carry out.
constexpr int kNoCommandExitStatus = 4;

// Dialog units to pixels by the dialog font's base units (MS Sans Serif
// 8 point: 6 x 13), as MapDialogRect rounds them.
int UnitsToPixelsX(int units);
int UnitsToPixelsY(int units);

const emu::DialogTemplate* FindTemplate(unsigned id);
const emu::ImageResource* FindImage(unsigned id, bool icon);

// Makes a dialog and its controls from a template, hidden; nullptr when
// there is no such template.
DialogState* Create(unsigned templateId, DialogState* parent, DialogEvents& events);
// Destroys a dialog with its pages; the focus inside goes with it.
void Destroy(DialogState* dialog);
// The handle names a dialog that exists.
bool Exists(const DialogState* dialog);
// The dialog as the transcript names it: "dialog 105".
std::string NameOf(const DialogState* dialog);
bool DescribeOwner(WindowHandle owner, std::string& description);

ControlState* FindControl(DialogState* dialog, int id);
bool IsShown(const DialogState* dialog);
bool CanTakeInput(const DialogState* dialog, const ControlState& control);

// The focus: a control of some dialog, or nothing.
struct Focus {
  DialogState* dialog = nullptr;
  int index = -1;
};
Focus& TheFocus();
ControlState* FocusedControlState();
void SetFocusTo(DialogState* dialog, ControlState* control);

// The controls in tab order: the pages' controls first (they lie on top of
// the frame's), then the dialog's own.
struct TabItem {
  DialogState* dialog = nullptr;
  ControlState* control = nullptr;
};
void InTabOrder(DialogState* dialog, std::vector<TabItem>& order);

// Changes a person would see, noted in the transcript when they change
// anything.
void SetText(DialogState* dialog, ControlState& control, const std::string& text);
void SetVisible(DialogState* dialog, ControlState& control, bool visible);
void SetEnabled(DialogState* dialog, ControlState& control, bool enabled);
void SetChecked(DialogState* dialog, ControlState& control, bool checked);

// One line of the machine's transcript.
void Note(const std::string& line);

// The dialog with its pages as a person sees it.
emu::DialogView ViewOf(DialogState* dialog);
// The top-level dialog that holds `dialog`.
DialogState* TopOf(DialogState* dialog);

// The modal loop: waits for one command of the operator (or a key of a
// person at the terminal) for the top-level dialog and carries it out.
void WaitForInput(DialogState* modal);
// A click on a control: the focus moves to it, an automatic button changes
// its state, and its dialog gets the command.
void Click(DialogState* dialog, ControlState& control);

// Ends the program because nobody can act on what waits: a clear message on
// standard error, a note in the transcript, status kNoCommandExitStatus.
[[noreturn]] void FailNoInput(const std::string& problem);

}  // namespace dialogs
}  // namespace platform
