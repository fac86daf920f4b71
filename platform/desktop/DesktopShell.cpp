#include "platform/desktop/DesktopShell.h"

#include "platform/desktop/SessionBus.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <memory>

// Qt's "signals" keyword would rename a member of GIO's D-Bus structures; nothing here
// declares signals.
#undef signals
#include <gio/gdesktopappinfo.h>

namespace platform {

namespace {
constexpr int kFileNotFound = 2;
constexpr int kNoAssociation = 31;
constexpr int kFound = 42;
constexpr int kToolTimeoutMs = 3000;

/// Releases a GLib object at the end of its scope.
struct GObjectUnref
{
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T> using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

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
        // xdg-mime asks the desktop itself where it keeps settings of its own, which GIO
        // does not read. It runs in Glyphora's own environment: its answer needs no session
        // bus, so a hidden one cannot hold it up.
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
    if (mimeType.isEmpty())
        return {};
    const QByteArray type = mimeType.toUtf8();
    const GObjectPtr<GAppInfo> app(g_app_info_get_default_for_type(type.constData(), FALSE));
    if (!app)
        return {};
    // GIO falls back to the default of a parent type (a text editor for a web page); that
    // one is taken only where the type itself names it.
    GList* recommended = g_app_info_get_recommended_for_type(type.constData());
    bool exact = false;
    for (GList* item = recommended; item; item = item->next)
        exact = exact || g_app_info_equal(G_APP_INFO(item->data), app.get());
    g_list_free_full(recommended, g_object_unref);
    const QStringList ancestors = QMimeDatabase().mimeTypeForName(mimeType).allAncestors();
    for (qsizetype i = 0; !exact && i < ancestors.size(); ++i) {
        const GObjectPtr<GAppInfo> inherited(
            g_app_info_get_default_for_type(ancestors[i].toUtf8().constData(), FALSE));
        if (inherited && g_app_info_equal(inherited.get(), app.get()))
            return {};
    }
    return QString::fromUtf8(g_app_info_get_id(app.get()));
}

QString desktopFilePath(const QString& desktopId)
{
    if (desktopId.isEmpty())
        return {};
    const GObjectPtr<GDesktopAppInfo> app(g_desktop_app_info_new(desktopId.toUtf8().constData()));
    return app ? QFile::decodeName(g_desktop_app_info_get_filename(app.get())) : QString();
}

QString desktopEntryExec(const QString& desktopFile)
{
    // Any entry file as written: GIO's own loader refuses one that is no application or
    // whose program is missing.
    const std::unique_ptr<GKeyFile, decltype(&g_key_file_free)> keys(g_key_file_new(),
                                                                     &g_key_file_free);
    if (desktopFile.isEmpty() ||
        !g_key_file_load_from_file(keys.get(), QFile::encodeName(desktopFile).constData(),
                                   G_KEY_FILE_NONE, nullptr))
        return {};
    gchar* exec = g_key_file_get_string(keys.get(), G_KEY_FILE_DESKTOP_GROUP,
                                        G_KEY_FILE_DESKTOP_KEY_EXEC, nullptr);
    const QString line = QString::fromUtf8(exec);
    g_free(exec);
    return line;
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
