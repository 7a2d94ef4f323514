#include "tests/scenario_tool/tool/actions.h"

#include <algorithm>

#include "framework/linux/input.h"
#include "framework/linux/window.h"

namespace scenario {
namespace {

using Outcome = std::optional<std::string>;

class ActionRunner {
 public:
  explicit ActionRunner(HWND top) : m_top(top) {}

  Outcome operator()(const SelectPort& action) {
    HWND list = Control(1017, framework::WindowKind::ListBox);
    if (!list) return m_problem;
    const auto line = std::find(list->List().items.begin(), list->List().items.end(), action.portName);
    if (line == list->List().items.end()) return action.portName + " is not in the port list";
    return SelectLine(list, static_cast<int>(line - list->List().items.begin()));
  }

  Outcome operator()(const SelectWatchLine& action) {
    HWND list = Control(1008, framework::WindowKind::ListBox);
    if (!list) return m_problem;
    if (static_cast<std::size_t>(action.index) >= list->List().items.size()) {
      return "the watch list has no line " + std::to_string(action.index);
    }
    return SelectLine(list, action.index);
  }

  Outcome operator()(const ChooseItem& action) {
    HWND combo = Control(action.controlId, framework::WindowKind::ComboBox);
    if (!combo) return m_problem;
    if (static_cast<std::size_t>(action.index) >= combo->List().items.size()) {
      return "combo " + std::to_string(action.controlId) + " has no item " + std::to_string(action.index);
    }
    framework::ChooseComboItem(combo, action.index);
    return Took(combo->List().selection == action.index, combo);
  }

  Outcome operator()(const DropList& action) {
    HWND combo = Control(action.controlId, framework::WindowKind::ComboBox);
    if (!combo) return m_problem;
    framework::SetComboDropped(combo, true);
    return Took(combo->Combo().droppedDown, combo);
  }

  Outcome operator()(const TypeText& action) {
    HWND combo = Control(action.controlId, framework::WindowKind::ComboBox);
    if (!combo) return m_problem;
    if (!combo->HasEditField()) return "combo " + std::to_string(action.controlId) + " has no edit field";
    framework::ClickIntoEditField(combo);
    if (m_top->Dialog().focus != combo) return Took(false, combo);
    framework::TypeCharacters(m_top, action.text);
    return std::nullopt;
  }

  Outcome operator()(const Click& action) {
    framework::PostClick(m_top, action.controlId);
    return Posted();
  }

  Outcome operator()(const PressKey& action) {
    framework::PressKey(m_top, action.virtualKey, action.shift, action.alt);
    return Posted();
  }

  Outcome operator()(const TypeCharacters& action) {
    framework::TypeCharacters(m_top, action.text);
    return Posted();
  }

  Outcome operator()(const MoveFocus& action) {
    HWND control = m_top->Child(action.controlId);
    if (!control) return NoControl(action.controlId);
    framework::SetFocusTo(control);
    return Took(m_top->Dialog().focus == control, control);
  }

  Outcome operator()(const CloseWindow&) {
    framework::CloseBox(m_top);
    return Posted();
  }

  Outcome operator()(const SystemCommand& action) {
    framework::SystemCommand(m_top, action.commandId);
    return Posted();
  }

  Outcome operator()(const PaintMinimized& action) {
    framework::PaintMinimized(m_top, action.width, action.height);
    return Posted();
  }

 private:
  std::string NoControl(int id) const {
    return "dialog " + std::to_string(m_top->id) + " has no control " + std::to_string(id);
  }

  // Control `id` of the dialog on top if it is of `kind`; else null, and the
  // reason in m_problem.
  HWND Control(int id, framework::WindowKind kind) {
    HWND control = m_top->Child(id);
    if (!control) {
      m_problem = NoControl(id);
    } else if (control->kind != kind) {
      m_problem = "control " + std::to_string(id) + " is not a " +
                  (kind == framework::WindowKind::ListBox ? "list box" : "combo box");
      control = nullptr;
    }
    return control;
  }

  Outcome SelectLine(HWND list, int index) {
    framework::SelectListLine(list, index);
    return Took(list->List().selection == index, list);
  }

  // The framework ignores input a window cannot take; a person could not
  // have done it either.
  static Outcome Took(bool changed, HWND control) {
    if (changed) return std::nullopt;
    return "control " + std::to_string(control->id) + " takes no input (disabled, hidden or under another window)";
  }

  Outcome Posted() const {
    if (framework::HasPendingMessages()) return std::nullopt;
    return "dialog " + std::to_string(m_top->id) + " took no input";
  }

  HWND m_top;
  std::string m_problem;
};

}  // namespace

std::optional<std::string> PerformAction(const Action& action) {
  HWND top = framework::TopDialog();
  if (!top) return "no dialog runs to take it";
  return std::visit(ActionRunner(top), action);
}

}  // namespace scenario
