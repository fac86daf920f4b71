#include "platform/QtSettingsStore.h"

#include "platform/DataFolder.h"

#include <QSettings>
#include <memory>
#include <stdexcept>

namespace platform {

namespace {

/// The program's settings file, <config>/<app>/<app>.conf, or null where the user has no
/// settings folder: Qt would put it under the root folder.
std::unique_ptr<QSettings> openSettings(const QString& app)
{
    const QString path = QtSettingsStore::filePath(app);
    if (path.isEmpty())
        return nullptr;
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}

} // namespace

QString QtSettingsStore::filePath(const QString& app)
{
    const QString home = configHomePath();
    if (home.isEmpty())
        return {};
    return home + QLatin1Char('/') + app + QLatin1Char('/') + app + QStringLiteral(".conf");
}

QString QtSettingsStore::GetSetting(const QString& app, const QString& section, const QString& key)
{
    const std::unique_ptr<QSettings> settings = openSettings(app);
    if (!settings || settings->status() != QSettings::NoError)
        return {};
    const QVariant value = settings->value(section + QLatin1Char('/') + key);
    return value.canConvert<QString>() ? value.toString() : QString();
}

void QtSettingsStore::SaveSetting(const QString& app, const QString& section, const QString& key,
                                  const QString& value)
{
    const std::unique_ptr<QSettings> settings = openSettings(app);
    if (!settings)
        throw std::runtime_error(std::string("There is no folder for settings: ") +
                                 kNoUserFolderReason + ".");
    const QString name = section + QLatin1Char('/') + key;
    // Start-up stores the choice it has just read; rewriting an unchanged file would cost a
    // write at every start and gain nothing.
    if (settings->status() == QSettings::NoError && settings->value(name) == QVariant(value))
        return;
    // A damaged file stays as it is: writing would carry its garbage along as a section or
    // drop the lines that cannot be read, while the user is told the choice was not saved.
    // Reading every section is what reveals the damage.
    settings->allKeys();
    if (settings->status() == QSettings::FormatError)
        throw std::runtime_error("The settings file " + settings->fileName().toStdString() +
                                 " is damaged; it was left as it is.");
    settings->setValue(name, value);
    // Flush now: the program may end without another chance to write.
    settings->sync();
    if (settings->status() != QSettings::NoError)
        throw std::runtime_error("Cannot write the setting to " +
                                 settings->fileName().toStdString());
}

} // namespace platform
