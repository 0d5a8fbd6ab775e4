#pragma once

#include <span>

// Built-in data, generated from the files beside this header at build time.
namespace corvani::embedded {
extern const std::span<const unsigned char> program_icon;  // a one-image .ico file
// The About picture: a 94 x 94 baseline JPEG (tools/make_about_picture.py makes it).
extern const std::span<const unsigned char> about_picture;
}  // namespace corvani::embedded
