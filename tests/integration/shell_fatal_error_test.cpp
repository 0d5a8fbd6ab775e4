// FatalError end to end: a helper program runs the start sequence and fails; the box it shows,
// the exit routines that must not run, and the exit code are checked from outside.

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "driver/driver.h"

namespace {

using namespace std::chrono_literals;

std::string Helper() {
  const char* path = std::getenv("SHELL_FATAL_ERROR_HELPER");
  return path != nullptr ? e2e::WinePath(path) : std::string();
}

// The text of a window of another process, as ANSI bytes. The box's text control is a Unicode
// window; its text is read as it is and converted here, so no cross-process conversion with a
// guessed length can cut it.
std::string TextOf(HWND window) {
  std::wstring wide(4096, L'\0');
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutW(window, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(wide.data()), SMTO_NORMAL,
                        5000, &copied);
  wide.resize(copied);
  std::string text(wide.size() * 2, '\0');
  text.resize(static_cast<std::size_t>(::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                                             text.data(), static_cast<int>(text.size()), nullptr,
                                                             nullptr)));
  return text;
}

std::optional<std::string> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

class FatalErrorTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(Helper().empty()) << "SHELL_FATAL_ERROR_HELPER is not set";
    marker_ = e2e::MakeTempFolder("fatal") + "\\marker.txt";
    ::SetEnvironmentVariableA("SHELL_HELPER_MARKER", marker_.c_str());
  }
  void Start(const char* mode) {
    ::SetEnvironmentVariableA("SHELL_HELPER_MODE", mode);
    program_ = std::make_unique<e2e::Program>(Helper());
  }
  std::string marker_;
  std::unique_ptr<e2e::Program> program_;
};

TEST_F(FatalErrorTest, ShowsTheBoxThenEndsWithMinusOneWithoutExitRoutines) {
  const std::string text = "分配 100 字节内存失败!";  // the helper's
  Start("fatal");
  const HWND box = program_->WaitForWindow("错误");
  ASSERT_NE(box, nullptr) << "no box captioned 错误";
  EXPECT_EQ(e2e::ClassOf(box), "#32770");
  // The message box's text control.
  const std::string shown = TextOf(::GetDlgItem(box, 0xFFFF));
  EXPECT_EQ(shown.rfind("运行时出错!\r\n\r\n错误信息：" + text + "\r\n", 0), 0u) << e2e::Hex(shown);
  EXPECT_FALSE(program_->WaitForExit(300ms).has_value()) << "the process waits for the user";

  const HWND ok = ::GetDlgItem(box, IDOK);
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(::GetDlgItem(box, IDCANCEL), nullptr) << "only an OK button";
  e2e::Activate(box);
  e2e::ClickWindow(ok);
  const auto code = program_->WaitForExit();
  ASSERT_TRUE(code.has_value()) << "still running after OK";
  EXPECT_EQ(*code, 0xFFFFFFFFu);
  EXPECT_FALSE(ReadFile(marker_).has_value()) << "an exit routine ran after the fatal error";
}

TEST_F(FatalErrorTest, TheNormalEndRunsTheExitRoutineOnceAndExitsWithZero) {
  Start("normal");
  const auto code = program_->WaitForExit();
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, 0u);
  EXPECT_EQ(ReadFile(marker_), "exit routine\n");
}

}  // namespace
