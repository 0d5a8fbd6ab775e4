#include <windows.h>

#include "app/application.h"
#include "ui/main_window/main_window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return corvani::RunApplication(corvani::MainWindowDefinition());
}
