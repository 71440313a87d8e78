#pragma once

#include "platform.h"

namespace skyraid {

// The full-screen claim on POSIX systems: every running full-screen saver of
// the user holds a shared lock on one file in the user's runtime folder, and
// an exclusive claim first checks, under a second lock, that no one holds it.
// The kernel releases both locks with the process, so a crash leaves nothing
// stale. Only regular files of our own count: a symbolic link or another
// user's file in their place never stops the saver.
std::unique_ptr<FullScreenClaim> claimFullScreenPosix(const QString& runtimeFolder, bool exclusive);

// $XDG_RUNTIME_DIR; without it <tempRoot>/skyraid-<uid>, made private when
// missing and used only while it is a folder of ours that no one else may
// enter; else skyraid/ in the user's cache folder. Empty when none of them
// can be had.
QString userRuntimeFolder(const QString& tempRoot = QStringLiteral("/tmp"));

} // namespace skyraid
