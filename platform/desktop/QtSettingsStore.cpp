#include "platform/desktop/QtSettingsStore.h"

#include <QSettings>
#include <stdexcept>

namespace platform {

QString QtSettingsStore::GetSetting(const QString& app, const QString& section, const QString& key)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, app, app);
    if (settings.status() != QSettings::NoError)
        return {};
    const QVariant value = settings.value(section + QLatin1Char('/') + key);
    return value.canConvert<QString>() ? value.toString() : QString();
}

void QtSettingsStore::SaveSetting(const QString& app, const QString& section, const QString& key,
                                  const QString& value)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, app, app);
    const QString name = section + QLatin1Char('/') + key;
    // Start-up stores the choice it has just read; rewriting an unchanged file would cost a
    // write at every start and gain nothing.
    if (settings.status() == QSettings::NoError && settings.value(name) == QVariant(value))
        return;
    // A damaged file stays as it is: writing would carry its garbage along as a section or
    // drop the lines that cannot be read, while the user is told the choice was not saved.
    // Reading every section is what reveals the damage.
    settings.allKeys();
    if (settings.status() == QSettings::FormatError)
        throw std::runtime_error("The settings file " + settings.fileName().toStdString() +
                                 " is damaged; it was left as it is.");
    settings.setValue(name, value);
    // Flush now: the program may end without another chance to write.
    settings.sync();
    if (settings.status() != QSettings::NoError)
        throw std::runtime_error("Cannot write the setting to " +
                                 settings.fileName().toStdString());
}

} // namespace platform
