#pragma once

#include "platform/SettingsStore.h"

namespace platform {

/// QSettings in its per-user form, $XDG_CONFIG_HOME/<app>/<app>.conf (~/.config by default).
class QtSettingsStore final : public SettingsStore
{
public:
    QString GetSetting(const QString& app, const QString& section, const QString& key) override;
    void SaveSetting(const QString& app, const QString& section, const QString& key,
                     const QString& value) override;
    /// @return the application's settings file, empty where the user has no settings folder
    static QString filePath(const QString& app);
};

} // namespace platform
