#include "translator/TranslatorHandlers.h"

#include "translator/Dictionary.h"
#include "translator/DictionaryFile.h"
#include "translator/EbonicText.h"
#include "translator/MessageView.h"
#include "translator/TextFiles.h"
#include "translator/Translator.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <limits>

using namespace translator;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgDefault;
using platform::MsgIcon;

namespace {

void readyHolder(QLineEdit* holder)
{
    // Never shown: no length limit, and no layout of a long text nobody sees.
    holder->setMaxLength(std::numeric_limits<int>::max());
    holder->setEchoMode(QLineEdit::NoEcho);
}
} // namespace

TranslatorHandlers::TranslatorHandlers(const TranslatorControls& controls,
                                       const platform::Platform& platform,
                                       platform::SoundPlayer& sound, QObject* parent)
    : QObject(parent), m_controls(controls), m_platform(platform), m_sound(sound),
      m_dialogs(platform.fileDialogs)
{
    m_display = new MessageDisplay(m_controls.Message_Text);
    readyHolder(m_controls.Rtfbackup);
    readyHolder(m_controls.rtfaftertran);
    m_controls.cmdUndo->setEnabled(false);

    connect(m_controls.Cmdtranlate, &QPushButton::clicked, this,
            &TranslatorHandlers::Cmdtranlate_Click);
    connect(m_controls.cmdUndo, &QPushButton::clicked, this, &TranslatorHandlers::cmdUndo_Click);
    connect(m_controls.cmdOpen, &QPushButton::clicked, this, &TranslatorHandlers::cmdOpen_Click);
    connect(m_controls.cmdSave, &QPushButton::clicked, this, &TranslatorHandlers::cmdSave_Click);
    connect(m_controls.cmdSaveAs, &QPushButton::clicked, this,
            &TranslatorHandlers::cmdSaveAs_Click);
    connect(m_controls.cmdClearText, &QPushButton::clicked, this,
            &TranslatorHandlers::cmdClearText_Click);
}

void TranslatorHandlers::FillDictionaryHolder()
{
    m_controls.Ebonictxt->setPlainText(ebonicText());
}

void TranslatorHandlers::EnsureDictionaryFile()
{
    const QString path = dictionaryFilePath(GetWindowsDir(m_platform.paths));
    if (path.isEmpty()) {
        // Said once: every translation then uses the built-in dictionary without a word.
        m_platform.messageBoxes.MsgBox(
            owner(),
            loadDictionaryFile(path).problem +
                QStringLiteral(" Translations use the built-in dictionary."),
            MsgIcon::Exclamation);
        return;
    }
    const EnsureOutcome outcome = ensureDictionaryFile(path, dictionaryFileContent());
    if (outcome.state == DictionaryFileState::Failed)
        reportFileError(QStringLiteral("Cannot create the dictionary file"), path, outcome.error);
}

void TranslatorHandlers::Cmdtranlate_Click()
{
    const QString message = messageText();
    if (message.isEmpty()) {
        m_platform.messageBoxes.MsgBox(owner(), QStringLiteral("Enter some text ."),
                                       MsgIcon::Information);
        return;
    }
    // A failed translation has been reported; the message and its undo stay as they were.
    if (!Translate(message))
        return;
    m_controls.Rtfbackup->setText(message);
    m_controls.cmdUndo->setEnabled(true);
    setMessageText(m_controls.rtfaftertran->text());
    m_sound.PlayResSound(platform::kClickSound, platform::kClickSoundType);
}

bool TranslatorHandlers::Translate(const QString& message)
{
    LoadedDictionary dictionary =
        loadDictionaryFile(dictionaryFilePath(GetWindowsDir(m_platform.paths)));
    // Without a data folder there is no file to edit; start-up has said so.
    if (dictionary.outcome == DictionaryLoad::NoDataFolder)
        dictionary.records = builtInRecords();
    else if (dictionary.outcome != DictionaryLoad::Loaded) {
        m_platform.messageBoxes.MsgBox(owner(), dictionary.problem, MsgIcon::Critical);
        return false;
    }
    m_controls.rtfaftertran->setText(Translator(dictionary.records).translate(message));
    m_controls.lblStatus->setText(QStringLiteral("Translate completed !"));
    return true;
}

void TranslatorHandlers::cmdUndo_Click()
{
    setMessageText(m_controls.Rtfbackup->text());
    m_controls.cmdUndo->setEnabled(false);
    m_controls.Cmdtranlate->setEnabled(true);
}

void TranslatorHandlers::cmdOpen_Click()
{
    m_dialogs.DlgFileName.clear();
    m_dialogs.DlgFilter = QStringLiteral("Text file (*.txt)|*.txt");
    m_dialogs.DlgFlags = platform::OFN_READONLY | platform::OFN_HIDEREADONLY;
    m_dialogs.DlgOwner = owner();
    m_dialogs.ShowOpen();
    if (m_dialogs.DlgFileName.isEmpty())
        return;
    const QString path = m_dialogs.DlgFileName;
    // The dialog accepts names that do not exist; opening one creates nothing and keeps
    // the message.
    if (!QFileInfo::exists(path)) {
        reportFileError(QStringLiteral("Cannot open"), path,
                        QStringLiteral("The file does not exist."));
        return;
    }
    QString error;
    std::optional<TextFileContent> content = ReadTextFile(path, &error);
    if (!content) {
        reportFileError(QStringLiteral("Cannot open"), path, error);
        return;
    }
    CurrentFile = path;
    m_controls.lblStatus->setText(path);
    m_stored = std::move(content->stored);
    setMessageText(content->text);
}

void TranslatorHandlers::cmdSave_Click()
{
    if (CurrentFile.isEmpty()) {
        cmdSaveAs_Click();
        return;
    }
    QString error;
    if (!WriteTextFile(CurrentFile, messageText(), m_stored, false, &error))
        reportFileError(QStringLiteral("Cannot save"), CurrentFile, error);
}

void TranslatorHandlers::cmdSaveAs_Click()
{
    m_dialogs.DlgFileName.clear();
    m_dialogs.DlgFilter = QStringLiteral("Text File (*.txt)|*.txt");
    m_dialogs.DlgFlags = platform::OFN_READONLY | platform::OFN_HIDEREADONLY;
    m_dialogs.DlgOwner = owner();
    m_dialogs.ShowSave();
    if (m_dialogs.DlgFileName.isEmpty())
        return;
    const QString chosen = m_dialogs.DlgFileName;
    const QString path = textFilePath(chosen);
    // The user agreed to replace the file they chose, not one the renaming lands on.
    if (path != chosen && QFileInfo::exists(path)) {
        // Enter must not destroy a file: No is the default.
        const MsgAnswer answer = m_platform.messageBoxes.MsgBox(
            owner(), QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(path),
            MsgIcon::Exclamation, MsgButtons::YesNo, MsgDefault::Button2);
        if (answer != MsgAnswer::Yes)
            return;
    }
    QString error;
    if (!WriteTextFile(path, messageText(), m_stored, true, &error))
        reportFileError(QStringLiteral("Cannot save"), path, error);
}

void TranslatorHandlers::cmdClearText_Click()
{
    setMessageText(QString());
    m_sound.PlayResSound(platform::kClickSound, platform::kClickSoundType);
}

QWidget* TranslatorHandlers::owner() const
{
    // The panel has no window of its own: its boxes and dialogs belong to the one holding it.
    return m_controls.Message_Text->window();
}

QString TranslatorHandlers::messageText() const
{
    return m_display->message();
}

void TranslatorHandlers::setMessageText(const QString& text)
{
    m_display->setMessage(text);
}

void TranslatorHandlers::reportFileError(const QString& what, const QString& path,
                                         const QString& reason)
{
    m_platform.messageBoxes.MsgBox(owner(), QStringLiteral("%1 %2:\n%3").arg(what, path, reason),
                                   MsgIcon::Exclamation);
}
