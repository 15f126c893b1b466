// The folder chooser of the emulated machine, in place of the shell's
// browse dialog: a tree of the machine's folders with a selection, a box for
// a typed folder name and a button for a new folder. It hands back only
// file-system folders; with validation, a typed name that names no folder
// goes to the callback, which may keep the chooser open. The scripted
// operator drives it with "browse" commands; a person at the terminal with
// keys.
#include <algorithm>
#include <memory>

#include "platform/dialogs.h"
#include "platform/emulated/impl/dialog_windows.h"
#include "platform/emulated/machine/dialog_commands.h"
#include "platform/emulated/machine/machine.h"
#include "platform/emulated/machine/operator.h"
#include "platform/emulated/machine/paths.h"
#include "platform/emulated/machine/terminal.h"
#include "platform/emulated/machine/terminal_view.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/text.h"

namespace platform {

struct BrowseState {
  std::string title;
  std::string selection;  // "" is the computer itself, above the drives
  std::string typed;
  unsigned flags = 0;
  const BrowseCallback* callback = nullptr;
  bool done = false;
  FolderItem result = nullptr;
  // The terminal's own state.
  std::size_t highlighted = 0;
  emu::ChooserView::Part focus = emu::ChooserView::List;
};

struct FolderItemState {
  std::string path;
};

namespace {

using dialogs::Note;

bool IsFolder(const std::string& path) {
  const std::uint32_t attributes = GetAttributes(path);
  return attributes != kInvalidAttributes && (attributes & kAttrDirectory) != 0;
}

// The folder as the machine spells it, without a trailing backslash unless
// it is a drive's root; "" when it is no folder of a drive of the machine.
std::string CanonicalFolder(const std::string& path) {
  std::string host;
  if (path.empty() || !IsFolder(path) || !emu::ToHostPath(path, host)) return "";
  std::string folder = emu::ToWindowsPath(host);
  if (folder.size() < 2 || folder[1] != ':' || folder[0] == 'Z' || folder[0] == 'z') return "";
  while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return folder;
}

// What the chooser shows in its name box for a folder: its last name.
std::string DisplayName(const std::string& folder) {
  if (folder.size() <= 3) return folder;
  const std::size_t slash = FindLastBackslash(folder);
  return slash == std::string::npos ? folder : folder.substr(slash + 1);
}

std::string Join(const std::string& folder, const std::string& name) {
  return folder.empty() || folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

void Select(BrowseState& chooser, const std::string& folder) {
  if (folder == chooser.selection) return;
  chooser.selection = folder;
  chooser.typed = DisplayName(folder);
  chooser.highlighted = 0;
  Note("folder chooser selects " + (folder.empty() ? std::string("the computer") : folder));
  (*chooser.callback)(&chooser, BrowseNotice::SelectionChanged, "");
}

void Close(BrowseState& chooser, const std::string& folder) {
  chooser.done = true;
  if (folder.empty()) {
    Note("folder chooser cancelled");
    return;
  }
  chooser.result = new FolderItemState{folder};
  Note("folder chooser closed with " + folder);
}

// OK: the selection, or the folder the typed name gives (a full path, or a
// name inside the selection). A name that gives no folder goes to the
// callback, which keeps the chooser open with a non-zero answer.
void PressOk(BrowseState& chooser) {
  if (chooser.selection.empty() && (chooser.flags & kBifReturnOnlyFsDirs)) {
    Note("  nothing happens: the computer is no file-system folder");
    return;
  }
  const std::string typed = chooser.typed;
  if (!(chooser.flags & kBifEditBox) || typed.empty() || typed == DisplayName(chooser.selection)) {
    return Close(chooser, chooser.selection);
  }
  const bool absolute = (typed.size() >= 2 && typed[1] == ':') || typed.rfind("\\\\", 0) == 0;
  const std::string folder = CanonicalFolder(absolute ? typed : Join(chooser.selection, typed));
  if (!folder.empty()) return Close(chooser, folder);
  Note("folder chooser rejects " + emu::QuotedText(typed));
  if (!(chooser.flags & kBifValidate)) return;
  if ((*chooser.callback)(&chooser, BrowseNotice::ValidateFailed, typed) == 0) Close(chooser, "");
}

void MakeNewFolder(BrowseState& chooser, const std::string& name) {
  if (chooser.selection.empty()) {
    Note("  nothing happens: no folder is selected");
    return;
  }
  const std::string folder = Join(chooser.selection, name);
  if (!CreateFolder(folder)) {
    Note("folder chooser cannot make " + folder + " (error " + std::to_string(LastError()) + ")");
    return;
  }
  Note("folder chooser made " + folder);
  Select(chooser, CanonicalFolder(folder));
}

std::string ChooserBlock(const BrowseState& chooser) {
  return "folder chooser waits\n  selected " +
         emu::QuotedText(chooser.selection.empty() ? std::string("the computer") : chooser.selection) +
         "\n  folder name " + emu::QuotedText(chooser.typed) + "\n";
}

void OperatorStep(BrowseState& chooser, const std::string& line) {
  const std::string machine = emu::MachineFolder();
  emu::AppendToTranscript(machine, ChooserBlock(chooser));
  emu::DialogCommand command;
  std::string error;
  if (!emu::ParseDialogCommand(line, command, error)) {
    dialogs::FailNoInput("operator command \"" + line + "\" for the folder chooser: " + error);
  }
  if (!emu::IsBrowseAction(command.action)) {
    dialogs::FailNoInput("operator command \"" + line + "\": the folder chooser is open");
  }
  Note("operator: " + line);
  switch (command.action) {
    case emu::DialogAction::BrowseSelect:
    case emu::DialogAction::BrowseChoose: {
      const std::string folder = CanonicalFolder(command.text);
      if (folder.empty()) dialogs::FailNoInput("operator command \"" + line + "\": the chooser shows no such folder");
      Select(chooser, folder);
      if (command.action == emu::DialogAction::BrowseChoose) PressOk(chooser);
      return;
    }
    case emu::DialogAction::BrowseType:
      chooser.typed = command.text;
      return;
    case emu::DialogAction::BrowseNew:
      return MakeNewFolder(chooser, command.text);
    case emu::DialogAction::BrowseOk:
      return PressOk(chooser);
    default:
      return Close(chooser, "");
  }
}

// --- the person at the terminal ----------------------------------------------

std::vector<std::string> Entries(const BrowseState& chooser) {
  std::vector<std::string> entries;
  if (chooser.selection.empty()) {
    entries.push_back("C:\\");
    for (char letter : emu::Settings().extraDrives) entries.push_back(std::string(1, letter) + ":\\");
    return entries;
  }
  entries.push_back("..");
  FindData found;
  std::vector<std::string> folders;
  if (FindHandle find = FindFirst(Join(chooser.selection, "*"), found)) {
    do {
      if ((found.attributes & kAttrDirectory) && found.name != "." && found.name != "..") folders.push_back(found.name);
    } while (FindNext(find, found));
    FindClose(find);
  }
  std::sort(folders.begin(), folders.end());
  entries.insert(entries.end(), folders.begin(), folders.end());
  return entries;
}

void OpenHighlighted(BrowseState& chooser, const std::vector<std::string>& entries) {
  if (chooser.highlighted >= entries.size()) return;
  const std::string& entry = entries[chooser.highlighted];
  if (chooser.selection.empty()) return Select(chooser, entry);
  if (entry == "..") return Select(chooser, chooser.selection.size() <= 3 ? "" : emu::FolderOf(chooser.selection));
  Select(chooser, CanonicalFolder(Join(chooser.selection, entry)));
}

void TerminalStep(BrowseState& chooser, emu::TerminalSession& terminal) {
  using Part = emu::ChooserView::Part;
  const std::vector<std::string> entries = Entries(chooser);
  emu::ChooserView view;
  view.title = chooser.title;
  view.selection = chooser.selection;
  view.entries = entries;
  view.highlighted = chooser.highlighted;
  view.typed = chooser.typed;
  view.focus = chooser.focus;
  view.okEnabled = !(chooser.selection.empty() && (chooser.flags & kBifReturnOnlyFsDirs));
  terminal.Draw(emu::RenderChooser(view, terminal.Width(), terminal.Height()));
  const emu::Key key = terminal.ReadKey();
  if (key.kind == emu::KeyKind::Char && static_cast<unsigned char>(key.ch) < 0x20) return;
  Note("keyboard: " + emu::KeyName(key));
  const bool press = key.kind == emu::KeyKind::Enter || key.kind == emu::KeyKind::Space;
  switch (key.kind) {
    case emu::KeyKind::Closed:
      dialogs::FailNoInput("the terminal closed while the folder chooser waited");
    case emu::KeyKind::Escape:
      return Close(chooser, "");
    case emu::KeyKind::Tab:
    case emu::KeyKind::BackTab:
      chooser.focus = static_cast<Part>((chooser.focus + (key.kind == emu::KeyKind::Tab ? 1 : 4)) % 5);
      return;
    case emu::KeyKind::Up:
    case emu::KeyKind::Down:
      if (chooser.focus == Part::List && !entries.empty()) {
        if (key.kind == emu::KeyKind::Up && chooser.highlighted > 0) --chooser.highlighted;
        if (key.kind == emu::KeyKind::Down && chooser.highlighted + 1 < entries.size()) ++chooser.highlighted;
      }
      return;
    default:
      break;
  }
  if (chooser.focus == Part::Name && !press) {
    if (key.kind == emu::KeyKind::Backspace && !chooser.typed.empty()) {
      std::size_t start = 0;
      for (std::size_t next = 0; next < chooser.typed.size(); next = NextCharIndex(chooser.typed, next)) start = next;
      chooser.typed.erase(start);
    } else if (key.kind == emu::KeyKind::Char) {
      chooser.typed.push_back(key.ch);
    }
    return;
  }
  if (chooser.focus == Part::Name && key.kind == emu::KeyKind::Space) {
    chooser.typed.push_back(' ');
    return;
  }
  if (!press) return;
  switch (chooser.focus) {
    case Part::List:
      return OpenHighlighted(chooser, entries);
    case Part::Name:
    case Part::Ok:
      return PressOk(chooser);
    case Part::NewFolder: {
      // A name typed that is no folder yet becomes the new folder's name.
      const bool fresh = !chooser.typed.empty() && chooser.typed != DisplayName(chooser.selection) &&
                         CanonicalFolder(Join(chooser.selection, chooser.typed)).empty();
      return MakeNewFolder(chooser, fresh ? chooser.typed : "New Folder");
    }
    case Part::Cancel:
      return Close(chooser, "");
  }
}

}  // namespace

FolderItem BrowseForFolder(WindowHandle owner, const std::string& title, unsigned flags,
                           const BrowseCallback& callback) {
  BrowseState chooser;
  chooser.title = title;
  chooser.flags = flags;
  chooser.callback = &callback;
  std::string ownerName = "no window";
  dialogs::DescribeOwner(owner, ownerName);
  Note("folder chooser " + emu::QuotedText(title) + " opened, modal to " + ownerName);
  callback(&chooser, BrowseNotice::Initialized, "");
  std::unique_ptr<emu::TerminalSession> terminal;
  while (!chooser.done) {
    const std::string machine = emu::MachineFolder();
    std::string line;
    const emu::TakeResult taken = machine.empty() ? emu::TakeResult::Failed : emu::TakeOperatorAnswer(machine, line);
    if (taken == emu::TakeResult::Taken) {
      OperatorStep(chooser, line);
    } else if (taken == emu::TakeResult::Empty && emu::TerminalAvailable()) {
      if (!terminal) terminal = std::make_unique<emu::TerminalSession>();
      TerminalStep(chooser, *terminal);
    } else {
      if (!machine.empty()) emu::AppendToTranscript(machine, ChooserBlock(chooser));
      dialogs::FailNoInput("no operator command for the folder chooser " + emu::QuotedText(title));
    }
  }
  return chooser.result;
}

void SetBrowseSelection(BrowseDialog chooser, const std::string& path) {
  if (chooser == nullptr) return;
  const std::string folder = CanonicalFolder(path);
  if (!folder.empty()) Select(*chooser, folder);
}

bool PathFromFolderItem(FolderItem item, std::string& path) {
  if (item == nullptr || item->path.empty()) return false;
  path = item->path;
  return true;
}

void FreeFolderItem(FolderItem item) { delete item; }

}  // namespace platform
