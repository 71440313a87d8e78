#include "retryingstore.h"

#include <algorithm>

namespace skyraid {

namespace {

// Often enough that a fixed folder is noticed soon, seldom enough to cost
// nothing while it stays broken.
constexpr int RetryMilliseconds = 2000;

} // namespace

RetryingStore::RetryingStore(SettingsStore& store, QObject* parent)
    : QObject(parent), m_store(store)
{
    m_retryTimer.setInterval(RetryMilliseconds);
    connect(&m_retryTimer, &QTimer::timeout, this, &RetryingStore::retry);
}

QString RetryingStore::read(Section section, const QString& key, const QString& fallback)
{
    const auto held = std::ranges::find_if(
        m_held, [&](const Held& h) { return h.section == section && h.key == key; });
    return held != m_held.end() ? held->text : m_store.read(section, key, fallback);
}

WriteResult RetryingStore::write(Section section, const QString& key, const QString& text)
{
    // Only the newest text of a key is worth saving, after everything older.
    std::erase_if(m_held, [&](const Held& h) { return h.section == section && h.key == key; });
    m_held.push_back({section, key, text});
    retry();
    return m_state;
}

void RetryingStore::retry()
{
    WriteResult state;
    while (!m_held.empty()) {
        const Held& oldest = m_held.front();
        state = m_store.write(oldest.section, oldest.key, oldest.text);
        if (!state)
            break;
        m_held.erase(m_held.begin());
    }
    if (m_held.empty())
        m_retryTimer.stop();
    else if (!m_retryTimer.isActive())
        m_retryTimer.start();
    if (state != m_state) {
        m_state = state;
        Q_EMIT stateChanged(m_state);
    }
}

} // namespace skyraid
