#include "timesource.h"

#include <chrono>

namespace skyraid {

std::uint32_t SystemTime::tickCount()
{
    const auto sinceBoot = std::chrono::steady_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(sinceBoot).count();
    return std::uint32_t(std::uint64_t(ms)); // wraps at 2^32 like the system's
}

} // namespace skyraid
