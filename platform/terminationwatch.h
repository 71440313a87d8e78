#pragma once

#include <csignal>
#include <functional>
#include <iterator>
#include <memory>

#include <QtGlobal>

QT_BEGIN_NAMESPACE
class QSocketNotifier;
QT_END_NAMESPACE

namespace skyraid {

// While it lives, SIGTERM and SIGINT no longer end the process: `handler` runs
// on the program's own thread instead. Once it is gone, both signals act as
// they did before it, which for a program started the usual way means they
// end it. One watch at a time.
class TerminationWatch {
public:
    explicit TerminationWatch(std::function<void()> handler);
    ~TerminationWatch();
    TerminationWatch(const TerminationWatch&) = delete;
    TerminationWatch& operator=(const TerminationWatch&) = delete;

private:
    static constexpr int Signals[] = {SIGTERM, SIGINT};

    std::function<void()> m_handler;
    std::unique_ptr<QSocketNotifier> m_notifier;
    struct sigaction m_previous[std::size(Signals)]{};
};

} // namespace skyraid
