#include "dialog/list_text.h"

#include <vector>

std::string ReadListLine(const CListBox& list, int index, std::size_t bufferSize) {
  const int length = list.GetTextLen(index);
  if (length <= 0) return {};
  std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
  list.GetText(index, text.data());
  std::string line(text.data());
  if (line.size() > bufferSize - 1) line.resize(bufferSize - 1);
  return line;
}

std::optional<std::string> SelectedLine(const CListBox& list, std::size_t bufferSize) {
  const int index = list.GetCurSel();
  if (index == LB_ERR) return std::nullopt;
  return ReadListLine(list, index, bufferSize);
}
