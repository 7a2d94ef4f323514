#include "framework/linux/tui/dialog_painter.h"

#include <algorithm>
#include <string_view>
#include <vector>

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

// Columns a dialog gains so that each list shows its longest line whole: they
// come in at the list's right edge (x in dialog units), so that edge and
// everything from there on move over; what lies left of it keeps its place.
struct Widening {
  int x;
  int columns;
};

struct Layout {
  CellRect box;
  std::vector<Widening> widenings;
};

int ColumnsGainedAt(int x, const std::vector<Widening>& widenings) {
  int columns = 0;
  for (const Widening& widening : widenings) columns += x >= widening.x ? widening.columns : 0;
  return columns;
}

CellRect TemplateArea(const HWND__& control, const Layout& layout) {
  const CellRect client = ClientOrigin(layout.box);
  const CellRect cells = CellsOfDialogRect(control.rect).Offset(client.top, client.left);
  const int left = ColumnsGainedAt(control.rect.left, layout.widenings);
  const int right = ColumnsGainedAt(control.rect.right, layout.widenings);
  return {cells.left + left, cells.top, cells.width + right - left, cells.height};
}

// A list inside a group box whose edge falls on the group box's frame moves
// in by a cell there, so that the two frames stay two lines.
CellRect InsideGroupBoxes(const HWND__& dialog, CellRect area, const Layout& layout) {
  for (const auto& group : dialog.children) {
    if (!group->visible || group->kind != WindowKind::GroupBox) continue;
    const CellRect frame = TemplateArea(*group, layout);
    if (Intersect(frame, area) != area) continue;
    const int left = area.left == frame.left ? 1 : 0;
    const int top = area.top == frame.top ? 1 : 0;
    const int right = area.Right() == frame.Right() ? 1 : 0;
    const int bottom = area.Bottom() == frame.Bottom() ? 1 : 0;
    area = {area.left + left, area.top + top, area.width - left - right, area.height - top - bottom};
  }
  return area;
}

CellRect ControlArea(const HWND__& dialog, const HWND__& control, const Layout& layout) {
  const CellRect area = TemplateArea(control, layout);
  return control.kind == WindowKind::ListBox ? InsideGroupBoxes(dialog, area, layout) : area;
}

int LineCells(std::string_view line) {
  const std::size_t end = line.find_last_not_of(' ');
  return CellsOf(line.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

std::vector<Widening> WideningsOf(const HWND__& dialog) {
  std::vector<Widening> widenings;
  for (const auto& control : dialog.children) {
    if (!control->visible || control->kind != WindowKind::ListBox) continue;
    int widest = 0;
    for (const std::string& line : control->List().items) widest = std::max(widest, LineCells(line));
    const int shown = ControlArea(dialog, *control, Layout{}).width - 2;  // inside the frame
    if (widest > shown) widenings.push_back({control->rect.right, widest - shown});
  }
  return widenings;
}

Layout LayoutOf(const HWND__& dialog, CellSize screen) {
  Layout layout{{}, WideningsOf(dialog)};
  const CellSize size = DialogBoxSize(dialog.rect);
  const int gained = ColumnsGainedAt(dialog.rect.right - dialog.rect.left, layout.widenings);
  layout.box = CentredBox({size.width + gained, size.height}, screen);
  return layout;
}

}  // namespace

CellSize DialogBoxCells(const HWND__& dialog) {
  const CellRect box = LayoutOf(dialog, {}).box;
  return {box.width, box.height};
}

CellRect DialogBoxOnScreen(const HWND__& dialog, CellSize screen) { return LayoutOf(dialog, screen).box; }

void PaintDialog(PaintContext& context, const HWND__& dialog, CellSize screen, bool active) {
  const Layout layout = LayoutOf(dialog, screen);
  const CellRect& box = layout.box;
  context.canvas.Clear(box);
  context.canvas.Frame(box, active ? Tone::Strong : Tone::Plain, LineStyle::Double);
  PaintCaptionBar(context, dialog, box, active);
  {
    Canvas::Clip inside(context.canvas, box.Inset(1));
    for (const auto& control : dialog.children) {
      if (!control->visible) continue;
      PaintControl(context, *control, ControlArea(dialog, *control, layout),
                   active && dialog.Dialog().focus == control.get());
    }
  }
  for (const auto& control : dialog.children) {
    if (control->visible && control->IsDroppedDown()) {
      PaintDroppedList(context, *control, ControlArea(dialog, *control, layout), active);
    }
  }
}

}  // namespace framework::tui
