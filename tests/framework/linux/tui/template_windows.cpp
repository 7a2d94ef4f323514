#include "tests/framework/linux/tui/template_windows.h"

#include <gtest/gtest.h>

#include "framework/linux/resources.h"
#include "framework/linux/window_registry.h"
#include "res/resource_tables.h"

namespace {

// The program's module, so that its icon and strings are found too.
const res::DialogTemplate& ProgramTemplate(int templateId) {
  framework::UseModule(res::ProgramModule());
  return *res::FindDialog(templateId);
}

}  // namespace

TemplateWindows::TemplateWindows(int templateId, HWND owner)
    : m_dialog(framework::CreateDialogWindows(ProgramTemplate(templateId), owner)) {}

TemplateWindows::~TemplateWindows() { framework::DestroyDialogWindows(m_dialog); }

HWND TemplateWindows::Control(int id) const {
  HWND control = m_dialog->Child(id);
  EXPECT_NE(control, nullptr) << "no control " << id;
  return control;
}

void SetEnglishTexts(HWND mainDialog) {
  const std::pair<int, const char*> texts[] = {{1029, "TAVRIN settings"},
                                               {1024, "Available COM list"},
                                               {1025, "Driver type"},
                                               {1027, "Init scan baud rate"},
                                               {1028, "PnP polling"},
                                               {1007, ">> Add to list >>"},
                                               {1009, "<< Remove from list <<"},
                                               {1026, "TAVRIN watch list"},
                                               {1018, "Apply settings"},
                                               {1, "Quit"},
                                               {1021, "Restart TAVRIN driver"}};
  for (const auto& [id, text] : texts) mainDialog->Child(id)->text = text;
}
