// The program ends through its fatal error box when a value cannot be allocated; here there is
// no box, and running out of memory is a finding of its own.
#include <cstdio>
#include <cstdlib>

#include "document/allocation.h"

namespace corvani {

void AllocationFailed(std::size_t bytes) {
  std::fprintf(stderr, "allocation of %zu bytes failed\n", bytes);
  std::abort();
}

}  // namespace corvani
