#include "platform/desktop/WindowSystemChoice.h"

#include <QStringList>
#include <QtGlobal>
#include <cstdlib>

namespace platform {

DisplayEnvironment DisplayEnvironment::current()
{
    return {qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY"),
            qgetenv("XDG_SESSION_TYPE")};
}

QByteArray preferredQtPlatform(const DisplayEnvironment& environment,
                               const QList<QByteArray>& arguments)
{
    if (!environment.qtPlatform.isEmpty())
        return {};
    // Qt reads "-platform" and "--platform" anywhere on the line.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "-platform" || arguments[i] == "--platform")
            return {};
    }
    // Without Wayland, Qt picks X11 itself; without an X server there is nothing to prefer.
    if (!environment.wayland() || environment.x11Display.isEmpty())
        return {};
    return QByteArrayLiteral("xcb;wayland");
}

QByteArray displayOption(int argc, const char* const* argv)
{
    QByteArray display;
    for (int i = 1; i + 1 < argc; ++i) {
        const QByteArrayView argument(argv[i]);
        if (argument == "-display" || argument == "--display")
            display = argv[++i];
    }
    return display;
}

QtArguments::QtArguments(int argc, char** argv, const DisplayEnvironment& environment)
{
    for (int i = 0; i < argc; ++i)
        m_arguments.append(QByteArray(argv[i]));
    const QByteArray platform = preferredQtPlatform(environment, m_arguments);
    if (!platform.isEmpty() && !m_arguments.isEmpty()) {
        m_arguments.insert(1, platform);
        m_arguments.insert(1, QByteArrayLiteral("-platform"));
    }
    for (QByteArray& argument : m_arguments)
        m_pointers.push_back(argument.data());
    m_pointers.push_back(nullptr);
    m_argc = int(m_arguments.size());
}

namespace {
WindowSystemStart* g_start = nullptr;

QByteArray copy(const char* text)
{
    return text ? QByteArray(text) : QByteArray();
}

const char* pointer(const QByteArray& text)
{
    return text.isNull() ? nullptr : text.constData();
}
} // namespace

WindowSystemStart::WindowSystemStart(void (*report)(const Failure& failure)) : m_report(report)
{
    g_start = this;
    m_previous = qInstallMessageHandler(&WindowSystemStart::handle);
}

WindowSystemStart::~WindowSystemStart()
{
    finish();
    g_start = nullptr;
}

void WindowSystemStart::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    qInstallMessageHandler(m_previous);
    QList<Message> held;
    {
        QMutexLocker lock(&m_mutex);
        held.swap(m_held);
    }
    for (const Message& message : std::as_const(held)) {
        const QMessageLogContext context(pointer(message.file), message.line,
                                         pointer(message.function), pointer(message.category));
        m_previous(message.type, context, message.text);
    }
}

void WindowSystemStart::handle(QtMsgType type, const QMessageLogContext& context,
                               const QString& text)
{
    WindowSystemStart& start = *g_start;
    QMutexLocker lock(&start.m_mutex);
    if (type != QtFatalMsg) {
        start.m_held.append({type, copy(context.category), copy(context.file),
                             copy(context.function), context.line, text});
        return;
    }
    // A platform plugin that ran says which display it could not reach; where none did, the
    // plugin loader says which plugin it could not load, and Qt's last line which plugins
    // there are.
    QStringList plugins, loader;
    for (const Message& message : std::as_const(start.m_held)) {
        if (message.type != QtWarningMsg && message.type != QtCriticalMsg)
            continue;
        (message.category == "qt.qpa.plugin" ? loader : plugins).append(message.text.trimmed());
    }
    if (plugins.isEmpty())
        loader.append(text.trimmed().section(u'\n', -1));
    const QStringList& reasons = plugins.isEmpty() ? loader : plugins;
    start.m_report({reasons.join(QStringLiteral("; ")).toLocal8Bit(), !plugins.isEmpty()});
    // No core and no exit handlers: the application object is half made.
    std::_Exit(1);
}

} // namespace platform
