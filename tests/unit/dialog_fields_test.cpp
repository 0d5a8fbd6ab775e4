#include "ui/file_dialog/dialog_fields.h"

#include <commdlg.h>

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

namespace corvani {
namespace {

constexpr DWORD kAlways = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING | OFN_ENABLEHOOK;

TEST(OptionFlags, LoadValuesGiveTheClassicWord) {
  EXPECT_EQ(
      OptionFlags(FileDialogOptions{}),
      static_cast<DWORD>(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST |
                         OFN_FILEMUSTEXIST | OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING));
}

TEST(OptionFlags, EachOptionAddsItsOwnFlagOnly) {
  const FileDialogOptions none{false, false, false, false, false};
  EXPECT_EQ(OptionFlags(none), kAlways);
  struct Row {
    bool FileDialogOptions::*option;
    DWORD flag;
  };
  for (const Row& row : {Row{&FileDialogOptions::create_prompt, OFN_CREATEPROMPT},
                         Row{&FileDialogOptions::file_must_exist, OFN_FILEMUSTEXIST},
                         Row{&FileDialogOptions::overwrite_prompt, OFN_OVERWRITEPROMPT},
                         Row{&FileDialogOptions::path_must_exist, OFN_PATHMUSTEXIST},
                         Row{&FileDialogOptions::no_change_dir, OFN_NOCHANGEDIR}}) {
    FileDialogOptions options = none;
    options.*row.option = true;
    EXPECT_EQ(OptionFlags(options), kAlways | row.flag) << std::hex << row.flag;
  }
}

struct CutCase {
  const char* name;
  std::string file_name;
  std::size_t kept;
};

class FileNameCut : public testing::TestWithParam<CutCase> {};

TEST_P(FileNameCut, KeepsAtMost259BytesAndWholeCharacters) {
  const auto& c = GetParam();
  EXPECT_EQ(CutFileName(c.file_name, IsGbkLeadByte), c.file_name.substr(0, c.kept));

  const FileNameBuffer buffer = MakeFileNameBuffer(c.file_name, IsGbkLeadByte);
  EXPECT_EQ(std::string(buffer.data(), c.kept), c.file_name.substr(0, c.kept));
  EXPECT_TRUE(std::all_of(buffer.begin() + c.kept, buffer.end(), [](char b) { return b == 0; }))
      << "the rest of the buffer is zeroed";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileNameCut,
    testing::Values(CutCase{"Empty", "", 0}, CutCase{"Short", "C:\\a\\b.txt", 10},
                    CutCase{"Exactly259", std::string(259, 'a'), 259},
                    CutCase{"260", std::string(260, 'a'), 259},
                    CutCase{"Long", std::string(1000, 'a'), 259},
                    // "表" (B1 ED) would straddle the cut: it goes whole, leaving 258 bytes.
                    CutCase{"CharacterAcrossTheCut", std::string(258, 'a') + "\xB1\xED", 258},
                    CutCase{"CharacterEndsAtTheCut", std::string(257, 'a') + "\xB1\xEDx", 259},
                    // "晐" (95 7C) ending at 259 stays.
                    CutCase{"TrailBarAtTheCut", std::string(257, 'a') + "\x95\x7c" + "xyz", 259}),
    [](const testing::TestParamInfo<CutCase>& info) { return info.param.name; });

}  // namespace
}  // namespace corvani
