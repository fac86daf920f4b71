#pragma once

// Test doubles for every platform service. Nothing here opens a modal loop, plays through
// a device or touches the user's files.

#include "platform/Platform.h"

#include <QDir>
#include <QHash>
#include <QImage>
#include <QList>
#include <QQueue>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>

namespace platform::fakes {

class FakeMessageBoxes final : public MessageBoxes
{
public:
    MsgAnswer show(const MessageRequest& request) override;
    /// Answers to give, in order; when none is queued the box is answered with its default
    /// button, as by Enter.
    QQueue<MsgAnswer> answers;
    QList<MessageRequest> shown;
    QStringList texts() const;
};

class FakeSettingsStore final : public SettingsStore
{
public:
    QString GetSetting(const QString& app, const QString& section, const QString& key) override;
    void SaveSetting(const QString& app, const QString& section, const QString& key,
                     const QString& value) override;
    static QString path(const QString& app, const QString& section, const QString& key);
    QHash<QString, QString> values; ///< "app/section/key" -> value
    QStringList writes;             ///< every write, as "app/section/key=value"
    bool failWrites = false;
};

class FakeResources final : public Resources
{
public:
    FakeResources();
    QByteArray LoadResData(const QString& name, const QString& type) override;
    QHash<QString, QByteArray> items; ///< "TYPE/NAME" -> bytes; holds WAVE/SOUND1 at start
    int loads = 0;
};

class FakeSoundOutput final : public SoundOutput
{
public:
    bool sndPlaySound(const QByteArray& wave, std::uint32_t flags) override;
    void stop() override;
    struct Play
    {
        QByteArray wave;
        std::uint32_t flags;
        const char* data; ///< where the bytes lived, to check they were not copied
    };
    QList<Play> plays;
    int stops = 0;
};

class FakeClipboard final : public Clipboard
{
public:
    void Clear() override;
    void SetText(const QString& text) override;
    void SetImage(const QImage& image) override;
    QString GetText() const override;
    QString text;
    QImage image;
    bool hasText = false;
    int clears = 0;
    bool unavailable = false; ///< another program holds it: every call does nothing
};

class FakeFileDialogs final : public FileDialogs
{
public:
    FileDialogResult GetOpenFileName(const FileDialogRequest& request) override;
    FileDialogResult GetSaveFileName(const FileDialogRequest& request) override;
    /// Answers to give, in order; when none is queued the dialog is cancelled.
    QQueue<FileDialogResult> answers;
    void answer(const QString& fileName) { answers.enqueue({true, fileName, 1}); }
    void cancel() { answers.enqueue({}); }
    QList<FileDialogRequest> openRequests;
    QList<FileDialogRequest> saveRequests;

private:
    FileDialogResult next();
};

class FakePaths final : public Paths
{
public:
    QString GetWindowsDirectory() override { return windowsDirectory; }
    QString GetTempPath() override { return tempPath; }
    QString windowsDirectory;
    QString tempPath;
};

class FakeShell final : public Shell
{
public:
    void ShellExecute(const QString& file) override;
    QString FindExecutable(const QString& file, const QString& directory, int& code) override;
    bool CreateProcess(const QString& program, const QStringList& arguments) override;
    bool FileExists(const QString& path) const override;
    QStringList executed;
    struct Started
    {
        QString program;
        QStringList arguments;
    };
    QList<Started> started;
    QString browser;         ///< what FindExecutable answers
    int findCode = 42;       ///< and its code
    QStringList findQueries; ///< "directory|file" per FindExecutable call
    bool startSucceeds = true;
    QStringList existingFiles;
};

class FakeRegistry final : public Registry
{
public:
    std::int32_t RegOpenKeyEx(HKEY root, const QString& subKey, std::uint32_t access,
                              HKEY& result) override;
    std::int32_t RegQueryValueEx(HKEY key, const QString& valueName, std::uint32_t& type,
                                 QByteArray& data, std::uint32_t& size) override;
    std::int32_t RegCloseKey(HKEY key) override;
    struct Value
    {
        std::uint32_t type;
        QByteArray data;
    };
    /// "KEY\\PATH" -> value name -> value
    QHash<QString, QHash<QString, Value>> keys;
    QList<std::uint32_t> accessAsked;
    QList<HKEY> closed;

private:
    QStringList m_open; ///< handle n refers to m_open[n - 1]
};

class FakeWindowSystem final : public WindowSystem
{
public:
    double TwipsPerPixelX() const override { return twipsX; }
    double TwipsPerPixelY() const override { return twipsY; }
    void SetWindowPos(QWidget* window, bool topmost, const QRect& pixels) override;
    std::uint32_t GetTickCount() const override { return tick; }
    /// Dispatches what is posted, then lets the time pass at once.
    bool dispatchEventsFor(std::uint32_t milliseconds) override;
    double twipsX = 15;
    double twipsY = 15;
    std::uint32_t tick = 0;
    bool ending = false; ///< the program is asked to end: a wait stops before its time
    struct Call
    {
        QWidget* window;
        bool topmost;
        QRect pixels;
    };
    QList<Call> calls;
};

/// Records each insert and answers it at once with `outcome`; an insert that goes in steps
/// aside first, as the desktop's does.
class FakeTextInserter final : public TextInserter
{
public:
    Target target() const override { return where; }
    void insert(const Request& request, Done done) override;
    bool returnKeyboard(std::uint32_t) override { return where != Target::None; }
    Target where = Target::Any;
    Outcome outcome = Outcome::Inserted;
    QString message; ///< given with any outcome but Inserted
    QList<Request> requests;
    int stepsAside = 0;
};

/// Records each notification.
class FakeNotifications final : public Notifications
{
public:
    struct Shown
    {
        QString summary;
        QString body;
    };
    void Notify(const QString& summary, const QString& body) override
    {
        shown.append({summary, body});
    }
    QList<Shown> shown;
};

/// Every fake, owned together.
struct FakePlatform
{
    FakePlatform()
    {
        paths.windowsDirectory = folders.path() + QStringLiteral("/windows");
        QDir().mkpath(paths.windowsDirectory);
        paths.tempPath = folders.path() + QLatin1Char('/');
    }

    /// Holds the "Windows" and temporary folders, which exist only while the fakes do.
    QTemporaryDir folders;
    FakeMessageBoxes messageBoxes;
    FakeSettingsStore settings;
    FakeResources resources;
    FakeSoundOutput sound;
    FakeClipboard clipboard;
    FakeFileDialogs fileDialogs;
    FakePaths paths;
    FakeShell shell;
    FakeRegistry registry;
    FakeWindowSystem windows;
    FakeTextInserter inserter;
    FakeNotifications notifications;

    Platform services()
    {
        return {messageBoxes, settings, resources, sound,   clipboard, fileDialogs,
                paths,        shell,    registry,  windows, inserter,  notifications};
    }
};

/// A valid 5524-byte PCM wave image (mono, 11025 Hz, 8 bits) of silence.
QByteArray silentWave();

} // namespace platform::fakes
