#include "framework/linux/window_registry.h"

#include <algorithm>
#include <unordered_set>

#include "base/ascii.h"
#include "framework/framework.h"
#include "framework/linux/message_queue.h"
#include "framework/linux/resource_format.h"
#include "framework/linux/resources.h"

namespace framework {
namespace {

std::vector<std::unique_ptr<HWND__>> g_dialogs;
std::unordered_set<const HWND__*> g_liveWindows;

bool ClassIs(const char* className, const char* expected) {
  return className != nullptr && base::EqualsIgnoringAsciiCase(className, expected);
}

WindowKind KindOf(const res::ControlTemplate& control) {
  if (ClassIs(control.className, "BUTTON")) {
    return (control.style & BS_TYPEMASK) == BS_GROUPBOX ? WindowKind::GroupBox : WindowKind::PushButton;
  }
  if (ClassIs(control.className, "STATIC")) {
    return (control.style & SS_TYPEMASK) == SS_ICON ? WindowKind::IconStatic : WindowKind::Static;
  }
  if (ClassIs(control.className, "LISTBOX")) return WindowKind::ListBox;
  if (ClassIs(control.className, "COMBOBOX")) return WindowKind::ComboBox;
  return WindowKind::Static;
}

RECT RectOf(int x, int y, int cx, int cy) { return {x, y, x + cx, y + cy}; }

std::unique_ptr<HWND__> CreateControl(const res::ControlTemplate& control, HWND dialog) {
  auto window = std::make_unique<HWND__>(KindOf(control));
  window->id = control.id;
  window->style = control.style;
  window->rect = RectOf(control.x, control.y, control.cx, control.cy);
  window->text = control.text != nullptr ? control.text : "";
  window->enabled = (control.style & WS_DISABLED) == 0;
  window->visible = (control.style & WS_VISIBLE) != 0;
  window->parent = dialog;
  if (window->kind == WindowKind::IconStatic && control.iconResourceId != 0) {
    window->Icon().icon = LoadResourceIcon(static_cast<UINT>(control.iconResourceId));
  }
  return window;
}

void Detach(HWND window) {
  if (window->wrapper != nullptr) window->wrapper->m_hWnd = nullptr;
  window->wrapper = nullptr;
  if (window->temporary) window->temporary->m_hWnd = nullptr;
  DropMessagesFor(window);
  g_liveWindows.erase(window);
}

}  // namespace

HWND CreateDialogWindows(const res::DialogTemplate& dialogTemplate, HWND owner) {
  auto dialog = std::make_unique<HWND__>(WindowKind::Dialog);
  dialog->id = dialogTemplate.id;
  dialog->style = dialogTemplate.style;
  dialog->exStyle = dialogTemplate.exStyle;
  dialog->rect = RectOf(dialogTemplate.x, dialogTemplate.y, dialogTemplate.cx, dialogTemplate.cy);
  dialog->text = dialogTemplate.caption != nullptr ? dialogTemplate.caption : "";
  dialog->enabled = (dialogTemplate.style & WS_DISABLED) == 0;
  dialog->parent = owner;
  dialog->Dialog().dialogTemplate = &dialogTemplate;
  for (const res::ControlTemplate& control : dialogTemplate.controls) {
    dialog->children.push_back(CreateControl(control, dialog.get()));
    g_liveWindows.insert(dialog->children.back().get());
  }
  g_liveWindows.insert(dialog.get());
  g_dialogs.push_back(std::move(dialog));
  return g_dialogs.back().get();
}

void DestroyDialogWindows(HWND dialog) {
  const auto owned = std::find_if(g_dialogs.begin(), g_dialogs.end(),
                                  [dialog](const std::unique_ptr<HWND__>& window) { return window.get() == dialog; });
  if (owned == g_dialogs.end()) return;
  for (const std::unique_ptr<HWND__>& control : dialog->children) Detach(control.get());
  Detach(dialog);
  g_dialogs.erase(owned);
}

bool IsLiveWindow(HWND window) { return window != nullptr && g_liveWindows.contains(window); }

}  // namespace framework
