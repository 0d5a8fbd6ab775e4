// The key rules use their own copies of the virtual-key codes; they must be the platform's.
#include "app/virtual_keys.h"

#include <windows.h>

namespace corvani {

static_assert(vk::kTab == VK_TAB && vk::kReturn == VK_RETURN && vk::kEscape == VK_ESCAPE);
static_assert(vk::kNumpad0 == VK_NUMPAD0 && vk::kNumpad9 == VK_NUMPAD9);
static_assert(vk::kSubtract == VK_SUBTRACT && vk::kDecimal == VK_DECIMAL && vk::kDivide == VK_DIVIDE);
static_assert(vk::kOemMinus == VK_OEM_MINUS && vk::kOemPeriod == VK_OEM_PERIOD && vk::kOem2 == VK_OEM_2);

}  // namespace corvani
