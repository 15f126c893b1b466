#pragma once
// Dialogs built from the program's dialog templates: a modal dialog, child
// dialogs (pages) inside it, their controls by id, the mouse cursor and the
// folder chooser. Each function mirrors one Windows call; positions are in
// pixels. The code that owns a dialog learns what happens to it through
// DialogEvents, the messages a dialog procedure receives.
#include <functional>
#include <string>

#include "platform/ui.h"

namespace platform {

struct DialogState;
using DialogHandle = DialogState*;

class DialogEvents {
 public:
  virtual ~DialogEvents() = default;
  // WM_INITDIALOG: the dialog and its controls exist and nothing is shown
  // yet. The focus is left where these events put it (the procedure answers
  // FALSE).
  virtual void OnInitDialog(DialogHandle dialog) = 0;
  // WM_COMMAND with BN_CLICKED: a button of this dialog was pressed (a check
  // box or radio button has changed its state first), or the dialog manager
  // turned a key into a command: Enter gives the default button's id (kIdOk),
  // Esc gives kIdCancel, the close box kIdCancel unless button kIdCancel is
  // disabled.
  virtual void OnCommand(DialogHandle dialog, int id) = 0;
};

// DialogBoxParamA(this program, template, owner, procedure): creates the
// dialog hidden, runs OnInitDialog, shows it (a dialog ended during
// initialisation is never shown) and runs it to its end. The result given to
// EndModalDialog; -1 when the template can't be loaded
// (kErrResourceNameNotFound).
int RunModalDialog(unsigned templateId, WindowHandle owner, DialogEvents& events);
// EndDialog: RunModalDialog returns `result` once the current command is done.
bool EndModalDialog(DialogHandle dialog, int result);
// CreateDialogParamA(this program, template, parent, procedure): a modeless
// dialog, hidden; from a child template, a page inside `parent`, from a
// pop-up one a window of its own (`parent` may then be none). OnInitDialog
// runs before it returns. nullptr on failure.
DialogHandle CreateModelessDialog(unsigned templateId, DialogHandle parent, DialogEvents& events);
// DestroyWindow: the dialog and its controls are gone.
bool DestroyDialog(DialogHandle dialog);
// The dialog as a window, to own message boxes (the same HWND).
WindowHandle AsWindow(DialogHandle dialog);

// GetWindowTextA / SetWindowTextA on the dialog itself: its caption.
std::string DialogCaption(DialogHandle dialog);
bool SetDialogCaption(DialogHandle dialog, const std::string& caption);
// IsWindowVisible on the dialog: it and every window it lies in are shown.
bool IsDialogVisible(DialogHandle dialog);
// LoadIconA(this program, icon) and WM_SETICON, big and small: the icon of
// the dialog's caption.
bool SetDialogIcon(DialogHandle dialog, unsigned iconId);

// Controls by id (GetDlgItem). A missing control reads as empty, hidden,
// disabled and unticked, and changing one fails.
//
// GetDlgItemTextA, the whole text.
std::string ControlText(DialogHandle dialog, int id);
// SetDlgItemTextA.
bool SetControlText(DialogHandle dialog, int id, const std::string& text);
// IsWindowVisible / ShowWindow(SW_SHOW or SW_HIDE).
bool IsControlVisible(DialogHandle dialog, int id);
bool ShowControl(DialogHandle dialog, int id, bool show);
// IsWindowEnabled / EnableWindow.
bool IsControlEnabled(DialogHandle dialog, int id);
bool EnableControl(DialogHandle dialog, int id, bool enable);
// IsDlgButtonChecked (BST_CHECKED) / CheckDlgButton (BST_CHECKED or BST_UNCHECKED).
bool IsButtonChecked(DialogHandle dialog, int id);
bool CheckButton(DialogHandle dialog, int id, bool checked);
// CheckRadioButton: ticks `id` and clears the others from `first` to `last`.
bool CheckRadioButtonInRange(DialogHandle dialog, int first, int last, int id);
// SetFocus(GetDlgItem).
bool FocusControl(DialogHandle dialog, int id);
// GetDlgCtrlID(GetFocus()) when the focus lies on a control of the dialog
// or of its pages; 0 otherwise.
int FocusedControl(DialogHandle dialog);
// EM_SETSEL: a start of -1 removes the selection.
bool SelectEditText(DialogHandle dialog, int id, int start, int end);
// EM_SCROLLCARET.
bool ScrollEditCaret(DialogHandle dialog, int id);

struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};
// GetWindowRect on a control or on the dialog: screen coordinates.
bool ControlScreenRect(DialogHandle dialog, int id, PixelRect& rect);
bool DialogScreenRect(DialogHandle dialog, PixelRect& rect);
// ScreenToClient on both corners: screen coordinates to the dialog's client area.
bool ScreenToClientRect(DialogHandle dialog, PixelRect& rect);
// SetWindowPos(dialog, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW):
// moves a page within its parent's client area, puts it on top of its
// siblings and shows it; its size stays.
bool PlaceOnTopAndShow(DialogHandle dialog, int x, int y);
// UpdateWindow: what needs painting in the dialog and its controls is
// painted now, before the call returns.
bool RepaintNow(DialogHandle dialog);

// SetCursor(LoadCursorA(NULL, IDC_ARROW or IDC_WAIT)).
enum class CursorShape { Arrow, Wait };
void ShowCursorShape(CursorShape shape);

// The folder chooser: SHBrowseForFolderA and what goes with it.
struct BrowseState;
using BrowseDialog = BrowseState*;
struct FolderItemState;
using FolderItem = FolderItemState*;
enum BrowseFlag : unsigned {
  kBifReturnOnlyFsDirs = 0x01,
  kBifEditBox = 0x10,
  kBifValidate = 0x20,
  kBifNewDialogStyle = 0x40,
};
enum class BrowseNotice {
  Initialized,       // BFFM_INITIALIZED
  SelectionChanged,  // BFFM_SELCHANGED
  ValidateFailed,    // BFFM_VALIDATEFAILEDA: `typed` is the rejected name
};
// BrowseCallbackProc: its result is the procedure's; for ValidateFailed,
// non-zero keeps the chooser open.
using BrowseCallback = std::function<int(BrowseDialog chooser, BrowseNotice notice, const std::string& typed)>;
// SHBrowseForFolderA with no root (the whole namespace), a MAX_PATH display
// name buffer, `title` and `flags`: modal to `owner`; the chosen item, or
// nullptr when the user cancelled.
FolderItem BrowseForFolder(WindowHandle owner, const std::string& title, unsigned flags,
                           const BrowseCallback& callback);
// BFFM_SETSELECTIONA with the path as a string.
void SetBrowseSelection(BrowseDialog chooser, const std::string& path);
// SHGetPathFromIDListA: false when the item is no file-system folder.
bool PathFromFolderItem(FolderItem item, std::string& path);
// SHGetMalloc and its Free.
void FreeFolderItem(FolderItem item);

}  // namespace platform
