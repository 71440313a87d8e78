#pragma once

#include "platform.h"

namespace skyraid {

// The full-screen claim on POSIX systems: every running full-screen saver of
// the user holds a shared lock on one file in the user's runtime folder, and
// an exclusive claim first checks, under a second lock, that no one holds it.
// The kernel releases both locks with the process, so a crash leaves nothing
// stale.
std::unique_ptr<FullScreenClaim> claimFullScreenPosix(const QString& runtimeFolder, bool exclusive);

// $XDG_RUNTIME_DIR, or a private folder in /tmp when it is not set.
QString userRuntimeFolder();

} // namespace skyraid
