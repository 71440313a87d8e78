#pragma once

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

} // namespace skyraid::test
