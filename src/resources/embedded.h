#pragma once

#include <span>

// Built-in data, generated from the files beside this header at build time.
namespace corvani::embedded {
extern const std::span<const unsigned char> program_icon;  // a one-image .ico file
}  // namespace corvani::embedded
