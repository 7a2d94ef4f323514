// The about box: template 100, no data and no handlers of its own.
#pragma once

#include "framework/framework.h"

class CAboutBox : public CDialog {
 public:
  CAboutBox();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  DECLARE_MESSAGE_MAP()
};
