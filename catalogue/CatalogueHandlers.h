#pragma once

// Behaviour of the catalogue half of the main window: the smiley and acronym lists, the
// picture buttons, the copy buttons, "Add Text face" and the search box. The window creates
// the controls; this object fills them and connects their signals to the handlers below.

#include "catalogue/CatalogueControls.h"
#include "catalogue/CatalogueTables.h"
#include "catalogue/Faces.h"
#include "catalogue/Favourites.h"
#include "catalogue/ListSearch.h"
#include "catalogue/OwnEntries.h"
#include "platform/typing/TextInserter.h"

#include <QColor>
#include <QImage>
#include <QObject>
#include <QPixmap>
#include <QStringList>
#include <array>
#include <functional>
#include <span>

class QListWidget;

namespace platform {
class Clipboard;
class MessageBoxes;
class Notifications;
class SettingsStore;
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
    /// @param inserter types the chosen face into the window the user came from.
    /// @param messages names the skipped lines of the user's own files at a start.
    /// @param notifications names them when a file changed while Glyphora ran.
    /// @param settings holds the rows the user picked and how the search box searches.
    /// @param stepAside moves the main window out of the way after an insert.
    /// @param parent usual QObject parent, typically the main window.
    CatalogueHandlers(const CatalogueControls& controls, platform::Clipboard& clipboard,
                      platform::SoundPlayer& sound, platform::TextInserter& inserter,
                      platform::MessageBoxes& messages, platform::Notifications& notifications,
                      platform::SettingsStore& settings, std::function<void()> stepAside,
                      QObject* parent = nullptr);

    /// Return in the search box or in a list: KeyAscii 13 inserts the chosen face and is
    /// set to 0, as the key is taken.
    void Txt1_KeyPress(int& KeyAscii);
    void List1_KeyPress(int& KeyAscii);
    void List2_KeyPress(int& KeyAscii);

    /// Lists the user's own rows after the built-in ones, in place of those listed before.
    /// A chosen row stays chosen where the new list still has it, without being chosen
    /// anew: the display, the sound and the search box stay as they are.
    void setOwnEntries(const QList<catalogue::OwnEntry>& smileys,
                       const QList<catalogue::OwnEntry>& acronyms);
    /// Lists the own rows of the data folder's files and follows the files from now on.
    /// The lines skipped are named in the notice line until a reading finds none, and in one
    /// message box at the start where the window has the keyboard, or else in one
    /// notification per reading that found any: a change noticed while the user types
    /// elsewhere never takes the keyboard.
    /// @param dataFolder the folder, empty when there is none
    void followOwnEntries(const QString& dataFolder);
    /// Gives the search box the keyboard with its text selected, so typing replaces it.
    void focusSearch();
    /// Reads again how the search box searches, as `glyphora search` may have changed it.
    void readSearchSetting();

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
    void List1_DblClick();
    void List2_DblClick();
    /// Puts what "Copy to clipboard" would copy into the window the user came from: text is
    /// typed, a picture is pasted from the clipboard. Where that cannot be done, the face is
    /// copied as its copy button would.
    void InsertChoice();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void afterInsert(const platform::TextInserter::Result& result, bool picture);
    void showListChoice(const QListWidget* list, const catalogue::CatalogueList& entries,
                        int pointSize);
    enum class Reading { AtStart, Later };
    void showOwnEntries(Reading reading);
    /// Says in the notice line why the face was copied instead: `why` follows "Not typed: ",
    /// empty where there was nowhere to type.
    void tellCopied(const QString& why, bool picture);
    void showNotice();
    void forgetInsertNotice();
    static void relist(QListWidget* list, catalogue::CatalogueList& listed,
                       catalogue::CatalogueList updated);
    void showPicture(int face);
    void showTextDisplay(bool text);
    void searchList(QListWidget* list, std::optional<int> row);
    const catalogue::SearchChoice& choice();
    /// Counts a pick of the row the display shows, for the search's favourites.
    void countPick();
    void rankRows();
    void setDescriptionColour(const QColor& colour);
    void playClick();

    CatalogueControls m_c;
    platform::Clipboard& m_clipboard;
    platform::SoundPlayer& m_sound;
    platform::TextInserter& m_inserter;
    platform::MessageBoxes& m_messages;
    platform::Notifications& m_notifications;
    platform::SettingsStore& m_settings;
    std::function<void()> m_stepAside;
    catalogue::CatalogueList m_smileys;
    catalogue::CatalogueList m_acronyms;
    catalogue::OwnCatalogue* m_own = nullptr;
    catalogue::Favourites m_favourites;
    QList<double> m_smileyRanks, m_acronymRanks; ///< each row's rank among the favourites
    bool m_searchByWords = true;
    /// The search box's choice for the text it was made for, shared by both searches.
    QString m_choiceText;
    catalogue::SearchChoice m_choice;
    /// The row the display shows, as a pick would count it: its text and caption.
    QString m_shownText, m_shownCaption;
    QString m_insertNotice; ///< why the last face was copied instead, until the next choice
    QString m_ownNotice;    ///< the skipped lines of the last reading, in one sentence
    QString m_ownReport;    ///< and named in full
    std::array<QImage, catalogue::kFaceCount> m_pictures;         ///< the faces as stored: copied
    std::array<QPixmap, catalogue::kFaceCount> m_displayPictures; ///< sharpest, for Image1
    /// The picture Image1 shows, as stored: what the picture copy puts on the clipboard.
    QImage m_shownPicture;
    /// What a screen reader says about Label1 while no entry is chosen.
    QString m_idleDisplayDescription;
};
