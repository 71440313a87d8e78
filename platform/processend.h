#pragma once

namespace skyraid {

// Ends the process with `status` once everything of ours is gone (the
// application object included), without the library teardown that follows
// the end of main.
//
// Qt 6.4's audio back end leaves the sound server at that point without
// holding its own lock, so a device event arriving in the same moment (a
// sink that wakes or sleeps because another program plays) aborts the
// process inside the sound library. Nothing of ours is left to save by then;
// the server notices the closed connection by itself.
//
// On Windows even _Exit goes through ExitProcess, which stops the other
// threads wherever they are and then runs every DLL's teardown: one that
// waits for a lock a stopped thread held (libstdc++'s, on winpthread's)
// never returns, and the saver's window is gone while its process lives on.
// There the process is terminated instead, which runs no teardown at all.
[[noreturn]] void endProcess(int status);

} // namespace skyraid
