#include "platform/desktop/DesktopShell.h"

#include "platform/desktop/SessionBus.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>
#include <QUrl>

namespace platform {

namespace {
constexpr int kFileNotFound = 2;
constexpr int kNoAssociation = 31;
constexpr int kFound = 42;
constexpr int kToolTimeoutMs = 3000;

/// Reads one key of one group of a desktop-entry style file ("[Group]", "Key=Value").
QString readKey(const QString& path, const QString& group, const QString& key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&file);
    bool inGroup = false;
    const QString header = QLatin1Char('[') + group + QLatin1Char(']');
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line == header;
            continue;
        }
        if (!inGroup)
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0 && line.left(equals).trimmed() == key)
            return line.mid(equals + 1).trimmed();
    }
    return {};
}

/// Undoes the escapes of a desktop entry string value.
QString unescapeValue(const QString& value)
{
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar next = value[++i];
        if (next == QLatin1Char('s'))
            out += QLatin1Char(' ');
        else if (next == QLatin1Char('t'))
            out += QLatin1Char('\t');
        else if (next == QLatin1Char('n'))
            out += QLatin1Char('\n');
        else if (next == QLatin1Char('r'))
            out += QLatin1Char('\r');
        else
            out += next;
    }
    return out;
}

bool isFieldCode(const QString& argument)
{
    static const QStringList codes = {
        QStringLiteral("%f"), QStringLiteral("%F"), QStringLiteral("%u"), QStringLiteral("%U"),
        QStringLiteral("%i"), QStringLiteral("%c"), QStringLiteral("%k")};
    return codes.contains(argument);
}
} // namespace

void DesktopShell::ShellExecute(const QString& file)
{
    const UserBusAddress userBus;
    QDesktopServices::openUrl(QUrl(file));
}

QString DesktopShell::FindExecutable(const QString& file, const QString& directory, int& code)
{
    const QString path = QDir(directory).filePath(file);
    if (!QFileInfo(path).isFile()) {
        code = kFileNotFound;
        return {};
    }
    // Like the association it stands for, the type goes by the name: the probe is empty.
    const QString mimeType =
        QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension).name();
    QString program;
    const QString entry = xdg::desktopFilePath(xdg::defaultApplication(mimeType));
    if (!entry.isEmpty())
        program = xdg::execProgram(xdg::desktopEntryExec(entry));
    if (program.isEmpty()) // xdg-open finds the handler itself, arguments and all
        program = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    code = program.isEmpty() ? kNoAssociation : kFound;
    return program;
}

bool DesktopShell::CreateProcess(const QString& program, const QStringList& arguments)
{
    const UserBusAddress userBus;
    return !program.isEmpty() && QProcess::startDetached(program, arguments);
}

bool DesktopShell::FileExists(const QString& path) const
{
    return QFileInfo(path).isFile();
}

namespace xdg {

QString defaultApplication(const QString& mimeType)
{
    if (mimeType.isEmpty())
        return {};
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (!tool.isEmpty()) {
        // xdg-mime knows each desktop environment's own settings. It runs in Glyphora's own
        // environment: its answer needs no session bus, so a hidden one cannot hold it up.
        QProcess query;
        query.start(tool, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
        if (query.waitForFinished(kToolTimeoutMs) && query.exitStatus() == QProcess::NormalExit &&
            query.exitCode() == 0) {
            const QString id = QString::fromLocal8Bit(query.readAllStandardOutput())
                                   .section(QLatin1Char('\n'), 0, 0)
                                   .trimmed();
            if (!id.isEmpty())
                return id;
        } else {
            query.kill();
            query.waitForFinished(kToolTimeoutMs);
        }
    }
    return defaultApplicationFromLists(mimeType);
}

QString defaultApplicationFromLists(const QString& mimeType)
{
    // freedesktop.org's order: the user's configuration, the system's, then the lists beside
    // the desktop entries. Lists meant for one desktop only are left out.
    QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    folders += QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
    for (const QString& folder : folders) {
        const QString list = QDir(folder).filePath(QStringLiteral("mimeapps.list"));
        const QString value = readKey(list, QStringLiteral("Default Applications"), mimeType);
        for (const QString& id : value.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            if (!desktopFilePath(id.trimmed()).isEmpty())
                return id.trimmed();
        }
    }
    return {};
}

QString desktopFilePath(const QString& desktopId)
{
    if (desktopId.isEmpty() || desktopId.contains(QLatin1Char('/')))
        return {};
    // An id names a file below an applications folder, its subfolders joined by '-'.
    QStringList candidates{desktopId};
    QString nested = desktopId;
    for (qsizetype dash = nested.indexOf(QLatin1Char('-')); dash > 0;
         dash = nested.indexOf(QLatin1Char('-'), dash + 1)) {
        nested[dash] = QLatin1Char('/');
        candidates << nested;
    }
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
        for (const QString& candidate : candidates) {
            const QString path = QDir(folder).filePath(candidate);
            if (QFileInfo(path).isFile())
                return path;
        }
    }
    return {};
}

QString desktopEntryExec(const QString& desktopFile)
{
    if (desktopFile.isEmpty())
        return {};
    return unescapeValue(
        readKey(desktopFile, QStringLiteral("Desktop Entry"), QStringLiteral("Exec")));
}

QString execProgram(const QString& exec)
{
    QStringList arguments;
    QString current;
    bool quoted = false;
    bool started = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (quoted) {
            if (c == QLatin1Char('\\') && i + 1 < exec.size())
                current += exec[++i];
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                current += c;
        } else if (c == QLatin1Char('"')) {
            quoted = started = true;
        } else if (c.isSpace()) {
            if (started)
                arguments << current;
            current.clear();
            started = false;
        } else {
            current += c;
            started = true;
        }
    }
    if (quoted)
        return {};
    if (started)
        arguments << current;
    if (arguments.isEmpty())
        return {};
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (!isFieldCode(arguments[i]))
            return {};
    }
    const QString program = arguments.first();
    if (QDir::isAbsolutePath(program)) {
        const QFileInfo info(program);
        return info.isFile() && info.isExecutable() ? program : QString();
    }
    return QStandardPaths::findExecutable(program);
}

} // namespace xdg

} // namespace platform
