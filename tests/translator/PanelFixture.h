#pragma once

// The translator panel's controls as bare widgets, wired to TranslatorHandlers with fake
// platform services and a data folder of its own.

#include "platform/fakes/FakePlatform.h"
#include "platform/forms/SoundPlayer.h"
#include "translator/DictionaryFile.h"
#include "translator/MessageView.h"
#include "translator/TranslatorHandlers.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>
#include <linux/capability.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

/// A folder on a small file system of its own that fill() fills up: every write there then
/// runs out of room. Mounting needs root; without it the folder is not usable.
class FullFolder
{
public:
    FullFolder()
    {
        const QByteArray path = QFile::encodeName(m_dir.path());
        m_mounted = ::mount("tmpfs", path.constData(), "tmpfs", 0, "size=64k") == 0;
    }
    void fill()
    {
        QFile filler(m_dir.filePath(QStringLiteral("filler")));
        if (filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            const QByteArray block(4096, 'x');
            while (filler.write(block) == block.size()) {
            }
        }
    }
    ~FullFolder()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    bool usable() const { return m_mounted; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

/// Makes a folder refuse new files while the files in it stay as writable as they are: its
/// write permission goes, and with it, on this thread only, the rights by which root would
/// pass over permission bits. Both come back when it ends.
class RefusingFolder
{
public:
    explicit RefusingFolder(const QString& path) : m_path(QFile::encodeName(path))
    {
        m_header.version = _LINUX_CAPABILITY_VERSION_3;
        m_saved = ::syscall(SYS_capget, &m_header, m_rights) == 0;
        if (m_saved) {
            __user_cap_data_struct plain[2] = {m_rights[0], m_rights[1]};
            plain[0].effective &=
                ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
            ::syscall(SYS_capset, &m_header, plain);
        }
        ::chmod(m_path.constData(), 0555);
    }
    ~RefusingFolder()
    {
        ::chmod(m_path.constData(), 0755);
        if (m_saved)
            ::syscall(SYS_capset, &m_header, m_rights);
    }
    RefusingFolder(const RefusingFolder&) = delete;
    RefusingFolder& operator=(const RefusingFolder&) = delete;

private:
    QByteArray m_path;
    __user_cap_header_struct m_header = {};
    __user_cap_data_struct m_rights[2] = {};
    bool m_saved = false;
};

/// Sets the process's umask while it lives.
class Umask
{
public:
    explicit Umask(mode_t mask) : m_old(::umask(mask)) {}
    ~Umask() { ::umask(m_old); }
    Umask(const Umask&) = delete;
    Umask& operator=(const Umask&) = delete;

private:
    mode_t m_old;
};

struct PanelFixture
{
    platform::fakes::FakePlatform fake;
    QTemporaryDir dataDir;
    QTemporaryDir filesDir;
    translator::MessageEdit message;
    QLineEdit backup;
    QLineEdit afterTran;
    QPlainTextEdit ebonic;
    QLabel status;
    QPushButton translate, undo, open, save, saveAs, clear;
    platform::SoundPlayer sound{fake.resources, fake.sound, fake.messageBoxes, nullptr,
                                [] { return true; }};
    TranslatorHandlers handlers;

    PanelFixture() : handlers(controls(), fake.services(), sound)
    {
        backup.setText(QStringLiteral("Text1"));
        afterTran.setText(QStringLiteral("Text1"));
        fake.paths.windowsDirectory = dataDir.path();
    }

    TranslatorControls controls()
    {
        return {&message, &backup, &afterTran, &ebonic, &status, &translate,
                &undo,    &open,   &save,      &saveAs, &clear};
    }

    QString dictionaryPath() const { return dataDir.path() + QStringLiteral("/winup.ico"); }
    QString file(const QString& name) const { return filesDir.filePath(name); }

    /// The message exactly as the box holds it, less the block separators that the box put
    /// into a long line to show it.
    QString text() const
    {
        QString raw = message.document()->toRawText();
        if (const auto* display = translator::MessageDisplay::of(&message)) {
            const QList<int> cuts = display->cuts();
            for (auto cut = cuts.rbegin(); cut != cuts.rend(); ++cut)
                raw.remove(*cut, 1);
        }
        return raw.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
    }

    static void write(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }
    /// A file of the given size that takes no room on disk.
    static bool makeSparseFile(const QString& path, qint64 size)
    {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.resize(size);
    }
    static QByteArray read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};
