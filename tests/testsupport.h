#pragma once

#include "platform/platform.h"
#include "settings/settingsstore.h"

#include <vector>

#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>

namespace skyraid::test {

// The path of a program built beside the tests.
QString builtProgram(const QString& name);

// A settings store in memory that remembers every write in order.
class MemoryStore final : public SettingsStore {
public:
    QString read(Section section, const QString& key, const QString& fallback) override
    {
        return m_values.value(qMakePair(section, key), fallback);
    }
    bool write(Section section, const QString& key, const QString& text) override
    {
        m_values.insert(qMakePair(section, key), text);
        m_writes.push_back(key);
        return true;
    }
    const QStringList& writes() const { return m_writes; }
    int size() const { return int(m_values.size()); }

private:
    QMap<QPair<Section, QString>, QString> m_values;
    QStringList m_writes;
};

// A desktop for the saver: it remembers what was asked of it.
class FakePlatform final : public Platform {
public:
    bool displayProperties = false;
    bool otherSaverRuns = false;
    int claims = 0;
    bool lastClaimExclusive = false;
    QStringList calls; // "ShowCursor(false)", "running(true)", "message(<title>)"

    bool topLevelWindowExists(const QString& title) override
    {
        return displayProperties && title == u"Display Properties";
    }
    std::unique_ptr<FullScreenClaim> claimFullScreen(bool exclusive) override
    {
        ++claims;
        lastClaimExclusive = exclusive;
        if (exclusive && otherSaverRuns)
            return nullptr;
        return std::make_unique<FullScreenClaim>();
    }
    bool changeScreenSaverPassword(quintptr) override { return false; }
    void setScreenSaverRunning(QWindow*, bool running) override
    {
        calls << (running ? QStringLiteral("running(true)") : QStringLiteral("running(false)"));
    }
    void ShowCursor(bool show) override
    {
        calls << (show ? QStringLiteral("ShowCursor(true)") : QStringLiteral("ShowCursor(false)"));
    }
    void showMessage(const QString& title, const QString& text) override
    {
        calls << QStringLiteral("message(%1)").arg(title);
        messages << text;
    }
    void watchTermination(std::function<void()>) override {}

    QStringList messages;
};

} // namespace skyraid::test
