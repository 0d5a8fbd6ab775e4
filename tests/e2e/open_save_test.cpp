// Opening and saving with the real program and the platform's real dialogs, driven by the
// keyboard and mouse as a user would.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <thread>

#include "driver/driver.h"
// After driver.h, which brings <windows.h>.
#include <dlgs.h>

namespace {

using namespace e2e;

const std::string kTitle = "Corvani  Mirelund论坛专版 teru_vasko";

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class OpenAndSave : public testing::Test {
 protected:
  void SetUp() override {
    main_ = program_.WaitForWindow(kTitle);
    ASSERT_NE(main_, nullptr);
    Activate(main_);
    Settle(main_);
    edit_ = ChildWithText(main_, "");
    ASSERT_NE(edit_, nullptr);
    folder_ = MakeTempFolder("open-save");
  }

  // Clicks a main window button and waits for the file dialog it opens.
  HWND OpenDialog(const char* button) {
    ClickWindow(ChildWithText(main_, button));
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = FindOwnedWindow(program_.pid(), "#32770", main_)) != nullptr; });
    if (dialog != nullptr) {
      Settle(dialog);
      std::this_thread::sleep_for(200ms);
    }
    return dialog;
  }

  // Types a name into the dialog's file-name box and confirms it with Enter.
  void Choose(HWND dialog, const std::string& name) {
    HWND box = ::GetDlgItem(dialog, edt1) != nullptr ? ::GetDlgItem(dialog, edt1) : ::GetDlgItem(dialog, cmb13);
    ASSERT_NE(box, nullptr);
    ClickWindow(box);
    PressKey('A', {VK_CONTROL});
    TypeText(name);
    PressKey(VK_RETURN);
  }

  bool DialogGone(HWND dialog) { return WaitUntil([&] { return !::IsWindow(dialog); }, 10s); }

  // The "失败" notice: a box captioned "信息：" with that text.
  HWND WaitForNotice() {
    HWND box = nullptr;
    WaitUntil([&] {
      for (HWND w : program_.TopLevelWindows()) {
        if (ClassOf(w) == "#32770" && Text(w) == "信息：") box = w;
      }
      return box != nullptr;
    });
    return box;
  }

  // Chooses a file through the dialog that a main window button opens.
  void UseDialog(const char* button, const std::string& path) {
    HWND dialog = OpenDialog(button);
    ASSERT_NE(dialog, nullptr);
    Choose(dialog, path);
    ASSERT_TRUE(DialogGone(dialog));
    Settle(main_);
  }
  void OpenFile(const std::string& path) { UseDialog("打开文件", path); }
  void SaveFile(const std::string& path) { UseDialog("保存文件", path); }

  Program program_;
  HWND main_ = nullptr;
  HWND edit_ = nullptr;
  std::string folder_;
};

TEST_F(OpenAndSave, OpenDialogOffersBothFiltersStartsInTheProgramFolderAndCancelChangesNothing) {
  TypeText("keep");
  // A file only the program's own folder holds: a bare name finds it only if the dialog
  // starts there.
  const std::string exe = CorvaniExe();
  const std::string program_folder = exe.substr(0, exe.rfind('\\'));
  const std::string probe = "e2e-probe-" + std::to_string(::GetCurrentProcessId()) + ".txt";
  WriteFileBytes(program_folder + "\\" + probe, "from the program folder");

  HWND dialog = OpenDialog("打开文件");
  ASSERT_NE(dialog, nullptr);
  HWND types = ::GetDlgItem(dialog, cmb1);
  ASSERT_NE(types, nullptr);
  EXPECT_EQ(::SendMessageA(types, CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(::SendMessageA(types, CB_GETCURSEL, 0, 0), 0);
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(DialogGone(dialog));
  Settle(main_);
  EXPECT_EQ(Text(edit_), "keep");
  EXPECT_TRUE(::IsWindowEnabled(main_));

  OpenFile(probe);
  EXPECT_EQ(Text(edit_), "from the program folder");
  ::DeleteFileA((program_folder + "\\" + probe).c_str());
}

TEST_F(OpenAndSave, OpenShowsTheBytesBeforeTheFirstZeroAndAnEmptyFileEmptiesTheBox) {
  const std::string zero = folder_ + "\\zero.txt";
  WriteFileBytes(zero, std::string("AB\0CD", 5));
  OpenFile(zero);
  EXPECT_EQ(Hex(Text(edit_)), "41 42");

  const std::string empty = folder_ + "\\empty.txt";
  WriteFileBytes(empty, "");
  OpenFile(empty);
  EXPECT_EQ(Text(edit_), "");
}

TEST_F(OpenAndSave, AFileThatCannotBeReadShowsTheNoticeAndKeepsTheText) {
  const std::string locked = folder_ + "\\locked.txt";
  WriteFileBytes(locked, "locked content");
  TypeText("mine");
  // Held open for writing by another process (this one), so reading it is refused.
  HANDLE holder = ::CreateFileA(locked.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  HWND dialog = OpenDialog("打开文件");
  ASSERT_NE(dialog, nullptr);
  Choose(dialog, locked);
  HWND notice = WaitForNotice();
  ASSERT_NE(notice, nullptr);
  EXPECT_NE(ChildWithText(notice, "失败"), nullptr);
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(notice); }));
  ::CloseHandle(holder);
  Settle(main_);
  EXPECT_EQ(Text(edit_), "mine");
}

TEST_F(OpenAndSave, AGbkFileOpenedAndSavedUnderANewNameIsByteIdentical) {
  const std::string original = "第一行 first line\r\n第二行：中文，标点。\r\n\r\nlast line without break";
  const std::string source = folder_ + "\\gbk.txt";
  WriteFileBytes(source, original);
  OpenFile(source);
  EXPECT_EQ(Hex(Text(edit_)), Hex(original));
  const std::string copy = folder_ + "\\copy.txt";
  SaveFile(copy);
  EXPECT_EQ(Hex(ReadFileBytes(copy)), Hex(original));
}

TEST_F(OpenAndSave, SaveWritesTypedLinesAsCrLfAndAddsTheDefaultExtension) {
  TypeText("one");
  PressKey(VK_RETURN);
  TypeText("two");
  SaveFile(folder_ + "\\typed");
  EXPECT_EQ(Hex(ReadFileBytes(folder_ + "\\typed.txt")), Hex("one\r\ntwo"));
  EXPECT_FALSE(Exists(folder_ + "\\typed"));
}

TEST_F(OpenAndSave, SavingAnEmptyBoxMakesAZeroByteFile) {
  const std::string path = folder_ + "\\nothing.txt";
  SaveFile(path);
  ASSERT_TRUE(Exists(path));
  EXPECT_EQ(ReadFileBytes(path).size(), 0u);
}

TEST_F(OpenAndSave, SavingOverAnExistingFileAsksFirstThenReplacesItEntirely) {
  const std::string path = folder_ + "\\existing.txt";
  WriteFileBytes(path, "a much longer old content that must vanish entirely");
  TypeText("short");
  HWND dialog = OpenDialog("保存文件");
  ASSERT_NE(dialog, nullptr);
  Choose(dialog, path);
  // The dialog's own question, owned by the dialog.
  HWND question = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (question = FindOwnedWindow(program_.pid(), "#32770", dialog)) != nullptr; }));
  EXPECT_EQ(ReadFileBytes(path), "a much longer old content that must vanish entirely");
  Settle(question);
  PressKey(VK_RETURN);  // the first button: replace
  ASSERT_TRUE(DialogGone(dialog));
  Settle(main_);
  EXPECT_EQ(ReadFileBytes(path), "short");
}

TEST_F(OpenAndSave, SavingOntoAReadOnlyFileShowsTheNoticeAndKeepsTheFile) {
  const std::string path = folder_ + "\\readonly.txt";
  WriteFileBytes(path, "protected");
  ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  TypeText("new text");
  HWND dialog = OpenDialog("保存文件");
  ASSERT_NE(dialog, nullptr);
  Choose(dialog, path);
  // The dialog asks before replacing it; yes.
  HWND question = nullptr;
  if (WaitUntil([&] { return (question = FindOwnedWindow(program_.pid(), "#32770", dialog)) != nullptr; }, 3s)) {
    Settle(question);
    PressKey(VK_RETURN);
  }
  HWND notice = WaitForNotice();
  ASSERT_NE(notice, nullptr);
  EXPECT_NE(ChildWithText(notice, "失败"), nullptr);
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(notice); }));
  EXPECT_EQ(ReadFileBytes(path), "protected");
  EXPECT_NE(::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_TRUE(::IsWindowEnabled(main_));
}

TEST_F(OpenAndSave, AfterASaveTheOpenDialogShowsTheSavedFile) {
  TypeText("remember me");
  const std::string path = folder_ + "\\remembered.txt";
  SaveFile(path);
  ASSERT_TRUE(Exists(path));
  HWND dialog = OpenDialog("打开文件");
  ASSERT_NE(dialog, nullptr);
  HWND box = ::GetDlgItem(dialog, edt1) != nullptr ? ::GetDlgItem(dialog, edt1) : ::GetDlgItem(dialog, cmb13);
  // Windows shows the full path; Wine opens the path's folder and shows the bare name there.
  const std::string shown = Text(box);
  EXPECT_TRUE(shown == path || shown == "remembered.txt") << shown;
  // Confirming it as shown opens that very file.
  ::SendMessageA(main_, WM_NULL, 0, 0);
  PressKey(VK_RETURN);
  ASSERT_TRUE(DialogGone(dialog));
  Settle(main_);
  EXPECT_EQ(Text(edit_), "remember me");
}

}  // namespace
