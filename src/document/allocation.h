#pragma once

#include <cstddef>
#include <new>

#include "base/values.h"

namespace corvani {

// The fatal error's text when a value the services hand out cannot be allocated.
Text AllocationFailureText(std::size_t bytes);

[[noreturn]] void AllocationFailed(std::size_t bytes);

// Runs `make`, which builds a value of about `bytes` bytes; running out of memory there is
// fatal, since the caller has no way on without the value.
template <typename Make>
auto AllocateOrDie(std::size_t bytes, Make make) {
  try {
    return make();
  } catch (const std::bad_alloc&) {
    AllocationFailed(bytes);
  }
}

}  // namespace corvani
