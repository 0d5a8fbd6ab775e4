#pragma once

#include "base/values.h"

namespace corvani {

// A fresh copy of the directory of the running executable, without a trailing backslash.
Text ProgramDirectory();

}  // namespace corvani
