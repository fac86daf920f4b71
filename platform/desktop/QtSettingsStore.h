#pragma once

#include "platform/SettingsStore.h"

namespace platform {

/// QSettings in its native per-user form: ~/.config/<app>/<app>.conf on Linux.
class QtSettingsStore final : public SettingsStore
{
public:
    QString GetSetting(const QString& app, const QString& section, const QString& key) override;
    void SaveSetting(const QString& app, const QString& section, const QString& key,
                     const QString& value) override;
};

} // namespace platform
