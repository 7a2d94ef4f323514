// The windows of one of the program's dialog templates, made for a test and
// destroyed after it, without running a modal loop.
#pragma once

#include "framework/linux/window.h"

class TemplateWindows {
 public:
  explicit TemplateWindows(int templateId, HWND owner = nullptr);
  ~TemplateWindows();
  TemplateWindows(const TemplateWindows&) = delete;
  TemplateWindows& operator=(const TemplateWindows&) = delete;

  HWND Dialog() const { return m_dialog; }
  HWND Control(int id) const;

 private:
  HWND m_dialog;
};

// The English control texts that the main dialog sets when it starts.
void SetEnglishTexts(HWND mainDialog);
