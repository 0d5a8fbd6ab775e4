#include <windows.h>

#include "app/application.h"

namespace corvani {

Text FatalErrorText(const Text& message, const Text& where) {
  Text text = "运行时出错!\r\n\r\n错误信息：" + message + "\r\n";
  if (!where.empty()) text += "出错位置：" + where + "\r\n";
  return text;
}

void FatalError(const Text& message, const Text& where) {
  const bool have_application = Application::Exists();
  // No command may run from here on, also not from messages the box's own loop dispatches.
  if (have_application) Application::Current().HoldEvents();
  ::MessageBoxA(nullptr, FatalErrorText(message, where).c_str(), "错误", MB_ICONERROR | MB_OK);
  if (have_application) Application::Current().ShutdownAfterFatalError();
  ::ExitProcess(static_cast<UINT>(-1));
}

}  // namespace corvani
