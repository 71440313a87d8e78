#pragma once

#include "settingsstore.h"

#include <memory>

#include <QSettings>

namespace skyraid {

// The user's real settings through QSettings: on Unix one INI file with the
// sections as groups, on Windows the same keys in the user's registry.
//
// Reads see other processes' writes: before each read the file's identity
// (inode, size, modification time in nanoseconds) is compared with the one
// last loaded, and the file is parsed again only when it differs. Writes take
// an exclusive lock on the settings folder, set the value in a copy of what
// is on disk and put the copy in the file's place, so concurrent writers of
// different keys lose nothing, readers never see half a file, and a write
// that cannot be saved changes nothing, not even what this process reads.
class SystemSettingsStore final : public SettingsStore {
public:
    // The store of the application "SkyRaid" for the current user.
    SystemSettingsStore();
    // A store in the given INI file (tests and tools).
    explicit SystemSettingsStore(const QString& iniPath);
    ~SystemSettingsStore() override;

    SystemSettingsStore(const SystemSettingsStore&) = delete;
    SystemSettingsStore& operator=(const SystemSettingsStore&) = delete;

    QString read(Section section, const QString& key, const QString& fallback) override;
    WriteResult write(Section section, const QString& key, const QString& text) override;

    // Where the store lives: the INI file's path, or the registry key on Windows.
    QString location() const;

    // $XDG_CONFIG_HOME/SkyRaid/SkyRaid.ini (~/.config/SkyRaid/SkyRaid.ini).
    static QString defaultIniPath();

private:
    struct FileStamp;
    void reloadIfChanged();

    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<FileStamp> m_loaded;
    bool m_isFile = true;
};

} // namespace skyraid
