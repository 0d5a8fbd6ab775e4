#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "app/window_definition.h"
#include "base/unique_handle.h"

namespace corvani {

class Application;

// A window built from a definition and alive. It owns its native window (destroyed with
// it), its controls' objects and its icons.
class LoadedWindow {
 public:
  struct Control {
    const ControlDefinition* definition;
    HWND native = nullptr;  // owned by the native window, destroyed with it
    std::unique_ptr<ControlObject> object;
  };

  LoadedWindow(const WindowDefinition& definition, std::uint64_t serial);
  ~LoadedWindow();
  LoadedWindow(const LoadedWindow&) = delete;
  LoadedWindow& operator=(const LoadedWindow&) = delete;

  const WindowDefinition& definition() const { return *definition_; }
  HWND native() const { return native_; }
  std::uint64_t serial() const { return serial_; }
  bool modal() const { return modal_; }
  bool close_pending() const { return close_pending_; }

  // The control of that name; null when the definition has none.
  const Control* FindControl(std::string_view name) const;
  HWND ControlWindow(std::string_view name) const;
  template <typename T>
  T* ControlObjectOf(std::string_view name) const {
    const Control* c = FindControl(name);
    return c ? dynamic_cast<T*>(c->object.get()) : nullptr;
  }
  // Index of the control that owns `native`, or -1.
  int ControlIndexOf(HWND native) const;
  const std::vector<Control>& controls() const { return controls_; }

  // Suppresses the edit box's own change notifications while its text is replaced.
  void set_suppress_change_events(bool on) { suppress_change_events_ = on; }

  // The controls Tab visits now, in order (indexes into controls()).
  std::vector<int> CurrentTabList() const;
  // Whether a control of this kind and state claims Tab, Enter or Esc for itself.
  bool ClaimsEnter(int control_index) const;
  bool IsEnabledDefaultButton(int control_index) const;

  // A close request that arrived while another window was modal; taken (and cleared) when
  // the modal window is gone.
  bool TakeCloseAfterModal() { return std::exchange(close_after_modal_, false); }

 private:
  // Enables again the windows a modal load disabled, as they were, and forgets them.
  void GiveBackEnabledStates();

  friend bool LoadWindow(const WindowDefinition&, LoadedWindow*, bool);
  friend void DestroyLoadedWindow(LoadedWindow&, bool);
  friend void CarryOutDeferredDestroy(LoadedWindow&);
  friend class WindowProcedure;

  const WindowDefinition* definition_;
  std::uint64_t serial_;
  HWND native_ = nullptr;
  std::vector<Control> controls_;
  UniqueIcon big_icon_;
  UniqueIcon small_icon_;
  bool modal_ = false;
  bool close_pending_ = false;
  bool activated_once_ = false;
  bool close_after_modal_ = false;
  bool suppress_change_events_ = false;
  HWND remembered_focus_ = nullptr;
  // The windows a modal load disabled, with whether each was enabled before.
  std::vector<std::pair<HWND, bool>> disabled_for_it_;
};

// Builds and shows a window from its definition. A modal load waits until the window is gone.
bool LoadWindow(const WindowDefinition& definition, LoadedWindow* owner = nullptr, bool modal = false);

// Deferred (posted, carried out once the calling command has returned) unless `at_once`.
void DestroyLoadedWindow(LoadedWindow& window, bool at_once = false);

struct RaiseResult {
  bool ran = false;
  bool answer = true;  // a close query's answer
};
// Runs the handler bound to that event of the window (control_index -1) or of one control.
RaiseResult RaiseEvent(LoadedWindow& window, int control_index, Event event);

// The loaded window of a definition; a missing one is fatal, with `error_text`.
LoadedWindow& RequireLoaded(const WindowDefinition& definition, const char* error_text);

// Offers a message to the shell's keyboard handling; true when the shell consumed it.
bool PreTranslateMessage(const MSG& message);

// The deferred step of DestroyLoadedWindow; a second one is spent.
void CarryOutDeferredDestroy(LoadedWindow& window);

// Private messages of the shell's windows.
inline constexpr UINT kCorvaniMessageBase = WM_APP + 0x100;
inline constexpr UINT kDeferredDestroyMessage = kCorvaniMessageBase + 1;
inline constexpr UINT kRedirectActivationMessage = kCorvaniMessageBase + 2;

}  // namespace corvani
