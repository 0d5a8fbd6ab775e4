// The one platform call of the double-byte helpers, kept apart so the scanning code builds and
// is tested anywhere.
#include <windows.h>

#include "base/double_byte.h"

namespace corvani {

bool IsSystemLeadByte(unsigned char byte) { return ::IsDBCSLeadByte(byte) != FALSE; }

}  // namespace corvani
