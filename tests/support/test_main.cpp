// Entry point of every test program: the texts under test are GBK bytes, so the tests mean
// nothing unless the system's ANSI code page is 936.
#include <windows.h>

#include <cstdio>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  const UINT acp = ::GetACP();
  if (acp != 936) {
    std::fprintf(stderr,
                 "FATAL: the ANSI code page is %u, not 936. Run the tests with LC_ALL=zh_CN.UTF-8 "
                 "(scripts/with-wine-env.sh does).\n",
                 acp);
    return 3;
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
