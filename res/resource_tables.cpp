#include "res/resource_tables.h"

#include "res/box_button_words.h"
#include "res/resource_data.h"

namespace res {

const DialogTemplate* FindDialog(int id) {
  for (const DialogTemplate& dialog : data::dialogs)
    if (dialog.id == id) return &dialog;
  return nullptr;
}

std::span<const StringEntry> Strings() { return data::strings; }

const IconGroup* FindIcon(int id) {
  for (const IconGroup& icon : data::icons)
    if (icon.id == id) return &icon;
  return nullptr;
}

const VersionRecord& Version() { return data::version; }

const Module& ProgramModule() {
  static const Module module{data::dialogs, data::strings, data::icons, BoxButtonWords()};
  return module;
}

}  // namespace res
