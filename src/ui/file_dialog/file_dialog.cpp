#include "ui/file_dialog/file_dialog.h"

#include <windows.h>
#include <commdlg.h>

#include <array>
#include <cstddef>
#include <cstring>
#include <string>

#include "base/double_byte.h"
#include "ui/file_dialog/common_dialog_library.h"
#include "ui/file_dialog/dialog_placement.h"
#include "ui/file_dialog/filter_list.h"

namespace corvani {
namespace {

// The version-4.0 size of the structure: the dialog then keeps the classic explorer layout
// that the hook places.
constexpr DWORD kOpenFileNameSize =
    offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(OPENFILENAMEA::lpTemplateName);
static_assert(sizeof(void*) != 4 || kOpenFileNameSize == 76,
              "OPENFILENAMEA up to lpTemplateName is 76 bytes on 32-bit Windows");

// A Text never holds a zero byte: what follows one would be lost on the way to the dialog.
Text ToText(std::string_view value) { return Text(value.substr(0, value.find('\0'))); }

const char* OrNone(const Text& value) { return value.empty() ? nullptr : value.c_str(); }

void PlaceOnOwner(HWND dialog, HWND owner) {
  RECT dialog_rect;
  if (!::GetWindowRect(dialog, &dialog_rect)) return;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  const HMONITOR on = ::MonitorFromWindow(owner ? owner : dialog, MONITOR_DEFAULTTONEAREST);
  if (!::GetMonitorInfoA(on, &monitor)) return;
  RECT owner_rect{};
  const bool on_owner = owner != nullptr && ::IsWindowVisible(owner) && !::IsIconic(owner) &&
                        ::GetWindowRect(owner, &owner_rect);
  const RECT placed = PlaceDialog(dialog_rect, owner_rect, on_owner, monitor.rcWork);
  ::SetWindowPos(dialog, nullptr, placed.left, placed.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The explorer-style dialog runs this for its child dialog; the dialog proper is the child's
// parent. It has its final size only once it reports CDN_INITDONE.
UINT_PTR CALLBACK PlacementHook(HWND hook_dialog, UINT message, WPARAM, LPARAM lparam) {
  if (message != WM_NOTIFY) return 0;
  const auto* notify = reinterpret_cast<const OFNOTIFYA*>(lparam);
  if (notify->hdr.code != static_cast<UINT>(CDN_INITDONE)) return 0;
  PlaceOnOwner(::GetParent(hook_dialog), notify->lpOFN->hwndOwner);
  return 0;
}

}  // namespace

void FileDialog::SetTitle(std::string_view title) { title_ = ToText(title); }
void FileDialog::SetFileName(std::string_view file_name) { file_name_ = ToText(file_name); }
void FileDialog::SetFilter(std::string_view filter) { filter_ = ToText(filter); }
void FileDialog::SetInitialDir(std::string_view directory) { initial_dir_ = ToText(directory); }
void FileDialog::SetDefaultExt(std::string_view extension) { default_ext_ = ToText(extension); }

bool FileDialog::Show() {
  if (type_ != kOpen && type_ != kSave) return false;

  const std::string filter_list = BuildFilterList(filter_, IsSystemLeadByte);
  FileNameBuffer file = MakeFileNameBuffer(file_name_, IsSystemLeadByte);
  std::array<char, kFileTitleBufferSize> file_title{};  // asked for, never read

  OPENFILENAMEA request{};
  request.lStructSize = kOpenFileNameSize;
  // The platform disables the owner while the dialog is open and enables it again after.
  request.hwndOwner = ::GetActiveWindow();
  request.lpstrFilter = filter_list.empty() ? nullptr : filter_list.c_str();
  request.nFilterIndex = SelectedFilterIndex(!filter_list.empty(), initial_filter_);
  request.lpstrFile = file.data();
  request.nMaxFile = static_cast<DWORD>(file.size());
  request.lpstrFileTitle = file_title.data();
  request.nMaxFileTitle = static_cast<DWORD>(file_title.size());
  request.lpstrInitialDir = OrNone(initial_dir_);
  request.lpstrTitle = OrNone(title_);
  request.Flags = OptionFlags(options_);
  request.lpstrDefExt = OrNone(default_ext_);
  request.lpfnHook = PlacementHook;

  const FileDialogFunction show = CommonFileDialog(type_ == kSave);
  if (show == nullptr) return false;
  const HWND had_focus = ::GetFocus();
  const BOOL confirmed = show(&request);
  // Re-enabling the owner does not give the focus back to the control that had it.
  if (had_focus != nullptr && ::IsWindow(had_focus)) ::SetFocus(had_focus);

  if (!confirmed) return false;
  file_name_.assign(file.data(), ::strnlen(file.data(), file.size()));
  return true;
}

std::unique_ptr<ControlObject> MakeFileDialog() { return std::make_unique<FileDialog>(); }

}  // namespace corvani
