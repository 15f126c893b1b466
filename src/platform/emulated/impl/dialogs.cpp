// Dialogs of the emulated machine: made from the templates generated from
// the resource script, laid out in pixels by the dialog font's base units,
// and every change to them noted in the machine's transcript.
#include "platform/dialogs.h"

#include <algorithm>

#include "platform/emulated/impl/dialog_windows.h"
#include "platform/emulated/machine/machine.h"
#include "platform/emulated/machine/operator.h"
#include "platform/errors.h"

extern const emu::DialogTemplate kPtvDialogTemplates[];
extern const std::size_t kPtvDialogCount;
extern const emu::ImageResource kPtvImages[];
extern const std::size_t kPtvImageCount;

namespace platform {
namespace dialogs {

namespace {

// Window and control styles the manager looks at.
constexpr std::uint32_t kWsChild = 0x40000000, kWsVisible = 0x10000000, kWsDisabled = 0x08000000;
constexpr std::uint32_t kWsGroup = 0x00020000, kWsTabStop = 0x00010000, kDsCenter = 0x0800;
constexpr std::uint32_t kEsMultiline = 0x4, kEsReadOnly = 0x800;
constexpr int kBaseUnitX = 6, kBaseUnitY = 13;
constexpr std::uint32_t kErrChildWithoutParent = 1406;  // ERROR_TLW_WITH_WSCHILD

std::vector<std::unique_ptr<DialogState>>& All() {
  static std::vector<std::unique_ptr<DialogState>> all;
  return all;
}

// MulDiv: rounded to the nearest, halves away from zero.
int MulDiv(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

bool SameClass(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    if ((*a | 0x20) != (*b | 0x20)) return false;
  }
  return *a == *b;
}

ControlState ControlFrom(const emu::ControlTemplate& t) {
  ControlState c;
  c.id = t.id;
  c.text = t.text;
  c.imageId = t.imageId;
  c.style = t.style;
  c.visible = (t.style & kWsVisible) != 0;
  c.enabled = (t.style & kWsDisabled) == 0;
  c.tabStop = (t.style & kWsTabStop) != 0;
  c.group = (t.style & kWsGroup) != 0;
  const int left = UnitsToPixelsX(t.x), top = UnitsToPixelsY(t.y);
  int width = UnitsToPixelsX(t.cx), height = UnitsToPixelsY(t.cy);
  if (SameClass(t.className, "Button")) {
    switch (t.style & 0xF) {
      case 0x0:
      case 0x1:
        c.kind = emu::ControlKind::PushButton;
        c.isDefault = (t.style & 0xF) == 0x1;
        break;
      case 0x2:
      case 0x3:
      case 0x5:
      case 0x6:
        c.kind = emu::ControlKind::CheckBox;
        c.autoButton = (t.style & 0xF) == 0x3 || (t.style & 0xF) == 0x6;
        break;
      case 0x4:
      case 0x9:
        c.kind = emu::ControlKind::RadioButton;
        c.autoButton = (t.style & 0xF) == 0x9;
        break;
      case 0x7:
        c.kind = emu::ControlKind::GroupBox;
        break;
      default:
        break;
    }
  } else if (SameClass(t.className, "Static")) {
    const std::uint32_t type = t.style & 0x1F;
    if (type == 0xE || type == 0x3) {
      c.kind = emu::ControlKind::Picture;
      // A picture takes the size of its image; a sunken edge lies inside.
      if (const emu::ImageResource* image = FindImage(t.imageId, type == 0x3)) {
        width = image->width;
        height = image->height;
      }
    } else if (type >= 0x10 && type <= 0x12) {
      c.kind = emu::ControlKind::Line;
    } else {
      c.kind = emu::ControlKind::Text;
    }
  } else if (SameClass(t.className, "Edit")) {
    c.kind = emu::ControlKind::Edit;
    c.multiline = (t.style & kEsMultiline) != 0;
    c.readOnly = (t.style & kEsReadOnly) != 0;
  }
  c.rect = {left, top, left + width, top + height};
  return c;
}

std::string StateWord(bool on, const char* yes, const char* no) { return on ? yes : no; }

std::string ControlName(const ControlState& control) {
  std::string name = emu::ControlKindName(control.kind);
  if (control.id != -1) name += " " + std::to_string(control.id);
  return name;
}

// The client area's top-left corner in screen coordinates.
void ClientOrigin(const DialogState* dialog, int& x, int& y) {
  x = dialog->rect.left + dialog->clientLeft;
  y = dialog->rect.top + dialog->clientTop;
  if (dialog->parent != nullptr) {
    int px = 0, py = 0;
    ClientOrigin(dialog->parent, px, py);
    x += px;
    y += py;
  }
}

bool Within(const DialogState* inner, const DialogState* outer) {
  for (; inner != nullptr; inner = inner->parent) {
    if (inner == outer) return true;
  }
  return false;
}

emu::ControlView ControlViewOf(const ControlState& c, const ControlState* focus) {
  emu::ControlView v;
  v.kind = c.kind;
  v.id = c.id;
  v.text = c.text;
  v.imageId = c.imageId;
  v.visible = c.visible;
  v.enabled = c.enabled;
  v.checked = c.checked;
  v.focused = &c == focus;
  v.multiline = c.multiline;
  v.selectionStart = c.selectionStart;
  v.selectionEnd = c.selectionEnd;
  v.firstLine = c.firstLine;
  v.top = c.rect.top;
  v.bottom = c.rect.bottom;
  return v;
}

void Invalid() { SetLastError(kErrInvalidWindowHandle); }

}  // namespace

int UnitsToPixelsX(int units) { return MulDiv(units, kBaseUnitX, 4); }
int UnitsToPixelsY(int units) { return MulDiv(units, kBaseUnitY, 8); }

const emu::DialogTemplate* FindTemplate(unsigned id) {
  for (std::size_t i = 0; i < kPtvDialogCount; ++i) {
    if (kPtvDialogTemplates[i].id == id) return &kPtvDialogTemplates[i];
  }
  return nullptr;
}

const emu::ImageResource* FindImage(unsigned id, bool icon) {
  for (std::size_t i = 0; i < kPtvImageCount; ++i) {
    if (kPtvImages[i].id == id && kPtvImages[i].icon == icon) return &kPtvImages[i];
  }
  return nullptr;
}

void Note(const std::string& line) {
  const std::string machine = emu::MachineFolder();
  if (!machine.empty()) emu::AppendToTranscript(machine, line + "\n");
}

std::string NameOf(const DialogState* dialog) { return "dialog " + std::to_string(dialog->templateId); }

DialogState* Create(unsigned templateId, DialogState* parent, DialogEvents& events) {
  const emu::DialogTemplate* t = FindTemplate(templateId);
  if (t == nullptr) return nullptr;
  auto owned = std::make_unique<DialogState>();
  DialogState* d = owned.get();
  d->templateId = templateId;
  d->parent = parent;
  d->events = &events;
  d->caption = t->caption;
  d->child = (t->style & kWsChild) != 0;
  const int width = UnitsToPixelsX(t->cx), height = UnitsToPixelsY(t->cy);
  if (d->child) {
    d->rect = {UnitsToPixelsX(t->x), UnitsToPixelsY(t->y), UnitsToPixelsX(t->x) + width, UnitsToPixelsY(t->y) + height};
  } else {
    d->clientLeft = kBorder;
    d->clientTop = kBorder + kCaption;
    const int outerWidth = width + 2 * kBorder, outerHeight = height + 2 * kBorder + kCaption;
    int left = UnitsToPixelsX(t->x), top = UnitsToPixelsY(t->y);
    if (t->style & kDsCenter) {
      left = (kScreenWidth - outerWidth) / 2;
      top = (kScreenHeight - outerHeight) / 2;
    }
    d->rect = {left, top, left + outerWidth, top + outerHeight};
  }
  for (std::size_t i = 0; i < t->controlCount; ++i) {
    d->controls.push_back(ControlFrom(t->controls[i]));
    if (d->controls.back().isDefault && d->defaultId == 0) d->defaultId = d->controls.back().id;
  }
  // A new child window goes below its siblings.
  if (parent != nullptr) parent->pages.push_back(d);
  All().push_back(std::move(owned));
  Note(NameOf(d) + " " + emu::QuotedText(d->caption) + " created" +
       (parent != nullptr ? " in " + NameOf(parent) : std::string()) + ", hidden, " + std::to_string(width) + " x " +
       std::to_string(height));
  return d;
}

void Destroy(DialogState* dialog) {
  while (!dialog->pages.empty()) Destroy(dialog->pages.front());
  if (Within(TheFocus().dialog, dialog)) TheFocus() = Focus();
  if (dialog->parent != nullptr) {
    auto& siblings = dialog->parent->pages;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), dialog), siblings.end());
  }
  Note(NameOf(dialog) + " destroyed");
  auto& all = All();
  all.erase(std::remove_if(all.begin(), all.end(), [dialog](const auto& d) { return d.get() == dialog; }), all.end());
}

bool Exists(const DialogState* dialog) {
  if (dialog == nullptr) return false;
  for (const auto& d : All()) {
    if (d.get() == dialog) return true;
  }
  return false;
}

bool DescribeOwner(WindowHandle owner, std::string& description) {
  const auto* dialog = reinterpret_cast<const DialogState*>(owner);
  if (!Exists(dialog)) return false;
  description = NameOf(dialog) + " " + emu::QuotedText(dialog->caption);
  return true;
}

ControlState* FindControl(DialogState* dialog, int id) {
  if (!Exists(dialog)) return nullptr;
  for (ControlState& c : dialog->controls) {
    if (c.id == id) return &c;
  }
  return nullptr;
}

bool IsShown(const DialogState* dialog) {
  for (; dialog != nullptr; dialog = dialog->parent) {
    if (!dialog->visible) return false;
  }
  return true;
}

bool CanTakeInput(const DialogState* dialog, const ControlState& control) {
  return IsShown(dialog) && control.visible && control.enabled;
}

Focus& TheFocus() {
  static Focus focus;
  return focus;
}

ControlState* FocusedControlState() {
  Focus& f = TheFocus();
  if (!Exists(f.dialog) || f.index < 0 || f.index >= static_cast<int>(f.dialog->controls.size())) return nullptr;
  return &f.dialog->controls[static_cast<std::size_t>(f.index)];
}

void SetFocusTo(DialogState* dialog, ControlState* control) {
  if (dialog == nullptr || control == nullptr) {
    TheFocus() = Focus();
    return;
  }
  TheFocus() = {dialog, static_cast<int>(control - dialog->controls.data())};
}

void SetText(DialogState* dialog, ControlState& control, const std::string& text) {
  if (control.kind == emu::ControlKind::Edit) {
    control.selectionStart = control.selectionEnd = 0;
    control.firstLine = 0;
  }
  if (control.text == text) return;
  control.text = text;
  Note(NameOf(dialog) + " " + ControlName(control) + " text " + emu::QuotedText(text));
}

void SetVisible(DialogState* dialog, ControlState& control, bool visible) {
  if (control.visible == visible) return;
  control.visible = visible;
  // A hidden control gives the focus to its dialog, which hands it on to its
  // first control that takes Tab.
  if (!visible && FocusedControlState() == &control) {
    TheFocus() = Focus();
    std::vector<TabItem> order;
    InTabOrder(TopOf(dialog), order);
    for (const TabItem& item : order) {
      if (item.control->tabStop && CanTakeInput(item.dialog, *item.control)) {
        SetFocusTo(item.dialog, item.control);
        break;
      }
    }
  }
  Note(NameOf(dialog) + " " + ControlName(control) + " " + StateWord(visible, "shown", "hidden"));
}

void SetEnabled(DialogState* dialog, ControlState& control, bool enabled) {
  if (control.enabled == enabled) return;
  control.enabled = enabled;
  if (!enabled && FocusedControlState() == &control) TheFocus() = Focus();
  Note(NameOf(dialog) + " " + ControlName(control) + " " + StateWord(enabled, "enabled", "disabled"));
}

void SetChecked(DialogState* dialog, ControlState& control, bool checked) {
  // A radio button that is ticked is where Tab lands in its group.
  if (control.kind == emu::ControlKind::RadioButton) control.tabStop = checked;
  if (control.checked == checked) return;
  control.checked = checked;
  Note(NameOf(dialog) + " " + ControlName(control) + " " + StateWord(checked, "checked", "unchecked"));
}

void InTabOrder(DialogState* dialog, std::vector<TabItem>& order) {
  for (DialogState* page : dialog->pages) InTabOrder(page, order);
  for (ControlState& c : dialog->controls) order.push_back({dialog, &c});
}

DialogState* TopOf(DialogState* dialog) {
  while (dialog != nullptr && dialog->parent != nullptr) dialog = dialog->parent;
  return dialog;
}

emu::DialogView ViewOf(DialogState* dialog) {
  emu::DialogView view;
  view.templateId = dialog->templateId;
  view.caption = dialog->caption;
  const ControlState* focus = FocusedControlState();
  // Enter presses the focused push button, else the default one.
  DialogState* top = TopOf(dialog);
  int enterId = top->defaultId;
  if (focus != nullptr && focus->kind == emu::ControlKind::PushButton) enterId = focus->id;
  for (const ControlState& c : dialog->controls) {
    emu::ControlView v = ControlViewOf(c, focus);
    v.isDefault = c.kind == emu::ControlKind::PushButton && c.id == enterId && dialog == top;
    view.controls.push_back(v);
  }
  for (DialogState* page : dialog->pages) {
    emu::PageView p;
    p.templateId = page->templateId;
    p.x = page->rect.left;
    p.y = page->rect.top;
    p.visible = page->visible;
    for (const ControlState& c : page->controls) {
      emu::ControlView v = ControlViewOf(c, focus);
      // The frame's Enter goes to the focused push button wherever it lies.
      v.isDefault = c.kind == emu::ControlKind::PushButton && &c == focus;
      p.controls.push_back(v);
    }
    view.pages.push_back(p);
  }
  return view;
}

}  // namespace dialogs

using namespace dialogs;

DialogHandle CreateModelessDialog(unsigned templateId, DialogHandle parent, DialogEvents& events) {
  if (parent != nullptr && !Exists(parent)) {
    Invalid();
    return nullptr;
  }
  const emu::DialogTemplate* t = FindTemplate(templateId);
  if (t == nullptr) {
    SetLastError(kErrResourceNameNotFound);
    return nullptr;
  }
  if (parent == nullptr && (t->style & kWsChild) != 0) {
    SetLastError(kErrChildWithoutParent);
    return nullptr;
  }
  DialogState* page = Create(templateId, parent, events);
  events.OnInitDialog(page);
  return Exists(page) ? page : nullptr;
}

bool DestroyDialog(DialogHandle dialog) {
  if (!Exists(dialog)) {
    Invalid();
    return false;
  }
  Destroy(dialog);
  return true;
}

bool EndModalDialog(DialogHandle dialog, int result) {
  if (!Exists(dialog)) {
    Invalid();
    return false;
  }
  dialog->ended = true;
  dialog->result = result;
  Note(NameOf(dialog) + " ends with " + std::to_string(result));
  return true;
}

WindowHandle AsWindow(DialogHandle dialog) { return reinterpret_cast<WindowHandle>(dialog); }

std::string DialogCaption(DialogHandle dialog) { return Exists(dialog) ? dialog->caption : ""; }

bool SetDialogCaption(DialogHandle dialog, const std::string& caption) {
  if (!Exists(dialog)) {
    Invalid();
    return false;
  }
  if (dialog->caption != caption) {
    dialog->caption = caption;
    Note(NameOf(dialog) + " caption " + emu::QuotedText(caption));
  }
  return true;
}

bool IsDialogVisible(DialogHandle dialog) { return Exists(dialog) && IsShown(dialog); }

bool SetDialogIcon(DialogHandle dialog, unsigned iconId) {
  if (!Exists(dialog)) {
    Invalid();
    return false;
  }
  if (FindImage(iconId, true) == nullptr) {
    SetLastError(kErrResourceNameNotFound);
    return false;
  }
  dialog->iconId = iconId;
  Note(NameOf(dialog) + " icon " + std::to_string(iconId));
  return true;
}

std::string ControlText(DialogHandle dialog, int id) {
  const ControlState* c = FindControl(dialog, id);
  return c != nullptr ? c->text : "";
}

namespace {

// Applies `change` to the control; false when there is no such control.
template <typename Change>
bool ChangeControl(DialogHandle dialog, int id, Change change) {
  ControlState* c = FindControl(dialog, id);
  if (c == nullptr) return false;
  change(*c);
  return true;
}

}  // namespace

bool SetControlText(DialogHandle dialog, int id, const std::string& text) {
  return ChangeControl(dialog, id, [&](ControlState& c) { SetText(dialog, c, text); });
}

bool IsControlVisible(DialogHandle dialog, int id) {
  const ControlState* c = FindControl(dialog, id);
  return c != nullptr && c->visible && IsShown(dialog);
}

bool ShowControl(DialogHandle dialog, int id, bool show) {
  return ChangeControl(dialog, id, [&](ControlState& c) { SetVisible(dialog, c, show); });
}

bool IsControlEnabled(DialogHandle dialog, int id) {
  const ControlState* c = FindControl(dialog, id);
  return c != nullptr && c->enabled;
}

bool EnableControl(DialogHandle dialog, int id, bool enable) {
  return ChangeControl(dialog, id, [&](ControlState& c) { SetEnabled(dialog, c, enable); });
}

bool IsButtonChecked(DialogHandle dialog, int id) {
  const ControlState* c = FindControl(dialog, id);
  return c != nullptr && c->checked;
}

bool CheckButton(DialogHandle dialog, int id, bool checked) {
  return ChangeControl(dialog, id, [&](ControlState& c) { SetChecked(dialog, c, checked); });
}

bool CheckRadioButtonInRange(DialogHandle dialog, int first, int last, int id) {
  if (!Exists(dialog)) {
    Invalid();
    return false;
  }
  for (ControlState& c : dialog->controls) {
    if (c.id >= first && c.id <= last) SetChecked(dialog, c, c.id == id);
  }
  return true;
}

bool FocusControl(DialogHandle dialog, int id) {
  ControlState* c = FindControl(dialog, id);
  if (c == nullptr || !c->enabled) return false;
  SetFocusTo(dialog, c);
  return true;
}

int FocusedControl(DialogHandle dialog) {
  const ControlState* c = FocusedControlState();
  return c != nullptr && Within(TheFocus().dialog, dialog) ? c->id : 0;
}

bool SelectEditText(DialogHandle dialog, int id, int start, int end) {
  ControlState* c = FindControl(dialog, id);
  if (c == nullptr) return false;
  const int length = static_cast<int>(c->text.size());
  if (start < 0) {
    c->selectionStart = c->selectionEnd;  // no selection; the caret stays
    return true;
  }
  if (end < 0 || end > length) end = length;
  c->selectionStart = std::min(start, length);
  c->selectionEnd = end;
  return true;
}

bool ScrollEditCaret(DialogHandle dialog, int id) {
  ControlState* c = FindControl(dialog, id);
  if (c == nullptr) return false;
  const int caretLine = static_cast<int>(
      std::count(c->text.begin(), c->text.begin() + std::min<std::size_t>(c->text.size(), static_cast<std::size_t>(c->selectionEnd)), '\n'));
  if (caretLine < c->firstLine) c->firstLine = caretLine;
  return true;
}

bool ControlScreenRect(DialogHandle dialog, int id, PixelRect& rect) {
  const ControlState* c = FindControl(dialog, id);
  if (c == nullptr) return false;
  int x = 0, y = 0;
  ClientOrigin(dialog, x, y);
  rect = {c->rect.left + x, c->rect.top + y, c->rect.right + x, c->rect.bottom + y};
  return true;
}

bool DialogScreenRect(DialogHandle dialog, PixelRect& rect) {
  if (!Exists(dialog)) {
    Invalid();
    return false;
  }
  int x = 0, y = 0;
  if (dialog->parent != nullptr) ClientOrigin(dialog->parent, x, y);
  rect = {dialog->rect.left + x, dialog->rect.top + y, dialog->rect.right + x, dialog->rect.bottom + y};
  return true;
}

bool ScreenToClientRect(DialogHandle dialog, PixelRect& rect) {
  if (!Exists(dialog)) {
    Invalid();
    return false;
  }
  int x = 0, y = 0;
  ClientOrigin(dialog, x, y);
  rect = {rect.left - x, rect.top - y, rect.right - x, rect.bottom - y};
  return true;
}

bool PlaceOnTopAndShow(DialogHandle dialog, int x, int y) {
  if (!Exists(dialog)) {
    Invalid();
    return false;
  }
  const int width = dialog->rect.right - dialog->rect.left, height = dialog->rect.bottom - dialog->rect.top;
  dialog->rect = {x, y, x + width, y + height};
  if (dialog->parent != nullptr) {
    auto& siblings = dialog->parent->pages;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), dialog), siblings.end());
    siblings.insert(siblings.begin(), dialog);
  }
  std::string note = NameOf(dialog) + " placed at " + std::to_string(x) + "," + std::to_string(y) + " on top";
  if (!dialog->visible) note += ", shown";
  dialog->visible = true;
  Note(note);
  return true;
}

bool RepaintNow(DialogHandle dialog) {
  if (!Exists(dialog)) {
    Invalid();
    return false;
  }
  if (IsShown(dialog)) {
    const std::string machine = emu::MachineFolder();
    if (!machine.empty()) emu::AppendToTranscript(machine, emu::DescribeDialog(ViewOf(dialog), "repainted"));
  }
  return true;
}

void ShowCursorShape(CursorShape shape) { Note(shape == CursorShape::Wait ? "cursor wait" : "cursor arrow"); }

}  // namespace platform
