#pragma once

namespace corvani {

struct Point {
  int x;
  int y;
  bool operator==(const Point&) const = default;
};

// Where a window of the given outer size starts when centred on a screen of the given size.
// Integer division truncates toward zero, so a window larger than the screen starts at a
// negative position (not clamped).
constexpr Point CentredOrigin(int screen_width, int screen_height, int width, int height) {
  return {(screen_width - width) / 2, (screen_height - height) / 2};
}

}  // namespace corvani
