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
[[noreturn]] void endProcess(int status);

} // namespace skyraid
