#include "platform/processend.h"

#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#include "platform/win32/win32api.h"
#endif

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
#ifdef _WIN32
    win32::terminateThisProcess(unsigned(status));
#else
    std::_Exit(status);
#endif
}

} // namespace skyraid
