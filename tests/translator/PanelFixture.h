#pragma once

// The translator panel's controls as bare widgets, wired to TranslatorHandlers with fake
// platform services and a data folder of its own.

#include "platform/SoundPlayer.h"
#include "platform/fakes/FakePlatform.h"
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
    platform::SoundPlayer sound{fake.resources, fake.sound, fake.messageBoxes, [] { return true; }};
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
    static QByteArray read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};
