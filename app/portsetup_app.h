// The application object: runs the main dialog once and ends.
#pragma once

#include "framework/framework.h"

class CPortSetupApp : public CWinApp {
 public:
  CPortSetupApp();
  BOOL InitInstance() override;

  DECLARE_MESSAGE_MAP()
};

extern CPortSetupApp theApp;
