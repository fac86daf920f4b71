#include "platform/desktop/WindowSystemChoice.h"

#include <QtGlobal>

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
    const bool wayland =
        !environment.waylandDisplay.isEmpty() || environment.sessionType == "wayland";
    // Without Wayland, Qt picks X11 itself; without an X server there is nothing to prefer.
    if (!wayland || environment.x11Display.isEmpty())
        return {};
    return QByteArrayLiteral("xcb;wayland");
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

} // namespace platform
