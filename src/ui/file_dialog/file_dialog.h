#pragma once

#include <memory>
#include <string_view>

#include "app/window_definition.h"
#include "base/values.h"
#include "ui/file_dialog/dialog_fields.h"

namespace corvani {

// The file dialog object of a CommonDlg control: a set of properties that lives with its
// window, and Show, which runs the platform's modal open or save dialog from them.
class FileDialog : public ControlObject {
 public:
  static constexpr int kOpen = 0;
  static constexpr int kSave = 1;

  int Type() const { return type_; }
  void SetType(int type) { type_ = type; }
  Text Title() const { return title_; }
  void SetTitle(std::string_view title);
  Text FileName() const { return file_name_; }
  void SetFileName(std::string_view file_name);
  Text Filter() const { return filter_; }
  void SetFilter(std::string_view filter);
  int InitialFilter() const { return initial_filter_; }
  void SetInitialFilter(int index) { initial_filter_ = index < 0 ? 0 : index; }
  Text InitialDir() const { return initial_dir_; }
  void SetInitialDir(std::string_view directory);
  Text DefaultExt() const { return default_ext_; }
  void SetDefaultExt(std::string_view extension);

  bool CreatePrompt() const { return options_.create_prompt; }
  void SetCreatePrompt(bool on) { options_.create_prompt = on; }
  bool FileMustExist() const { return options_.file_must_exist; }
  void SetFileMustExist(bool on) { options_.file_must_exist = on; }
  bool OverwritePrompt() const { return options_.overwrite_prompt; }
  void SetOverwritePrompt(bool on) { options_.overwrite_prompt = on; }
  bool PathMustExist() const { return options_.path_must_exist; }
  void SetPathMustExist(bool on) { options_.path_must_exist = on; }
  bool NoChangeDir() const { return options_.no_change_dir; }
  void SetNoChangeDir(bool on) { options_.no_change_dir = on; }

  const FileDialogOptions& options() const { return options_; }

  // Runs the dialog modally over the active window and returns once it has closed: true when
  // the user confirmed a file, whose full path is then in FileName; false for cancel and
  // failure alike, with no property changed.
  bool Show();

 private:
  int type_ = kOpen;
  Text title_;
  Text file_name_;
  Text filter_;
  int initial_filter_ = 0;
  Text initial_dir_;
  Text default_ext_;
  FileDialogOptions options_;
};

// The shell makes one for each CommonDlg control at every load.
std::unique_ptr<ControlObject> MakeFileDialog();

}  // namespace corvani
