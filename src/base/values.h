#pragma once

#include <string>

namespace corvani {

// A string in the system's ANSI code page (GBK here). It never holds a zero byte; the empty
// Text is an ordinary value.
using Text = std::string;

// A counted byte sequence that may hold zero bytes; at most 2,147,483,647 of them.
struct Bytes {
  std::string data;

  bool empty() const { return data.empty(); }
  int size() const { return static_cast<int>(data.size()); }
};

}  // namespace corvani
