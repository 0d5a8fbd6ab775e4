// Reading files into the edit box and saving its text back, many times over, in this process
// where every handle, GDI object and window can be counted.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/application.h"
#include "app/loaded_window.h"
#include "document/read_whole_file.h"
#include "document/text_conversion.h"
#include "document/write_whole_file.h"
#include "support/resource_counts.h"
#include "ui/main_window/main_window.h"

namespace corvani {
namespace {

using testing_support::CountResources;

TEST(DocumentCycle, OpeningAndSaving500TimesLeavesEveryCountWhereItWas) {
  Application app;
  ASSERT_TRUE(app.Initialize());
  ASSERT_TRUE(LoadWindow(MainWindowDefinition()));
  char temp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  const Text path = Text(temp) + "corvani-cycle-" + std::to_string(::GetCurrentProcessId()) + ".txt";
  const Text text = "第一行\r\nsecond line\r\n第三行";
  ASSERT_TRUE(WriteWholeFile(path, TextToBytes(text)));

  auto cycle = [&] {
    auto bytes = ReadWholeFile(path);
    ASSERT_TRUE(bytes.has_value());
    SetContent(BytesToText(std::move(*bytes)));
    ASSERT_TRUE(WriteWholeFile(path, TextToBytes(Content())));
  };
  cycle();  // warm-up
  const auto before = CountResources();
  for (int i = 0; i < 500; ++i) {
    cycle();
    if (HasFatalFailure()) return;
  }
  const auto after = CountResources();
  EXPECT_EQ(after, before) << after.ToString() << " vs " << before.ToString();
  EXPECT_EQ(Content(), text);
  ::DeleteFileA(path.c_str());
}

}  // namespace
}  // namespace corvani
