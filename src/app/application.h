#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "base/unique_handle.h"
#include "base/values.h"

namespace corvani {

class LoadedWindow;
struct WindowDefinition;
enum class Event;

using ExitRoutine = void (*)();

// The process-wide state of the shell. One exists from the start sequence to the end; tests
// make their own.
class Application {
 public:
  Application();
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  static Application& Current();
  static bool Exists();

  // OLE, the program directory (made the current directory), the hidden owner window and the
  // user-interface thread. False when the hidden owner window cannot be made.
  bool Initialize();

  const Text& program_directory() const { return program_directory_; }
  HWND hidden_owner() const { return hidden_owner_.get(); }

  void AddExitRoutine(ExitRoutine routine);
  // The normal end after the main loop: hold events, run the exit routines, take down the
  // hidden owner window and OLE.
  void Shutdown();
  // The fatal end's share of the same: the exit routines do not run.
  void ShutdownAfterFatalError();

  // Events held: while above zero no handler runs.
  bool events_held() const { return events_held_ > 0; }
  void HoldEvents() { ++events_held_; }
  void ReleaseEvents() {
    if (events_held_ > 0) --events_held_;
  }

  // Sees every event that is raised while events are not held, whether or not a handler is
  // bound; tests record the order of events with it. The system sets none.
  using EventObserver = void (*)(const LoadedWindow& window, int control_index, Event event);
  void set_event_observer(EventObserver observer) { event_observer_ = observer; }
  EventObserver event_observer() const { return event_observer_; }

  bool loop_started() const { return loop_started_; }
  void set_loop_started() { loop_started_ = true; }

  // The loaded windows, in load order.
  const std::vector<std::unique_ptr<LoadedWindow>>& loaded_windows() const { return loaded_; }
  LoadedWindow& AddLoadedWindow(std::unique_ptr<LoadedWindow> window);
  // Removes (and deletes) a window; posts the quit request when it was the last one and the
  // loop has started.
  void RemoveLoadedWindow(LoadedWindow* window);
  LoadedWindow* FindLoaded(const WindowDefinition& definition) const;
  LoadedWindow* FindLoaded(HWND native) const;
  LoadedWindow* FindBySerial(std::uint64_t serial) const;

  // The window whose modal wait is the innermost one, by serial number (0: none), so a
  // destroyed window is never looked at through a stale pointer.
  std::uint64_t modal_serial() const { return modal_serial_; }
  void set_modal_serial(std::uint64_t serial) { modal_serial_ = serial; }
  std::uint64_t NextSerial() { return ++last_serial_; }

  HINSTANCE instance() const { return instance_; }

 private:
  static Application* current_;

  HINSTANCE instance_;
  Text program_path_;
  Text program_directory_;
  std::vector<std::unique_ptr<LoadedWindow>> loaded_;
  UniqueWindow hidden_owner_;
  std::vector<ExitRoutine> exit_routines_;
  bool loop_started_ = false;
  int events_held_ = 0;
  EventObserver event_observer_ = nullptr;
  std::uint64_t modal_serial_ = 0;
  std::uint64_t last_serial_ = 0;
  DWORD ui_thread_ = 0;
  bool ole_initialized_ = false;
  bool shutting_down_ = false;
};

// Works out the program directory from the executable's path: the part before the last
// backslash that is a character of its own in the ANSI code page.
Text ProgramDirectoryFromPath(const Text& program_path);

void AddExitRoutine(ExitRoutine routine);

// The main loop; returns the quit request's code.
int RunMessageLoop();

// The nested loop of a modal window; returns when that window is gone or a quit request is
// next (the request stays queued for the enclosing loop).
void ModalWait(LoadedWindow& window);

// Runs the messages already waiting, without waiting for more; a quit request stays queued.
void ProcessWaitingMessages();

// Posts the request that ends the main loop.
void QuitRequest(int code);

// Reports a failure the system cannot recover from and ends the process with exit code -1.
// `where` names the window or control, when known.
[[noreturn]] void FatalError(const Text& message, const Text& where = {});

// The text of the fatal error box.
Text FatalErrorText(const Text& message, const Text& where);

// The whole start sequence and the normal end; returns the process exit code.
int RunApplication(const WindowDefinition& start_window);

}  // namespace corvani
