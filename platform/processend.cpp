#include "platform/processend.h"

#include <cstdio>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace skyraid {

void endProcess(int status)
{
    std::fflush(nullptr);
#if defined(__SANITIZE_ADDRESS__)
    // The leak check would otherwise run in the teardown skipped here.
    __lsan_do_leak_check();
#endif
    std::_Exit(status);
}

} // namespace skyraid
