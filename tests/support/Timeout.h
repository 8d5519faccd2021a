#pragma once
#include <chrono>

namespace mq::test {

// The one time any test of another process or window waits for a state to
// come about. A passing test never comes near it; it only bounds a failing
// one.
inline constexpr std::chrono::milliseconds kTimeout{20000};

}  // namespace mq::test
