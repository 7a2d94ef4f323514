// The program's resources as tables, generated at build time from the resource
// script portsetup.rc: dialog templates, string tables, icons and the version
// record. One source of truth: the tables are never written by hand.
#pragma once

#include "framework/linux/resource_format.h"

namespace res {

const DialogTemplate* FindDialog(int id);
std::span<const StringEntry> Strings();
const IconGroup* FindIcon(int id);
const VersionRecord& Version();

// The program's module as the framework reads it: these tables and the words
// of the message box buttons.
const Module& ProgramModule();

}  // namespace res
