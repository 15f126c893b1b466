// The emulated modal loop: a modal dialog waits for the scripted operator's
// next command, or, with nobody scripted and a terminal at hand, for a key
// of the person at the terminal, and the dialog manager turns it into what
// Windows' dialog manager would make of it.
#include <cstdio>
#include <memory>

#include "platform/dialogs.h"
#include "platform/emulated/impl/dialog_windows.h"
#include "platform/emulated/machine/dialog_commands.h"
#include "platform/emulated/machine/machine.h"
#include "platform/emulated/machine/operator.h"
#include "platform/emulated/machine/terminal.h"
#include "platform/emulated/machine/terminal_view.h"
#include "platform/errors.h"
#include "platform/process.h"
#include "platform/text.h"

namespace platform {
namespace dialogs {

namespace {

// The terminal stays in its raw mode while the outermost modal dialog runs.
std::unique_ptr<emu::TerminalSession>& Terminal() {
  static std::unique_ptr<emu::TerminalSession> terminal;
  return terminal;
}
int modalDepth = 0;

using Target = TabItem;

// A control of the modal dialog or of its pages, by id or by its text as shown.
Target Resolve(DialogState* modal, const std::string& name) {
  std::vector<Target> order;
  InTabOrder(modal, order);
  int id = 0;
  const bool byId = emu::ControlIdOf(name, id);
  for (const Target& t : order) {
    if (byId ? t.control->id == id : (t.control->visible && emu::WithoutMnemonics(t.control->text) == name)) return t;
  }
  return {};
}

void Nothing(const std::string& why) { Note("  nothing happens: " + why); }

bool IsButtonLike(const ControlState& c) {
  return c.kind == emu::ControlKind::PushButton || c.kind == emu::ControlKind::CheckBox ||
         c.kind == emu::ControlKind::RadioButton;
}

// Moves the focus to the next (or previous) control that takes Tab; an edit
// reached that way has its text selected, as the dialog manager does.
void MoveFocus(DialogState* modal, bool forward) {
  std::vector<Target> order;
  InTabOrder(modal, order);
  const int count = static_cast<int>(order.size());
  int at = -1;
  const ControlState* focused = FocusedControlState();
  for (int i = 0; i < count; ++i) {
    if (order[static_cast<std::size_t>(i)].control == focused) at = i;
  }
  for (int step = 1; step <= count; ++step) {
    const int i = ((at < 0 ? (forward ? -1 : 0) : at) + (forward ? step : -step) + 2 * count) % count;
    Target t = order[static_cast<std::size_t>(i)];
    if (t.control->tabStop && CanTakeInput(t.dialog, *t.control)) {
      SetFocusTo(t.dialog, t.control);
      if (t.control->kind == emu::ControlKind::Edit) {
        t.control->selectionStart = 0;
        t.control->selectionEnd = static_cast<int>(t.control->text.size());
      }
      return;
    }
  }
}

// Enter: the focused push button, else the default button when it is
// enabled; the command goes to the modal dialog, as IsDialogMessage sends it.
void PressEnter(DialogState* modal) {
  const ControlState* focused = FocusedControlState();
  if (focused != nullptr && focused->kind == emu::ControlKind::PushButton && CanTakeInput(TheFocus().dialog, *focused)) {
    modal->events->OnCommand(modal, focused->id);
    return;
  }
  const int id = modal->defaultId != 0 ? modal->defaultId : kIdOk;
  std::vector<Target> order;
  InTabOrder(modal, order);
  for (const Target& t : order) {
    if (t.control->id == id && !t.control->enabled) return Nothing("the default button is disabled");
  }
  modal->events->OnCommand(modal, id);
}

// The close box: the Cancel command, unless the Cancel button is disabled.
void PressCloseBox(DialogState* modal) {
  const ControlState* cancel = FindControl(modal, kIdCancel);
  if (cancel != nullptr && !cancel->enabled) return Nothing("the Cancel button is disabled");
  modal->events->OnCommand(modal, kIdCancel);
}

void PressSpace() {
  ControlState* focused = FocusedControlState();
  if (focused == nullptr || !IsButtonLike(*focused) || !CanTakeInput(TheFocus().dialog, *focused)) {
    return Nothing("no button has the focus");
  }
  Click(TheFocus().dialog, *focused);
}

void Apply(DialogState* modal, const emu::DialogCommand& command, const std::string& line) {
  using emu::DialogAction;
  switch (command.action) {
    case DialogAction::Enter:
      return PressEnter(modal);
    case DialogAction::Esc:
      return modal->events->OnCommand(modal, kIdCancel);
    case DialogAction::Close:
      return PressCloseBox(modal);
    case DialogAction::Tab:
    case DialogAction::BackTab:
      return MoveFocus(modal, command.action == DialogAction::Tab);
    case DialogAction::Space:
      return PressSpace();
    default:
      break;
  }
  Target t = Resolve(modal, command.control);
  if (t.control == nullptr) FailNoInput("operator command \"" + line + "\": no such control in " + NameOf(modal));
  const char* kind = emu::ControlKindName(t.control->kind);
  if (!CanTakeInput(t.dialog, *t.control)) {
    return Nothing(std::string("the ") + kind + (t.control->enabled ? " is hidden" : " is disabled"));
  }
  switch (command.action) {
    case DialogAction::Press:
      if (!IsButtonLike(*t.control)) return Nothing(std::string("a ") + kind + " can't be pressed");
      return Click(t.dialog, *t.control);
    case DialogAction::Tick:
    case DialogAction::Untick:
      if (t.control->kind != emu::ControlKind::CheckBox) {
        FailNoInput("operator command \"" + line + "\": the " + kind + " is no check box");
      }
      if (t.control->checked == (command.action == DialogAction::Tick)) {
        return Nothing(t.control->checked ? "ticked already" : "clear already");
      }
      return Click(t.dialog, *t.control);
    case DialogAction::Choose:
      if (t.control->kind != emu::ControlKind::RadioButton) {
        FailNoInput("operator command \"" + line + "\": the " + kind + " is no radio button");
      }
      return Click(t.dialog, *t.control);
    case DialogAction::Type:
      if (t.control->kind != emu::ControlKind::Edit) {
        FailNoInput("operator command \"" + line + "\": the " + kind + " is no edit");
      }
      SetFocusTo(t.dialog, t.control);
      if (t.control->readOnly) return Nothing("the edit is read-only");
      SetText(t.dialog, *t.control, command.text);
      t.control->selectionStart = t.control->selectionEnd = static_cast<int>(command.text.size());
      return;
    default:
      return;
  }
}

// --- the person at the terminal ----------------------------------------------

ControlState* FocusedEditable() {
  ControlState* c = FocusedControlState();
  if (c == nullptr || c->kind != emu::ControlKind::Edit || c->readOnly) return nullptr;
  return c;
}

void TypeAtTerminal(const emu::Key& key) {
  ControlState* edit = FocusedEditable();
  if (edit == nullptr) return;
  std::string text = edit->text;
  const std::size_t from = static_cast<std::size_t>(std::min(edit->selectionStart, edit->selectionEnd));
  std::size_t to = static_cast<std::size_t>(std::max(edit->selectionStart, edit->selectionEnd));
  std::size_t caret = from;
  if (key.kind == emu::KeyKind::Backspace) {
    if (from == to && from > 0) {
      // The whole character before the caret, a double-byte one included.
      std::size_t start = 0;
      for (std::size_t next = 0; next < from; next = NextCharIndex(text, next)) start = next;
      text.erase(start, from - start);
      caret = start;
    } else {
      text.erase(from, to - from);
    }
  } else {
    const std::string typed = key.kind == emu::KeyKind::Space ? " " : std::string(1, key.ch);
    text.replace(from, to - from, typed);
    caret = from + typed.size();
  }
  SetText(TheFocus().dialog, *edit, text);
  edit->selectionStart = edit->selectionEnd = static_cast<int>(caret);
}

// Up and Down: within a radio group they move to the next button and select
// it; in a multi-line edit they scroll.
void ArrowAtTerminal(DialogState* modal, const emu::Key& key) {
  ControlState* focused = FocusedControlState();
  DialogState* owner = TheFocus().dialog;
  const bool down = key.kind == emu::KeyKind::Down || key.kind == emu::KeyKind::Right ||
                    key.kind == emu::KeyKind::PageDown;
  if (focused != nullptr && focused->kind == emu::ControlKind::RadioButton &&
      (key.kind != emu::KeyKind::PageUp && key.kind != emu::KeyKind::PageDown)) {
    auto& controls = owner->controls;
    const std::size_t at = static_cast<std::size_t>(focused - controls.data());
    std::size_t first = at, last = at + 1;
    while (first > 0 && !controls[first].group) --first;
    while (last < controls.size() && !controls[last].group) ++last;
    for (std::size_t step = 1; step < last - first; ++step) {
      const std::size_t span = last - first;
      const std::size_t i = first + (at - first + (down ? step : span - step)) % span;
      ControlState& c = controls[i];
      if (c.kind == emu::ControlKind::RadioButton && CanTakeInput(owner, c)) return Click(owner, c);
    }
    return;
  }
  // Scrolls the focused multi-line edit, else the first one shown.
  ControlState* edit = focused != nullptr && focused->multiline ? focused : nullptr;
  if (edit == nullptr) {
    std::vector<Target> order;
    InTabOrder(modal, order);
    for (const Target& t : order) {
      if (t.control->multiline && CanTakeInput(t.dialog, *t.control)) {
        edit = t.control;
        break;
      }
    }
  }
  if (edit == nullptr) return;
  const int step = key.kind == emu::KeyKind::PageUp || key.kind == emu::KeyKind::PageDown ? 10 : 1;
  edit->firstLine = std::max(0, edit->firstLine + (down ? step : -step));
}

void TerminalStep(DialogState* modal) {
  auto& terminal = Terminal();
  if (!terminal) terminal = std::make_unique<emu::TerminalSession>();
  terminal->Draw(emu::RenderDialog(ViewOf(modal), terminal->Width(), terminal->Height()));
  const emu::Key key = terminal->ReadKey();
  if (key.kind == emu::KeyKind::Char && static_cast<unsigned char>(key.ch) < 0x20) return;  // no use here
  Note("keyboard: " + emu::KeyName(key));
  switch (key.kind) {
    case emu::KeyKind::Closed:
      terminal.reset();
      FailNoInput("the terminal closed while " + NameOf(modal) + " waited");
    case emu::KeyKind::Tab:
    case emu::KeyKind::BackTab:
      return MoveFocus(modal, key.kind == emu::KeyKind::Tab);
    case emu::KeyKind::Enter:
      return PressEnter(modal);
    case emu::KeyKind::Escape:
      return modal->events->OnCommand(modal, kIdCancel);
    case emu::KeyKind::Space:
      if (FocusedEditable() != nullptr) return TypeAtTerminal(key);
      return PressSpace();
    case emu::KeyKind::Char:
    case emu::KeyKind::Backspace:
      return TypeAtTerminal(key);
    default:
      return ArrowAtTerminal(modal, key);
  }
}

}  // namespace

void Click(DialogState* dialog, ControlState& control) {
  SetFocusTo(dialog, &control);
  if (control.autoButton && control.kind == emu::ControlKind::CheckBox) {
    SetChecked(dialog, control, !control.checked);
  } else if (control.autoButton && control.kind == emu::ControlKind::RadioButton) {
    // The buttons of its group: from the one that starts it up to the next group.
    auto& controls = dialog->controls;
    std::size_t first = static_cast<std::size_t>(&control - controls.data());
    while (first > 0 && !controls[first].group) --first;
    for (std::size_t i = first; i < controls.size() && (i == first || !controls[i].group); ++i) {
      if (controls[i].kind == emu::ControlKind::RadioButton) SetChecked(dialog, controls[i], &controls[i] == &control);
    }
  }
  dialog->events->OnCommand(dialog, control.id);
}

void FailNoInput(const std::string& problem) {
  Terminal().reset();
  Note(problem + "; the program ends with status " + std::to_string(kNoCommandExitStatus));
  std::fprintf(stderr, "%s\n", problem.c_str());
  std::fflush(stderr);
  ExitProcessNow(kNoCommandExitStatus);
}

void WaitForInput(DialogState* modal) {
  const std::string machine = emu::MachineFolder();
  std::string line;
  const emu::TakeResult taken = machine.empty() ? emu::TakeResult::Failed : emu::TakeOperatorAnswer(machine, line);
  if (taken == emu::TakeResult::Empty && emu::TerminalAvailable()) return TerminalStep(modal);
  if (!machine.empty()) emu::AppendToTranscript(machine, emu::DescribeDialog(ViewOf(modal), "waits"));
  if (taken != emu::TakeResult::Taken) {
    FailNoInput("no operator command for " + NameOf(modal) + " " + emu::QuotedText(modal->caption));
  }
  emu::DialogCommand command;
  std::string error;
  if (!emu::ParseDialogCommand(line, command, error)) {
    FailNoInput("operator command \"" + line + "\" for " + NameOf(modal) + ": " + error);
  }
  if (emu::IsBrowseAction(command.action)) {
    FailNoInput("operator command \"" + line + "\": no folder chooser is open");
  }
  Note("operator: " + line);
  Apply(modal, command, line);
}

}  // namespace dialogs

using namespace dialogs;

int RunModalDialog(unsigned templateId, WindowHandle owner, DialogEvents& events) {
  if (FindTemplate(templateId) == nullptr) {
    SetLastError(kErrResourceNameNotFound);
    return -1;
  }
  DialogState* dialog = Create(templateId, nullptr, events);
  std::string ownerName;
  if (owner != nullptr && DescribeOwner(owner, ownerName)) Note(NameOf(dialog) + " is modal to " + ownerName);
  ++modalDepth;
  events.OnInitDialog(dialog);
  if (Exists(dialog) && !dialog->ended) {
    dialog->visible = true;
    Note(NameOf(dialog) + " shown at " + std::to_string(dialog->rect.left) + "," + std::to_string(dialog->rect.top));
    while (Exists(dialog) && !dialog->ended) WaitForInput(dialog);
  }
  const int result = Exists(dialog) ? dialog->result : 0;
  if (Exists(dialog)) Destroy(dialog);
  if (--modalDepth == 0) Terminal().reset();
  return result;
}

}  // namespace platform
