#include "app/application.h"

#include <ole2.h>

#include <algorithm>

#include "app/dll_search.h"
#include "app/loaded_window.h"
#include "app/window_definition.h"
#include "base/double_byte.h"
#include "base/window_class.h"

namespace corvani {

Application* Application::current_ = nullptr;

namespace {

constexpr char kHiddenOwnerClass[] = "CorvaniHiddenOwner";

const char* HiddenOwnerClass() {
  static const ATOM atom = RegisterWindowClass(kHiddenOwnerClass, ::DefWindowProcA);
  return atom != 0 ? kHiddenOwnerClass : nullptr;
}

}  // namespace

Text ProgramDirectoryFromPath(const Text& program_path) {
  const std::size_t last = FindLastCharacter(program_path, '\\', IsSystemLeadByte);
  return last == Text::npos ? Text() : program_path.substr(0, last);
}

Application::Application() : instance_(::GetModuleHandleA(nullptr)) { current_ = this; }

Application::~Application() {
  // Tests end with windows still open; take them down without asking for a quit.
  shutting_down_ = true;
  while (!loaded_.empty()) {
    HWND native = loaded_.back()->native();
    if (native != nullptr && ::IsWindow(native)) {
      ::DestroyWindow(native);  // its last message removes it from the list
    } else {
      loaded_.pop_back();
    }
  }
  hidden_owner_.reset();
  if (ole_initialized_) ::OleUninitialize();
  if (current_ == this) current_ = nullptr;
}

Application& Application::Current() { return *current_; }
bool Application::Exists() { return current_ != nullptr; }

bool Application::Initialize() {
  ole_initialized_ = SUCCEEDED(::OleInitialize(nullptr));

  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  program_path_.assign(path, std::min<DWORD>(length, MAX_PATH));
  program_directory_ = ProgramDirectoryFromPath(program_path_);
  // Fails only for an empty directory, and then there is nothing better to do.
  ::SetCurrentDirectoryA(program_directory_.c_str());

  const char* owner_class = HiddenOwnerClass();
  if (owner_class == nullptr) return false;
  hidden_owner_.reset(::CreateWindowExA(WS_EX_TOOLWINDOW, owner_class, "", 0, 0, 0, 0, 0, nullptr,
                                        nullptr, instance_, nullptr));
  ui_thread_ = ::GetCurrentThreadId();
  return static_cast<bool>(hidden_owner_);
}

void Application::AddExitRoutine(ExitRoutine routine) {
  if (std::find(exit_routines_.begin(), exit_routines_.end(), routine) == exit_routines_.end()) {
    exit_routines_.push_back(routine);
  }
}

void Application::Shutdown() {
  HoldEvents();  // for good
  const std::vector<ExitRoutine> routines = std::move(exit_routines_);
  exit_routines_.clear();
  for (ExitRoutine routine : routines) routine();
  hidden_owner_.reset();
  if (ole_initialized_) ::OleUninitialize();
  ole_initialized_ = false;
}

void Application::ShutdownAfterFatalError() {
  exit_routines_.clear();
  Shutdown();
}

LoadedWindow& Application::AddLoadedWindow(std::unique_ptr<LoadedWindow> window) {
  loaded_.push_back(std::move(window));
  return *loaded_.back();
}

void Application::RemoveLoadedWindow(LoadedWindow* window) {
  if (modal_serial_ == window->serial()) modal_serial_ = 0;
  const auto it = std::find_if(loaded_.begin(), loaded_.end(),
                               [window](const auto& w) { return w.get() == window; });
  if (it == loaded_.end()) return;
  std::unique_ptr<LoadedWindow> gone = std::move(*it);
  loaded_.erase(it);
  gone.reset();
  if (loaded_.empty() && loop_started_ && !shutting_down_) QuitRequest(0);
}

LoadedWindow* Application::FindLoaded(const WindowDefinition& definition) const {
  for (const auto& w : loaded_) {
    if (&w->definition() == &definition) return w.get();
  }
  return nullptr;
}

LoadedWindow* Application::FindLoaded(HWND native) const {
  if (native == nullptr) return nullptr;
  for (const auto& w : loaded_) {
    if (w->native() == native) return w.get();
  }
  return nullptr;
}

LoadedWindow* Application::FindBySerial(std::uint64_t serial) const {
  for (const auto& w : loaded_) {
    if (w->serial() == serial) return w.get();
  }
  return nullptr;
}

void AddExitRoutine(ExitRoutine routine) { Application::Current().AddExitRoutine(routine); }

void QuitRequest(int code) { ::PostQuitMessage(code); }

namespace {
// The system keeps no global data: its clean-up has nothing to do, but it is the first exit
// routine all the same.
void CleanUpGlobalData() {}
}  // namespace

int RunApplication(const WindowDefinition& start_window) {
  // First of all, before OLE or anything optional loads a DLL by name.
  RestrictDllSearchToSystem();
  Application app;
  if (!app.Initialize()) FatalError("创建隐藏的所有者窗口失败");
  app.AddExitRoutine(&CleanUpGlobalData);
  if (!LoadWindow(start_window, nullptr, false)) FatalError("载入启动窗口失败");
  const int code = RunMessageLoop();
  app.Shutdown();
  return code;
}

}  // namespace corvani
