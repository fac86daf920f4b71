#pragma once

// The translator panel's controls, created by the main window and handed to
// TranslatorHandlers, which gives them their behaviour.

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

struct TranslatorControls
{
    QPlainTextEdit* Message_Text;
    QLineEdit* Rtfbackup;      ///< hidden holder: the text before the last translation
    QLineEdit* rtfaftertran;   ///< hidden holder: the last translation's result
    QPlainTextEdit* Ebonictxt; ///< hidden holder of the built-in dictionary text
    QLabel* lblStatus;
    QPushButton* Cmdtranlate;
    QPushButton* cmdUndo;
    QPushButton* cmdOpen;
    QPushButton* cmdSave;
    QPushButton* cmdSaveAs;
    QPushButton* cmdClearText;
};
