#include "ui/file_dialog/dialog_placement.h"

namespace corvani {
namespace {

// Start of a span of `size` centred on [low, high), then kept inside [area_low, area_high).
long CentreAndClamp(long size, long low, long high, long area_low, long area_high) {
  long start = low + ((high - low) - size) / 2;
  if (start + size > area_high) start = area_high - size;
  if (start < area_low) start = area_low;
  return start;
}

}  // namespace

RECT PlaceDialog(const RECT& dialog, const RECT& owner, bool on_owner, const RECT& work_area) {
  const RECT& centre_on = on_owner ? owner : work_area;
  const long width = dialog.right - dialog.left;
  const long height = dialog.bottom - dialog.top;
  const long left =
      CentreAndClamp(width, centre_on.left, centre_on.right, work_area.left, work_area.right);
  const long top =
      CentreAndClamp(height, centre_on.top, centre_on.bottom, work_area.top, work_area.bottom);
  return RECT{left, top, left + width, top + height};
}

}  // namespace corvani
