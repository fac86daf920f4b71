#pragma once

// Behaviour of the catalogue half of the main window: the smiley and acronym lists, the
// picture buttons, the copy buttons, "Add Text face" and the search box. The window creates
// the controls; this object fills them and connects their signals to the handlers below.

#include "catalogue/CatalogueControls.h"
#include "catalogue/CatalogueTables.h"
#include "catalogue/Faces.h"
#include "catalogue/OwnEntries.h"

#include <QColor>
#include <QImage>
#include <QObject>
#include <QPixmap>
#include <QStringList>
#include <array>
#include <span>

class QListWidget;

namespace platform {
class Clipboard;
class MessageBoxes;
class SoundPlayer;
} // namespace platform

class CatalogueHandlers : public QObject
{
    Q_OBJECT
public:
    /// Fills both lists from the tables, gives the picture buttons their faces and connects
    /// every control's signal to its handler.
    /// @param controls the window's controls; none may be null, all must outlive this object.
    /// @param clipboard used by the copy buttons and "Add Text face".
    /// @param sound the window's click-sound player.
    /// @param parent usual QObject parent, typically the main window.
    CatalogueHandlers(const CatalogueControls& controls, platform::Clipboard& clipboard,
                      platform::SoundPlayer& sound, QObject* parent = nullptr);

    /// Lists the user's own rows after the built-in ones, in place of those listed before.
    /// A chosen row stays chosen where the new list still has it, without being chosen
    /// anew: the display, the sound and the search box stay as they are.
    void setOwnEntries(const QList<catalogue::OwnEntry>& smileys,
                       const QList<catalogue::OwnEntry>& acronyms);
    /// Lists the own rows of the data folder's files and follows the files from now on;
    /// the lines skipped are named in one message box per reading that found any.
    /// @param dataFolder the folder, empty when there is none
    /// @param messageBoxes where the skipped lines are told
    void followOwnEntries(const QString& dataFolder, platform::MessageBoxes& messageBoxes);

public slots:
    void List1_Click();
    void List2_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();
    void Command11_Click();
    void Command12_Click();
    void Command13_Click();
    void Command14_Click();
    void Command1_Click();
    void Command15_Click();
    void Sendtxtcmd_Click();
    void Txt1_Change();
    void listsearch();
    void listsearch2();
    void Command3_Click();

private:
    void showListChoice(const QListWidget* list, const catalogue::CatalogueList& entries,
                        int pointSize);
    void showOwnEntries();
    static void relist(QListWidget* list, catalogue::CatalogueList& listed,
                       catalogue::CatalogueList updated, int builtIn);
    void showPicture(int face);
    void showTextDisplay(bool text);
    void searchList(QListWidget* list, const QStringList& captions);
    void setDescriptionColour(const QColor& colour);
    void playClick();

    CatalogueControls m_c;
    platform::Clipboard& m_clipboard;
    platform::SoundPlayer& m_sound;
    catalogue::CatalogueList m_smileys;
    catalogue::CatalogueList m_acronyms;
    catalogue::OwnCatalogue* m_own = nullptr;
    platform::MessageBoxes* m_messageBoxes = nullptr;
    bool m_telling = false; ///< a message box about skipped lines is open
    std::array<QImage, catalogue::kFaceCount> m_pictures;         ///< the faces as stored: copied
    std::array<QPixmap, catalogue::kFaceCount> m_displayPictures; ///< sharpest, for Image1
    /// The picture Image1 shows, as stored: what the picture copy puts on the clipboard.
    QImage m_shownPicture;
    /// What a screen reader says about Label1 while no entry is chosen.
    QString m_idleDisplayDescription;
};
