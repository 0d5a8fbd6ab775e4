#pragma once

#include "base/values.h"

namespace corvani {

// The bytes before the first zero byte, or all of them when there is none.
Text BytesToText(const Bytes& data);
// The same, taking over the buffer: a file's bytes become its text without a second copy.
Text BytesToText(Bytes&& data);

// The text's bytes, without a terminator.
Bytes TextToBytes(const Text& text);
Bytes TextToBytes(Text&& text);

}  // namespace corvani
