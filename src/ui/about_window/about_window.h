#pragma once

#include "app/window_definition.h"

namespace corvani {

// The modal About window: the picture, the community and author lines and "关闭".
const WindowDefinition& AboutWindowDefinition();

}  // namespace corvani
