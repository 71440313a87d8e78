#pragma once

#include "settings/settingsstore.h"

#include <vector>

#include <QObject>
#include <QTimer>

namespace skyraid {

// The dialog's way to the settings store. A write the store refuses is held
// and tried again, oldest first, before every later write and every few
// seconds, until the store takes it; meanwhile reads show the held text, so
// the dialog goes on showing what the user chose. stateChanged() tells when
// saving starts to fail, fails for another reason, or works again.
class RetryingStore final : public QObject, public SettingsStore {
    Q_OBJECT
public:
    explicit RetryingStore(SettingsStore& store, QObject* parent = nullptr);

    QString read(Section section, const QString& key, const QString& fallback) override;
    // Kept when this write and every one held before it reached the store.
    WriteResult write(Section section, const QString& key, const QString& text) override;

    // Tries the held writes again, stopping at the first the store refuses.
    void retry();
    // Kept while nothing is held; otherwise why the held writes are not saved.
    const WriteResult& state() const { return m_state; }
    int heldCount() const { return int(m_held.size()); }

Q_SIGNALS:
    void stateChanged(const WriteResult& state);

private:
    struct Held {
        Section section;
        QString key;
        QString text;
    };

    SettingsStore& m_store;
    std::vector<Held> m_held;
    WriteResult m_state;
    QTimer m_retryTimer;
};

} // namespace skyraid
