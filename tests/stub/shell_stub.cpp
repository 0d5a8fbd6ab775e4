// TEMPORARY: stands in for the shell's FatalError until it lands; remove after the merge.
#include <cstdio>
#include <cstdlib>

#include "app/application.h"

namespace corvani {
void FatalError(const Text& message, const Text&) {
  std::fprintf(stderr, "FatalError: %s\n", message.c_str());
  std::exit(-1);
}
}  // namespace corvani
