#include "framework/linux/tui/control_painters.h"

#include <algorithm>

#include "framework/linux/tui/text_cells.h"

namespace framework::tui {
namespace {

constexpr int kMostDroppedRows = 8;

Tone BaseTone(const HWND__& control) { return control.enabled ? Tone::Plain : Tone::Disabled; }

// The text a control shows: its '&' marks taken out unless it is a static
// that shows them as they are.
std::string ShownText(const HWND__& control) {
  if (control.kind == WindowKind::Static && (control.style & SS_NOPREFIX) != 0) return control.text;
  return StripPrefix(control.text).text;
}

// A column that puts `cells` at the left, centre or right of `area`; a text
// wider than the area starts at its left edge and is cut at its right one.
int AlignedColumn(const CellRect& area, int cells, bool centred, bool right) {
  if (cells >= area.width) return area.left;
  if (centred) return area.left + (area.width - cells) / 2;
  if (right) return area.Right() - cells;
  return area.left;
}

// The lines of a list or dropped-down list inside `inner`, the chosen one in
// `chosenTone`; notes each line as `what`.
void PaintLines(PaintContext& context, const HWND__& control, const CellRect& inner, const ListView& view,
                Tone lineTone, Tone chosenTone, HitArea::What what) {
  const int lines = static_cast<int>(control.List().items.size());
  for (int k = 0; k < inner.height && view.first + k < lines; ++k) {
    const int index = view.first + k;
    const CellRect line{inner.left, inner.top + k, inner.width, 1};
    const Tone tone = index == control.List().selection ? chosenTone : lineTone;
    context.canvas.Clear(line, tone);
    context.canvas.Text(line.top, line.left, control.List().items[static_cast<std::size_t>(index)], line.Right(), tone);
    context.state.hits.push_back({what, line, const_cast<HWND>(&control), index});
  }
}

// A scroll bar on the right edge of a frame: arrows at its ends and the
// thumb between. Shown disabled when every line shows, if `always`.
void PaintScrollBar(PaintContext& context, const HWND__& control, const CellRect& frame, const ListView& view,
                    Tone tone, bool always) {
  const CellRect inner = frame.Inset(1);
  const int lines = static_cast<int>(control.List().items.size());
  const bool scrollable = lines > inner.height;
  if (inner.height < 2 || (!scrollable && !always)) return;
  const int column = frame.Right() - 1;
  const Tone arrowTone = scrollable ? tone : Tone::Disabled;
  context.canvas.Put(inner.top, column, "▲", arrowTone);
  context.canvas.Put(inner.Bottom() - 1, column, "▼", arrowTone);
  const int thumb = ThumbCell(view.first, lines, inner.height, inner.height - 2);
  if (thumb >= 0) context.canvas.Put(inner.top + 1 + thumb, column, "█", tone);
  HWND window = const_cast<HWND>(&control);
  context.state.hits.push_back({HitArea::What::ScrollUp, {column, inner.top, 1, 1}, window, -1});
  context.state.hits.push_back({HitArea::What::ScrollDown, {column, inner.Bottom() - 1, 1, 1}, window, -1});
}

}  // namespace

void PaintGroupBox(PaintContext& context, const HWND__& control, const CellRect& area) {
  const Tone tone = BaseTone(control);
  context.canvas.Frame(area, tone);
  const std::string title = ShownText(control);
  if (title.empty() || area.width < 5) return;
  const std::string shown = BorderTitle(title, area.width - 2);
  const CellRect border{area.left + 1, area.top, area.width - 2, 1};
  const UINT alignment = control.style & BS_CENTER;
  const int column = AlignedColumn(border, CellsOf(shown), alignment == BS_CENTER, alignment == 0x200 /* BS_RIGHT */);
  context.canvas.Text(area.top, column, shown, border.Right(), tone);
}

void PaintStatic(PaintContext& context, const HWND__& control, const CellRect& area) {
  const std::string text = ShownText(control);
  const UINT alignment = control.style & SS_TYPEMASK;
  const bool centred = alignment == SS_CENTER;
  const bool right = alignment == 0x2 /* SS_RIGHT */;
  // A one-row label is cut at its edge; a taller one wraps its words.
  const std::vector<std::string> lines =
      area.height == 1 ? std::vector<std::string>{CutToCells(text, area.width)} : WrapToCells(text, area.width);
  for (int k = 0; k < area.height && k < static_cast<int>(lines.size()); ++k) {
    const std::string& line = lines[static_cast<std::size_t>(k)];
    const int column = AlignedColumn(area, CellsOf(line), centred, right);
    context.canvas.Text(area.top + k, column, line, area.Right(), BaseTone(control));
  }
}

void PaintIcon(PaintContext& context, const HWND__& control, const CellRect& area) {
  // The terminal shows a small framed mark for the picture; an icon the
  // resources lack shows nothing, as the platform's static does.
  if (control.Icon().icon == nullptr) return;
  context.canvas.Frame(area, Tone::Strong);
  context.canvas.Put(area.top + (area.height - 1) / 2, area.left + (area.width - 1) / 2, "T", Tone::Strong);
}

void PaintPushButton(PaintContext& context, const HWND__& control, const CellRect& area, bool focused) {
  const std::string label = ShownText(control);
  const std::string shown = area.width >= 4 ? Bracketed(CutToCells(label, area.width - 4)) : "[]";
  const int cells = std::min(CellsOf(shown), area.width);
  const Tone tone = !control.enabled ? Tone::Disabled : focused ? Tone::Highlight : Tone::Plain;
  const int row = area.top + (area.height - 1) / 2;
  const int column = AlignedColumn(area, cells, true, false);
  context.canvas.Text(row, column, shown, area.Right(), tone);
  context.state.hits.push_back({HitArea::What::Control, area, const_cast<HWND>(&control), -1});
  if (focused) context.caret = CellPoint{row, std::min(column + 2, area.Right() - 1)};  // on the label, after "[ "
}

// The row of a list's caret line (where the keyboard is), or the first shown
// when it is scrolled away.
int CaretRow(const HWND__& control, const CellRect& inner, const ListView& view) {
  const int caret = control.List().caret;
  const bool shown = caret >= view.first && caret < view.first + inner.height;
  return inner.top + (shown ? caret - view.first : 0);
}

void PaintListBox(PaintContext& context, const HWND__& control, const CellRect& area, bool focused) {
  // The list with the focus is a double box, its chosen line in reverse video,
  // as plain as a focused button also when no line is chosen.
  const Tone tone = !control.enabled ? Tone::Disabled : focused ? Tone::Strong : Tone::Plain;
  context.canvas.Frame(area, tone, focused ? LineStyle::Double : LineStyle::Single);
  context.state.hits.push_back({HitArea::What::Control, area, const_cast<HWND>(&control), -1});
  const CellRect inner = area.Inset(1);
  if (inner.IsEmpty()) return;
  ListView& view = context.state.listViews[const_cast<HWND>(&control)];
  view.Follow(control.List().selection, static_cast<int>(control.List().items.size()), inner.height);
  const Tone chosen = !control.enabled ? Tone::Disabled : focused ? Tone::Highlight : Tone::Selected;
  PaintLines(context, control, inner, view, BaseTone(control), chosen, HitArea::What::ListLine);
  if ((control.style & WS_VSCROLL) != 0) {
    PaintScrollBar(context, control, area, view, tone, (control.style & LBS_DISABLENOSCROLL) != 0);
  }
  if (focused) context.caret = CellPoint{CaretRow(control, inner, view), inner.left};
}

void PaintComboField(PaintContext& context, const HWND__& control, const CellRect& area, bool focused) {
  const CellRect field{area.left, area.top, area.width, 1};
  const Tone tone = !control.enabled ? Tone::Disabled : focused ? Tone::Highlight : Tone::Field;
  context.canvas.Clear(field, tone);
  // A field in brackets, so that it shows empty too: "[9600        ▼]". The
  // text leaves a blank before the arrow.
  const int arrow = std::max(field.left, field.Right() - 2);
  const int textLeft = std::min(field.left + 1, arrow);
  const int textEnd = std::max(textLeft, arrow - 1);
  context.canvas.Put(field.top, field.left, "[", tone);
  context.canvas.Put(field.top, field.Right() - 1, "]", tone);
  const int after = context.canvas.Text(field.top, textLeft, control.Combo().editText, textEnd, tone);
  context.canvas.Put(field.top, arrow, control.Combo().droppedDown ? "▲" : "▼", tone);
  context.state.hits.push_back({HitArea::What::Control, field, const_cast<HWND>(&control), -1});
  // In an edit field the cursor stands where the text cursor is.
  const int cursor =
      textLeft + CellsOf(std::string_view(control.Combo().editText).substr(0, control.Combo().selectionEnd));
  if (focused)
    context.caret = CellPoint{field.top, control.HasEditField() ? std::min({cursor, after, textEnd}) : textLeft};
}

CellRect DroppedListPlace(const CellRect& area, int items, CellSize screen) {
  const int height = std::min(std::clamp(items, 1, kMostDroppedRows) + 2, screen.height);
  int top = area.top + 1;
  if (top + height > screen.height) top = area.top - height;
  top = std::clamp(top, 0, std::max(0, screen.height - height));
  return {area.left, top, area.width, height};
}

void PaintDroppedList(PaintContext& context, const HWND__& control, const CellRect& area, bool active) {
  const CellRect place = DroppedListPlace(area, static_cast<int>(control.List().items.size()), context.canvas.Size());
  context.canvas.Clear(place);
  context.canvas.Frame(place, Tone::Strong);
  context.state.hits.push_back({HitArea::What::DroppedList, place, const_cast<HWND>(&control), -1});
  const CellRect inner = place.Inset(1);
  if (inner.IsEmpty()) return;
  ListView& view = context.state.droppedViews[const_cast<HWND>(&control)];
  view.Follow(control.List().selection, static_cast<int>(control.List().items.size()), inner.height);
  PaintLines(context, control, inner, view, Tone::Plain, Tone::Highlight, HitArea::What::DroppedItem);
  PaintScrollBar(context, control, place, view, Tone::Strong, false);
  if (active) context.caret = CellPoint{CaretRow(control, inner, view), inner.left};
}

}  // namespace framework::tui
