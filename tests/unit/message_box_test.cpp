#include "document/message_box.h"

#include <gtest/gtest.h>

#include <cstring>

namespace corvani {
namespace {

TEST(MessageBoxResultIndex, MapsEachButtonToItsIndex) {
  const struct {
    int id;
    int index;
  } cases[] = {{IDOK, 0},    {IDCANCEL, 1}, {IDABORT, 2}, {IDRETRY, 3}, {IDIGNORE, 4},
               {IDYES, 5},   {IDNO, 6},     {0, 0},       {IDCLOSE, 0}, {IDHELP, 0},
               {IDTRYAGAIN, 0}, {IDCONTINUE, 0}, {-1, 0}};
  for (const auto& c : cases) EXPECT_EQ(MessageBoxResultIndex(c.id), c.index) << c.id;
}

TEST(MessageBoxStyle, AddsTaskModalUnlessSystemModal) {
  EXPECT_EQ(MessageBoxStyle(0), static_cast<UINT>(MB_OK | MB_TASKMODAL));
  EXPECT_EQ(MessageBoxStyle(MB_YESNO | MB_ICONERROR),
            static_cast<UINT>(MB_YESNO | MB_ICONERROR | MB_TASKMODAL));
  EXPECT_EQ(MessageBoxStyle(MB_SYSTEMMODAL), static_cast<UINT>(MB_SYSTEMMODAL));
  EXPECT_EQ(MessageBoxStyle(MB_TASKMODAL), static_cast<UINT>(MB_TASKMODAL));
}

TEST(MessageBox, DefaultCaptionIsInformationInGbk) {
  EXPECT_STREQ(kDefaultMessageCaption, "\xD0\xC5\xCF\xA2\xA3\xBA");
}

}  // namespace
}  // namespace corvani
