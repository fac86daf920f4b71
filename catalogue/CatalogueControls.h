#pragma once

// The main window's catalogue controls, created and laid out by the window and handed to
// CatalogueHandlers, which gives them their content and behaviour.

#include "catalogue/Faces.h"

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

struct CatalogueControls
{
    QListWidget* List1;      ///< smileys
    QListWidget* List2;      ///< acronyms
    QLabel* Label1;          ///< emoticon display (Tahoma 24 pt, light grey background)
    QLabel* Label2;          ///< description line (Tahoma 12 bold)
    QLabel* Image1;          ///< picture display; stretches its picture (setScaledContents(true))
    QPushButton* Command1;   ///< text copy
    QPushButton* Command15;  ///< picture copy, in the same place as Command1
    QPushButton* Command3;   ///< "C&lear search"
    QPushButton* Sendtxtcmd; ///< "Add Text face"
    std::array<QPushButton*, catalogue::kFaceCount> pictureButtons; ///< Command4 .., in order
    QLineEdit* Txt1;                                                ///< search box
    QPlainTextEdit* Message_Text;                                   ///< the translator's message
    QCheckBox* Check1;                                              ///< "Play sounds"
    /// What Glyphora noticed and could not say in a box: why a face was copied instead of
    /// typed, or which lines of the user's own files were skipped. Hidden while there is none.
    QLabel* lblNotice;
};
