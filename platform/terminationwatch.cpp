#include "terminationwatch.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace skyraid {

namespace {

// Signals arrive on a pipe, so the handler runs in the event loop and never
// inside the signal. The pipe stays open for the life of the process: a
// signal that came just before a watch ended may still be writing to it.
int g_signalPipe[2] = {-1, -1};

void drainSignalPipe()
{
    char buffer[16];
    while (::read(g_signalPipe[0], buffer, sizeof buffer) > 0) {
    }
}

void onSignal(int)
{
    // The code the signal interrupted may look at errno next.
    const int interruptedErrno = errno;
    const char byte = 1;
    (void)!::write(g_signalPipe[1], &byte, 1);
    errno = interruptedErrno;
}

} // namespace

TerminationWatch::TerminationWatch(std::function<void()> handler) : m_handler(std::move(handler))
{
    if (g_signalPipe[0] < 0 && ::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    drainSignalPipe(); // what an earlier watch left unread is not ours
    m_notifier = std::make_unique<QSocketNotifier>(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] {
        drainSignalPipe();
        m_handler();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(Signals); ++i)
        ::sigaction(Signals[i], &action, &m_previous[i]);
}

TerminationWatch::~TerminationWatch()
{
    if (!m_notifier)
        return;
    for (std::size_t i = 0; i < std::size(Signals); ++i)
        ::sigaction(Signals[i], &m_previous[i], nullptr);
}

} // namespace skyraid
