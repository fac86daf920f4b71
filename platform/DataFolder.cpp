#include "platform/DataFolder.h"

#include <QDir>

namespace platform {

namespace {

/// @return an absolute folder from the environment, cleaned; empty for a missing, empty or
///         relative value
QString absoluteFromEnvironment(const char* name)
{
    const QString value = qEnvironmentVariable(name);
    return value.startsWith(QLatin1Char('/')) ? QDir::cleanPath(value) : QString();
}

/// @return the XDG base folder: the variable's absolute value, else $HOME/fallback
QString baseFolder(const char* variable, const char* fallback)
{
    const QString base = absoluteFromEnvironment(variable);
    if (!base.isEmpty())
        return base;
    const QString home = absoluteFromEnvironment("HOME");
    return home.isEmpty() ? QString() : QDir::cleanPath(home + QLatin1Char('/') + fallback);
}

} // namespace

QString dataFolderPath()
{
    const QString base = baseFolder("XDG_DATA_HOME", ".local/share");
    return base.isEmpty() ? QString() : QDir::cleanPath(base + QStringLiteral("/Glyphora"));
}

QString configHomePath()
{
    return baseFolder("XDG_CONFIG_HOME", ".config");
}

} // namespace platform
