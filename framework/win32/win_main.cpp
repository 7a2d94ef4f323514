// The program's entry point: the application object's Run.
#include "framework/framework.h"

int WINAPI WinMain(HINSTANCE /*hInstance*/, HINSTANCE /*hPrevInstance*/, LPSTR /*lpCmdLine*/, int /*nShowCmd*/) {
  CWinApp* app = AfxGetApp();
  return app != nullptr ? app->Run() : -1;
}
