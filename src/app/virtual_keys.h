#pragma once

// The few virtual-key codes the key rules look at, as plain values, so the rules build and are
// tested without the platform headers. They are the platform's codes (a unit test compares
// them with <windows.h>).
namespace corvani::vk {

inline constexpr unsigned kTab = 0x09;
inline constexpr unsigned kReturn = 0x0D;
inline constexpr unsigned kEscape = 0x1B;
inline constexpr unsigned kNumpad0 = 0x60;
inline constexpr unsigned kNumpad9 = 0x69;
inline constexpr unsigned kSubtract = 0x6D;
inline constexpr unsigned kDecimal = 0x6E;
inline constexpr unsigned kDivide = 0x6F;
inline constexpr unsigned kOemMinus = 0xBD;
inline constexpr unsigned kOemPeriod = 0xBE;
inline constexpr unsigned kOem2 = 0xBF;

}  // namespace corvani::vk
