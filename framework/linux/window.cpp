#include "framework/linux/window.h"

#include "framework/framework.h"

using framework::ComboPart;
using framework::DialogPart;
using framework::IconPart;
using framework::ListPart;
using framework::WindowKind;

HWND__::HWND__(WindowKind windowKind) : kind(windowKind) {
  switch (kind) {
    case WindowKind::ListBox:
      m_part.emplace<ListPart>();
      break;
    case WindowKind::ComboBox:
      m_part.emplace<ComboPart>();
      break;
    case WindowKind::IconStatic:
      m_part.emplace<IconPart>();
      break;
    case WindowKind::Dialog:
      m_part.emplace<DialogPart>(this);
      break;
    default:
      break;
  }
}

HWND__::~HWND__() = default;

ListPart& HWND__::List() {
  if (auto* combo = std::get_if<ComboPart>(&m_part)) return *combo;
  return std::get<ListPart>(m_part);
}

const ListPart& HWND__::List() const { return const_cast<HWND__*>(this)->List(); }
ComboPart& HWND__::Combo() { return std::get<ComboPart>(m_part); }
const ComboPart& HWND__::Combo() const { return std::get<ComboPart>(m_part); }
IconPart& HWND__::Icon() { return std::get<IconPart>(m_part); }
const IconPart& HWND__::Icon() const { return std::get<IconPart>(m_part); }
DialogPart& HWND__::Dialog() { return std::get<DialogPart>(m_part); }
const DialogPart& HWND__::Dialog() const { return std::get<DialogPart>(m_part); }

HWND__* HWND__::Child(int controlId) const {
  for (const std::unique_ptr<HWND__>& child : children) {
    if (child->id == controlId) return child.get();
  }
  return nullptr;
}
