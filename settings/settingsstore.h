#pragma once

#include <QString>

namespace skyraid {

// The two sections of the application's per-user settings.
enum class Section { Startup, System };

QString sectionName(Section section);

// A per-user store of named text values, addressed by section and key.
// Every value is text; a read of a missing key returns the caller's fallback.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text, or `fallback` when the key is missing. A value written
    // by another process is seen by the next read.
    virtual QString read(Section section, const QString& key, const QString& fallback) = 0;

    // Creates the key or replaces its text. Returns false when the store could
    // not keep it (an unwritable folder, say): reads then go on showing what
    // the store holds. Callers may ignore the result.
    virtual bool write(Section section, const QString& key, const QString& text) = 0;
};

} // namespace skyraid
