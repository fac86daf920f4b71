#pragma once

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QString>
#include <QtGlobal>
#include <vector>

namespace platform {

/// What the environment says about the displays a session offers.
struct DisplayEnvironment
{
    QByteArray qtPlatform;     ///< QT_QPA_PLATFORM, the user's own choice
    QByteArray x11Display;     ///< DISPLAY
    QByteArray waylandDisplay; ///< WAYLAND_DISPLAY
    QByteArray sessionType;    ///< XDG_SESSION_TYPE

    /// The process's own environment.
    static DisplayEnvironment current();
    /// Whether the session is a Wayland one (it may offer an X server beside: XWayland).
    bool wayland() const { return !waylandDisplay.isEmpty() || sessionType == "wayland"; }
};

/// The window system Glyphora asks Qt for. "On Top", the window position and the clipboard
/// hand-over at exit work on X11 only, so in a Wayland session that also offers an X server
/// (XWayland) the program runs on X11, with Wayland as the fallback when that server cannot
/// be reached. A platform the user chose, by QT_QPA_PLATFORM or -platform, wins.
/// @param environment the session's displays
/// @param arguments the command line, program name first
/// @return the value for Qt's -platform option, or empty to leave the choice to Qt
QByteArray preferredQtPlatform(const DisplayEnvironment& environment,
                               const QList<QByteArray>& arguments);

/// The X server named on the command line, as Qt's X11 platform reads it: the value of the
/// last "-display" or "--display".
/// @return the display name, or empty where none is named
QByteArray displayOption(int argc, const char* const* argv);

/// The command line handed to Qt: the program's own, with the preferred platform added
/// for this process only, so programs it starts (a browser, a system information tool)
/// still choose their own.
class QtArguments
{
public:
    QtArguments(int argc, char** argv, const DisplayEnvironment& environment);
    QtArguments(const QtArguments&) = delete;
    QtArguments& operator=(const QtArguments&) = delete;

    /// Qt keeps both for the application's lifetime and may take options out of them.
    int& argc() { return m_argc; }
    char** argv() { return m_pointers.data(); }

private:
    QList<QByteArray> m_arguments;
    std::vector<char*> m_pointers;
    int m_argc = 0;
};

/// Qt ends the program with an abort and a core dump when it cannot start a window system:
/// no display, one that cannot be reached, a platform plugin that is not installed. While a
/// WindowSystemStart lives, that end is a message and exit status 1 instead. Qt's messages
/// are held back meanwhile: once the window system is up they follow unchanged; when it
/// cannot start, they are the reason. Create it just before the application object and
/// finish it just after.
class WindowSystemStart
{
public:
    /// Why no window system started.
    struct Failure
    {
        QByteArray reason;      ///< Qt's own words
        bool noDisplay = false; ///< a platform plugin ran and reached no display
    };

    /// @param report writes the message; the program then ends with 1
    explicit WindowSystemStart(void (*report)(const Failure& failure));
    ~WindowSystemStart();
    WindowSystemStart(const WindowSystemStart&) = delete;
    WindowSystemStart& operator=(const WindowSystemStart&) = delete;

    /// The window system is up: the held messages are written, and Qt's fatal errors are
    /// its own again.
    void finish();

private:
    struct Message
    {
        QtMsgType type;
        QByteArray category, file, function;
        int line;
        QString text;
    };
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text);

    void (*m_report)(const Failure& failure);
    QtMessageHandler m_previous = nullptr;
    QMutex m_mutex; // Qt may write from its threads
    QList<Message> m_held;
    bool m_finished = false;
};

} // namespace platform
