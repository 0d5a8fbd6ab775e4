#include <windows.h>

#include "app/application.h"
#include "app/loaded_window.h"

namespace corvani {

namespace {

void Deliver(const MSG& message) {
  if (PreTranslateMessage(message)) return;
  ::TranslateMessage(&message);
  ::DispatchMessageA(&message);
}

}  // namespace

void ProcessWaitingMessages() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      QuitRequest(static_cast<int>(message.wParam));  // for the loop to take
      return;
    }
    Deliver(message);
  }
}

int RunMessageLoop() {
  Application& app = Application::Current();
  app.set_loop_started();
  if (app.loaded_windows().empty()) return 0;
  MSG message;
  for (;;) {
    // The system's windows have no idle work, so the loop simply waits.
    const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) FatalError("读取消息失败");
    Deliver(message);
  }
}

void ModalWait(LoadedWindow& window) {
  Application& app = Application::Current();
  const std::uint64_t serial = window.serial();  // `window` may be gone when the wait ends
  const std::uint64_t outer = app.modal_serial();
  app.set_modal_serial(serial);
  MSG message;
  while (app.modal_serial() == serial) {
    // The system's windows have no idle work; the wait is GetMessage's own.
    const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
    if (got == -1) FatalError("读取消息失败");
    if (got == 0) {
      // The quit request belongs to the enclosing loop: put it back and leave.
      QuitRequest(static_cast<int>(message.wParam));
      break;
    }
    Deliver(message);
  }
  app.set_modal_serial(app.FindBySerial(outer) != nullptr ? outer : 0);
  if (app.modal_serial() == 0) {
    // Close requests that reached other windows while this one was open count from now.
    for (const auto& w : app.loaded_windows()) {
      if (w->TakeCloseAfterModal()) ::PostMessageA(w->native(), WM_CLOSE, 0, 0);
    }
  }
}

}  // namespace corvani
