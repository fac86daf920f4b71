#pragma once

// The translator panel's behaviour: translation with one level of undo, the dictionary
// file, and opening, saving and clearing the message.

#include "platform/Platform.h"
#include "platform/forms/SoundPlayer.h"
#include "translator/ModCmnDlg.h"
#include "translator/TextFiles.h"
#include "translator/TranslatorControls.h"

#include <QObject>
#include <QString>

namespace translator {
class MessageDisplay;
}

class TranslatorHandlers : public QObject
{
    Q_OBJECT
public:
    /// Readies the hidden holders for texts of any length, disables cmdUndo and connects the
    /// panel's buttons.
    TranslatorHandlers(const TranslatorControls& controls, const platform::Platform& platform,
                       platform::SoundPlayer& sound, QObject* parent = nullptr);

    /// Puts the built-in dictionary into Ebonictxt. The window calls it once it is on screen:
    /// nothing reads the hidden box, and its 656 lines are a noticeable part of start-up.
    void FillDictionaryHolder();

    /// Creates the dictionary file from the built-in text unless it exists. A failure is
    /// reported in a message box and the program goes on.
    void EnsureDictionaryFile();

    /// The path of the text file last opened, empty until the first Open.
    QString CurrentFile;

public slots:
    void Cmdtranlate_Click();
    /// Translates the message, Message_Text's text, into rtfaftertran and shows "Translate
    /// completed !"; reports its own failures and then leaves everything as it was. The
    /// caller passes the message it has read: reading a long one from the box is not free.
    /// @return whether the message was translated
    bool Translate(const QString& message);
    void cmdUndo_Click();
    void cmdOpen_Click();
    void cmdSave_Click();
    void cmdSaveAs_Click();
    void cmdClearText_Click();

private:
    QWidget* owner() const;
    QString messageText() const;
    void setMessageText(const QString& text);
    void reportFileError(const QString& what, const QString& path, const QString& reason);

    TranslatorControls m_controls;
    platform::Platform m_platform;
    platform::SoundPlayer& m_sound;
    translator::ModCmnDlg m_dialogs;
    /// The last opened file as stored: its bytes come back while the message is unedited,
    /// its format otherwise (UTF-8 and LF before any Open).
    translator::StoredText m_stored;
    translator::MessageDisplay* m_display = nullptr; ///< owned by Message_Text
};
