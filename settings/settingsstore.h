#pragma once

#include <QString>

namespace skyraid {

// The two sections of the application's per-user settings.
enum class Section { Startup, System };

QString sectionName(Section section);

// What became of a write. One the store refused names the place it could not
// write (the settings file, the registry key) and why, in the system's words
// where it has them ("Permission denied", "is a folder").
struct WriteResult {
    bool kept = true;
    QString place;
    QString reason;

    explicit operator bool() const { return kept; }
    bool operator==(const WriteResult&) const = default;

    static WriteResult refused(const QString& place, const QString& reason)
    {
        return {false, place, reason};
    }
};

// A per-user store of named text values, addressed by section and key.
// Every value is text; a read of a missing key returns the caller's fallback.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text, or `fallback` when the key is missing. A value written
    // by another process is seen by the next read.
    virtual QString read(Section section, const QString& key, const QString& fallback) = 0;

    // Creates the key or replaces its text. A write the store could not keep
    // (an unwritable folder, say) is refused, and reads go on showing what the
    // store holds.
    virtual WriteResult write(Section section, const QString& key, const QString& text) = 0;
};

} // namespace skyraid
