#include "framework/linux/tui/dialog_painter.h"

#include "framework/linux/tui/control_painters.h"
#include "framework/linux/tui/text_cells.h"

namespace framework::tui {
namespace {

constexpr std::string_view kMenuMark = "[-]";
constexpr std::string_view kCloseMark = "[x]";

void PaintCaptionBar(PaintContext& context, const HWND__& dialog, const CellRect& box, bool active) {
  const Tone tone = active ? Tone::Strong : Tone::Plain;
  const bool systemMenu = (dialog.style & WS_SYSMENU) != 0;
  HWND window = const_cast<HWND>(&dialog);
  int captionLeft = box.left + 2;
  int captionEnd = box.Right() - 2;
  if (systemMenu && box.width >= 10) {
    context.canvas.Text(box.top, box.left + 1, kMenuMark, box.Right(), tone);
    context.state.hits.push_back({HitArea::What::MenuMark, {box.left + 1, box.top, 3, 1}, window, -1});
    const int closeLeft = box.Right() - 4;
    context.canvas.Text(box.top, closeLeft, kCloseMark, box.Right(), tone);
    context.state.hits.push_back({HitArea::What::CloseBox, {closeLeft, box.top, 3, 1}, window, -1});
    captionLeft = box.left + 5;
    captionEnd = closeLeft - 1;
  }
  if (dialog.text.empty() || captionEnd - captionLeft < 3) return;
  const std::string caption = BorderTitle(dialog.text, captionEnd - captionLeft);
  context.canvas.Text(box.top, captionLeft, caption, captionEnd, tone);
}

void PaintControl(PaintContext& context, const HWND__& control, const CellRect& area, bool focused) {
  switch (control.kind) {
    case WindowKind::GroupBox:
      PaintGroupBox(context, control, area);
      break;
    case WindowKind::Static:
      PaintStatic(context, control, area);
      break;
    case WindowKind::IconStatic:
      PaintIcon(context, control, area);
      break;
    case WindowKind::PushButton:
      PaintPushButton(context, control, area, focused);
      break;
    case WindowKind::ListBox:
      PaintListBox(context, control, area, focused);
      break;
    case WindowKind::ComboBox:
      PaintComboField(context, control, area, focused);
      break;
    case WindowKind::Dialog:
      break;
  }
}

CellRect TemplateArea(const HWND__& control, const CellRect& box) {
  const CellRect client = ClientOrigin(box);
  return CellsOfDialogRect(control.rect).Offset(client.top, client.left);
}

// A list inside a group box whose edge falls on the group box's frame moves
// in by a cell there, so that the two frames stay two lines.
CellRect InsideGroupBoxes(const HWND__& dialog, CellRect area, const CellRect& box) {
  for (const auto& group : dialog.children) {
    if (!group->visible || group->kind != WindowKind::GroupBox) continue;
    const CellRect frame = TemplateArea(*group, box);
    if (Intersect(frame, area) != area) continue;
    const int left = area.left == frame.left ? 1 : 0;
    const int top = area.top == frame.top ? 1 : 0;
    const int right = area.Right() == frame.Right() ? 1 : 0;
    const int bottom = area.Bottom() == frame.Bottom() ? 1 : 0;
    area = {area.left + left, area.top + top, area.width - left - right, area.height - top - bottom};
  }
  return area;
}

CellRect ControlArea(const HWND__& dialog, const HWND__& control, const CellRect& box) {
  const CellRect area = TemplateArea(control, box);
  return control.kind == WindowKind::ListBox ? InsideGroupBoxes(dialog, area, box) : area;
}

}  // namespace

CellRect DialogBoxOnScreen(const HWND__& dialog, CellSize screen) {
  return CentredBox(DialogBoxSize(dialog.rect), screen);
}

void PaintDialog(PaintContext& context, const HWND__& dialog, const CellRect& box, bool active) {
  context.canvas.Clear(box);
  context.canvas.Frame(box, active ? Tone::Strong : Tone::Plain, LineStyle::Double);
  PaintCaptionBar(context, dialog, box, active);
  {
    Canvas::Clip inside(context.canvas, box.Inset(1));
    for (const auto& control : dialog.children) {
      if (!control->visible) continue;
      PaintControl(context, *control, ControlArea(dialog, *control, box),
                   active && dialog.Dialog().focus == control.get());
    }
  }
  for (const auto& control : dialog.children) {
    if (control->visible && control->IsDroppedDown()) {
      PaintDroppedList(context, *control, ControlArea(dialog, *control, box));
    }
  }
}

}  // namespace framework::tui
