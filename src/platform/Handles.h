#pragma once
#include <cstdint>

namespace mq {

// A window handle as the core sees it: opaque, 0 means none. On Windows it
// is the HWND's value; the core never dereferences it.
using WindowHandle = std::uintptr_t;

}  // namespace mq
