#include "catalogue/CatalogueHandlers.h"

#include "catalogue/CatalogueTables.h"
#include "catalogue/Faces.h"
#include "catalogue/ListSearch.h"
#include "platform/Clipboard.h"
#include "platform/MessageBoxes.h"
#include "platform/Notifications.h"
#include "platform/SettingsStore.h"
#include "platform/forms/FormBuilder.h"
#include "platform/forms/SoundPlayer.h"

#include <QCheckBox>
#include <QDateTime>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>
#include <exception>

namespace {

// A freshly chosen entry shows its description in navy; a copy turns it dark red.
const QColor kDarkRed(128, 0, 0);

constexpr int kSmileyPointSize = 24;
constexpr int kAcronymPointSize = 16;
/// Below this a text squeezed into the display could no longer be read.
constexpr double kSmallestPointSize = 8;

using Handler = void (CatalogueHandlers::*)();
constexpr std::array<Handler, catalogue::kFaceCount> kPictureHandlers{
    &CatalogueHandlers::Command4_Click,  &CatalogueHandlers::Command5_Click,
    &CatalogueHandlers::Command6_Click,  &CatalogueHandlers::Command7_Click,
    &CatalogueHandlers::Command8_Click,  &CatalogueHandlers::Command9_Click,
    &CatalogueHandlers::Command10_Click, &CatalogueHandlers::Command11_Click,
    &CatalogueHandlers::Command12_Click, &CatalogueHandlers::Command13_Click,
    &CatalogueHandlers::Command14_Click,
};

void fillList(QListWidget* list, const QStringList& captions)
{
    list->setSortingEnabled(false);
    // "No selection" must be reachable by setCurrentRow(-1).
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->clear();
    list->addItems(captions);
    // Without a current index set once, the view makes its first row current when it takes
    // the focus; the list must start with nothing chosen, and a first Down picks row 0.
    list->setCurrentIndex(QModelIndex());
}

/// The list's chosen row (its selection, not merely its current row), -1 when none.
int selectedRow(const QListWidget* list)
{
    const QList<QListWidgetItem*> items = list->selectedItems();
    return items.isEmpty() ? -1 : list->row(items.first());
}

} // namespace

CatalogueHandlers::CatalogueHandlers(const CatalogueControls& controls,
                                     platform::Clipboard& clipboard, platform::SoundPlayer& sound,
                                     platform::TextInserter& inserter,
                                     platform::MessageBoxes& messages,
                                     platform::Notifications& notifications,
                                     platform::SettingsStore& settings,
                                     std::function<void()> stepAside, QObject* parent)
    : QObject(parent), m_c(controls), m_clipboard(clipboard), m_sound(sound), m_inserter(inserter),
      m_messages(messages), m_notifications(notifications), m_settings(settings),
      m_stepAside(std::move(stepAside)), m_smileys(catalogue::smileyTable()),
      m_acronyms(catalogue::acronymTable()),
      m_idleDisplayDescription(controls.Label1->accessibleDescription())
{
    // Captions such as "<:-I" must never be taken for markup.
    m_c.Label1->setTextFormat(Qt::PlainText);
    m_c.Label2->setTextFormat(Qt::PlainText);
    m_c.lblNotice->setTextFormat(Qt::PlainText);
    m_c.lblNotice->setWordWrap(true);
    m_c.lblNotice->hide();

    fillList(m_c.List1, m_smileys.captions());
    fillList(m_c.List2, m_acronyms.captions());
    m_favourites = catalogue::Favourites::fromSetting(m_settings.GetSetting(
        platform::kSettingsApp, platform::kSettingsSection, platform::kFavouritesSetting));
    readSearchSetting();
    rankRows();
    // Every change of selection, by mouse, keyboard or search, is a choice.
    connect(m_c.List1, &QListWidget::itemSelectionChanged, this, &CatalogueHandlers::List1_Click);
    connect(m_c.List2, &QListWidget::itemSelectionChanged, this, &CatalogueHandlers::List2_Click);

    for (int i = 0; i < catalogue::kFaceCount; ++i) {
        const catalogue::Face& face = catalogue::faces()[std::size_t(i)];
        QPushButton* button = m_c.pictureButtons[std::size_t(i)];
        // The pictures themselves are read when first shown: start-up stays quick.
        button->setIcon(catalogue::faceIcon(face));
        button->setIconSize(face.size);
        connect(button, &QPushButton::clicked, this, kPictureHandlers[std::size_t(i)]);
    }

    connect(m_c.Command1, &QPushButton::clicked, this, &CatalogueHandlers::Command1_Click);
    connect(m_c.Command15, &QPushButton::clicked, this, &CatalogueHandlers::Command15_Click);
    connect(m_c.Sendtxtcmd, &QPushButton::clicked, this, &CatalogueHandlers::Sendtxtcmd_Click);
    connect(m_c.Command3, &QPushButton::clicked, this, &CatalogueHandlers::Command3_Click);
    connect(m_c.Txt1, &QLineEdit::textChanged, this, &CatalogueHandlers::Txt1_Change);

    // Return and a double-click on a row insert the face; Return in the message stays a
    // line break.
    for (QObject* control : {static_cast<QObject*>(m_c.Txt1), static_cast<QObject*>(m_c.List1),
                             static_cast<QObject*>(m_c.List2)})
        control->installEventFilter(this);
    connect(m_c.List1, &QListWidget::itemDoubleClicked, this, &CatalogueHandlers::List1_DblClick);
    connect(m_c.List2, &QListWidget::itemDoubleClicked, this, &CatalogueHandlers::List2_DblClick);
}

bool CatalogueHandlers::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return QObject::eventFilter(watched, event);
    int KeyAscii = 13;
    if (watched == m_c.Txt1)
        Txt1_KeyPress(KeyAscii);
    else if (watched == m_c.List1)
        List1_KeyPress(KeyAscii);
    else if (watched == m_c.List2)
        List2_KeyPress(KeyAscii);
    return KeyAscii == 0;
}

void CatalogueHandlers::Txt1_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        InsertChoice();
    }
}

void CatalogueHandlers::List1_KeyPress(int& KeyAscii)
{
    Txt1_KeyPress(KeyAscii);
}

void CatalogueHandlers::List2_KeyPress(int& KeyAscii)
{
    Txt1_KeyPress(KeyAscii);
}

void CatalogueHandlers::List1_DblClick()
{
    InsertChoice();
}

void CatalogueHandlers::List2_DblClick()
{
    InsertChoice();
}

void CatalogueHandlers::InsertChoice()
{
    using platform::TextInserter;
    QPointer<CatalogueHandlers> self(this);
    forgetInsertNotice();
    if (!m_c.Image1->isHidden() && !m_shownPicture.isNull()) {
        // A picture is pasted: it goes on the clipboard as its copy button puts it.
        const TextInserter::Target target = m_inserter.target();
        Command15_Click();
        if (target != TextInserter::Target::Any) {
            tellCopied(target == TextInserter::Target::TextOnly
                           ? QStringLiteral("the window you came from takes text only")
                           : QString(),
                       true);
            return;
        }
        m_inserter.insert({.text = {}, .paste = true, .stepAside = m_stepAside},
                          [self](const TextInserter::Result& result) {
                              if (self)
                                  self->afterInsert(result, true);
                          });
        return;
    }
    const QString text = m_c.Label1->text();
    if (text.isEmpty())
        return;
    m_inserter.insert({.text = text, .paste = false, .stepAside = m_stepAside},
                      [self](const TextInserter::Result& result) {
                          if (self)
                              self->afterInsert(result, false);
                      });
}

void CatalogueHandlers::afterInsert(const platform::TextInserter::Result& result, bool picture)
{
    using Outcome = platform::TextInserter::Outcome;
    switch (result.outcome) {
    case Outcome::Inserted:
        if (!picture) {
            countPick();
            playClick();
        }
        return;
    case Outcome::Busy:
        return;
    case Outcome::NoTarget:
    case Outcome::NotTypeable:
    case Outcome::Failed: {
        // Nowhere to type, or not all of it could be: the face is copied for the user to
        // paste. (A picture is on the clipboard already.) Said in the window, not in a box:
        // the keyboard may be with the window typed into by now.
        if (!picture)
            Command1_Click();
        QString why = result.message;
        if (why.isEmpty() && result.outcome == Outcome::NotTypeable)
            why = QStringLiteral("your keyboard has no key for a character of it");
        tellCopied(why, picture);
        return;
    }
    }
}

void CatalogueHandlers::tellCopied(const QString& why, bool picture)
{
    const QString reason =
        why.isEmpty() ? QStringLiteral("the window you came from is gone or did not come forward")
                      : why;
    m_insertNotice =
        picture ? QStringLiteral("Not pasted: %1. The picture is on the clipboard.").arg(reason)
                : QStringLiteral("Not typed: %1. The face is on the clipboard.").arg(reason);
    showNotice();
}

void CatalogueHandlers::forgetInsertNotice()
{
    if (m_insertNotice.isEmpty())
        return;
    m_insertNotice.clear();
    showNotice();
}

void CatalogueHandlers::showNotice()
{
    const QString& notice = m_insertNotice.isEmpty() ? m_ownNotice : m_insertNotice;
    const QString& whole = m_insertNotice.isEmpty() ? m_ownReport : m_insertNotice;
    // The line has room for two rows; what does not fit ends in an ellipsis, and the whole
    // is in its tooltip.
    QString shown = notice;
    const QRect room = m_c.lblNotice->contentsRect();
    const QFontMetrics metrics(m_c.lblNotice->font());
    while (!room.isEmpty() && shown.size() > 1 &&
           metrics.boundingRect(room, Qt::TextWordWrap, shown).height() > room.height()) {
        const qsizetype cut = shown.lastIndexOf(u' ', shown.size() - 2);
        shown = (cut > 0 ? shown.first(cut) : QString()) + u'\u2026';
    }
    m_c.lblNotice->setText(shown);
    m_c.lblNotice->setToolTip(whole);
    m_c.lblNotice->setAccessibleDescription(whole);
    m_c.lblNotice->setVisible(!notice.isEmpty());
}

void CatalogueHandlers::setOwnEntries(const QList<catalogue::OwnEntry>& smileys,
                                      const QList<catalogue::OwnEntry>& acronyms)
{
    relist(m_c.List1, m_smileys, catalogue::CatalogueList(catalogue::smileyTable(), smileys));
    relist(m_c.List2, m_acronyms, catalogue::CatalogueList(catalogue::acronymTable(), acronyms));
    rankRows();
}

void CatalogueHandlers::followOwnEntries(const QString& dataFolder)
{
    if (m_own || dataFolder.isEmpty())
        return;
    m_own = new catalogue::OwnCatalogue(dataFolder, this);
    connect(m_own, &catalogue::OwnCatalogue::changed, this,
            [this] { showOwnEntries(Reading::Later); });
    m_own->watch();
    showOwnEntries(Reading::AtStart);
}

void CatalogueHandlers::readSearchSetting()
{
    const bool byWords =
        m_settings.GetSetting(platform::kSettingsApp, platform::kSettingsSection,
                              platform::kSearchSetting) != platform::kSearchByStart;
    if (byWords == m_searchByWords)
        return;
    m_searchByWords = byWords;
    m_choiceText = QString(); // the next keystroke chooses anew
}

void CatalogueHandlers::focusSearch()
{
    m_c.Txt1->setFocus(Qt::ShortcutFocusReason);
    m_c.Txt1->selectAll();
}

void CatalogueHandlers::showOwnEntries(Reading reading)
{
    setOwnEntries(m_own->smileys().entries, m_own->acronyms().entries);
    m_ownReport = catalogue::skippedLinesReport({m_own->smileys(), m_own->acronyms()});
    m_ownNotice =
        catalogue::skippedLinesNotice({m_own->smileys(), m_own->acronyms()}, m_own->folder());
    showNotice();
    if (m_ownReport.isEmpty())
        return;
    // A box takes the keyboard: only the start the user has just made, with the window in
    // front, may open one. A file saved while the user types elsewhere is told quietly.
    if (reading == Reading::AtStart && m_c.List1->window()->isActiveWindow())
        m_messages.MsgBox(m_c.List1->window(), m_ownReport, platform::MsgIcon::Exclamation);
    else
        m_notifications.Notify(QStringLiteral("Glyphora skipped lines of your own faces"),
                               m_ownReport);
}

void CatalogueHandlers::relist(QListWidget* list, catalogue::CatalogueList& listed,
                               catalogue::CatalogueList updated)
{
    const int row = selectedRow(list);
    const int kept = updated.rowOf(listed, row);
    const int builtIn = updated.builtInCount();
    const QSignalBlocker quiet(list);
    // The built-in rows stay; the own ones go, from the end a block at a time, and come back
    // in one step. The list shifts the rows after each one it takes out, so taking them all
    // in one call would shift the rest again for every row: 0.8 s for 100,000 rows.
    constexpr int kRemovedAtOnce = 256;
    for (int end = list->count(); end > builtIn; end -= kRemovedAtOnce) {
        const int from = std::max(builtIn, end - kRemovedAtOnce);
        list->model()->removeRows(from, end - from);
    }
    list->addItems(updated.captions().sliced(builtIn));
    if (kept >= 0)
        list->setCurrentRow(kept);
    else if (row >= 0)
        list->setCurrentIndex(QModelIndex());
    listed = std::move(updated);
}

void CatalogueHandlers::List1_Click()
{
    showListChoice(m_c.List1, m_smileys, kSmileyPointSize);
}

void CatalogueHandlers::List2_Click()
{
    showListChoice(m_c.List2, m_acronyms, kAcronymPointSize);
}

void CatalogueHandlers::showListChoice(const QListWidget* list,
                                       const catalogue::CatalogueList& entries, int pointSize)
{
    showTextDisplay(true);
    setDescriptionColour(forms::kNavy);
    forgetInsertNotice();
    const int row = selectedRow(list);
    const QString text = entries.textAt(row);
    m_c.Label2->setText(row >= 0 ? list->item(row)->text() : QString());
    m_shownText = text;
    m_shownCaption = m_c.Label2->text();
    QFont font = m_c.Label1->font();
    font.setPointSize(pointSize);
    // A text wider than the display, as a user's own face can be, is drawn smaller until it
    // fits: a face cut at both sides is no face. Every built-in text fits as it is.
    const int room = m_c.Label1->contentsRect().width() - 2 * m_c.Label1->margin();
    for (double size = pointSize; room > 0 && size > kSmallestPointSize &&
                                  QFontMetrics(font).horizontalAdvance(text) > room;) {
        size = std::max(
            kSmallestPointSize,
            std::min(size - 0.5, size * room / QFontMetrics(font).horizontalAdvance(text)));
        font.setPointSizeF(size);
    }
    m_c.Label1->setFont(font);
    m_c.Label1->setText(text);
    // The text alone is punctuation; a screen reader also says what it means.
    m_c.Label1->setAccessibleDescription(row >= 0 ? list->item(row)->text()
                                                  : m_idleDisplayDescription);
    playClick();
}

void CatalogueHandlers::Command4_Click()
{
    showPicture(0);
}

void CatalogueHandlers::Command5_Click()
{
    showPicture(1);
}

void CatalogueHandlers::Command6_Click()
{
    showPicture(2);
}

void CatalogueHandlers::Command7_Click()
{
    showPicture(3);
}

void CatalogueHandlers::Command8_Click()
{
    showPicture(4);
}

void CatalogueHandlers::Command9_Click()
{
    showPicture(5);
}

void CatalogueHandlers::Command10_Click()
{
    showPicture(6);
}

void CatalogueHandlers::Command11_Click()
{
    showPicture(7);
}

void CatalogueHandlers::Command12_Click()
{
    showPicture(8);
}

void CatalogueHandlers::Command13_Click()
{
    showPicture(9);
}

void CatalogueHandlers::Command14_Click()
{
    showPicture(10);
}

void CatalogueHandlers::showPicture(int face)
{
    // Label1 keeps the last list choice: "Add Text face" still inserts it.
    showTextDisplay(false);
    forgetInsertNotice();
    const std::size_t index = std::size_t(face);
    if (m_pictures[index].isNull()) {
        m_pictures[index] = catalogue::faceImage(catalogue::faces()[index]);
        m_displayPictures[index] = catalogue::faceDisplayPixmap(catalogue::faces()[index]);
    }
    m_shownPicture = m_pictures[index];
    m_c.Image1->setPixmap(m_displayPictures[index]);
    const QString description = catalogue::faces()[index].description.toString();
    m_c.Image1->setAccessibleDescription(description);
    m_c.Label2->setText(description);
    playClick();
}

void CatalogueHandlers::showTextDisplay(bool text)
{
    m_c.Command1->setVisible(text);
    m_c.Command15->setVisible(!text);
    m_c.Image1->setVisible(!text);
    m_c.Label1->setVisible(text);
}

void CatalogueHandlers::Command1_Click()
{
    m_clipboard.Clear();
    m_clipboard.SetText(m_c.Label1->text());
    countPick();
    if (m_c.Check1->isChecked())
        playClick();
    setDescriptionColour(kDarkRed);
}

void CatalogueHandlers::Command15_Click()
{
    // Without a picture there is nothing to copy: leave the user's clipboard as it is.
    if (m_shownPicture.isNull())
        return;
    m_clipboard.Clear();
    m_clipboard.SetImage(m_shownPicture);
    setDescriptionColour(kDarkRed);
    playClick();
}

void CatalogueHandlers::Sendtxtcmd_Click()
{
    Command1_Click();
    // Paste as the box's own paste would, but through the clipboard service. An empty text
    // inserts nothing and must not wipe out a selection either.
    const QString text = m_clipboard.GetText();
    if (!text.isEmpty() && !m_c.Message_Text->isReadOnly())
        m_c.Message_Text->insertPlainText(text);
    m_c.Message_Text->setFocus();
    playClick();
}

void CatalogueHandlers::Txt1_Change()
{
    // Both lists on every change, smileys first: the acronym's handler, when it runs, has the
    // last word on the display. A favourite smiley goes last instead, to be the one shown.
    if (choice().acronymFirst) {
        listsearch2();
        listsearch();
        // The favourite was chosen already, so choosing it again changed nothing: it is
        // shown again, over the acronym.
        if (m_c.Label2->text() != m_c.List1->currentItem()->text())
            List1_Click();
        return;
    }
    listsearch();
    listsearch2();
}

const catalogue::SearchChoice& CatalogueHandlers::choice()
{
    const QString text = m_c.Txt1->text();
    if (text != m_choiceText || m_choiceText.isNull()) {
        m_choice = catalogue::searchChoice(m_smileys.captions(), m_acronyms.captions(), text,
                                           m_searchByWords, m_smileyRanks, m_acronymRanks);
        m_choiceText = text.isNull() ? QStringLiteral("") : text;
    }
    return m_choice;
}

void CatalogueHandlers::listsearch()
{
    searchList(m_c.List1, choice().smiley);
}

void CatalogueHandlers::listsearch2()
{
    searchList(m_c.List2, choice().acronym);
}

void CatalogueHandlers::countPick()
{
    if (m_shownText.isEmpty() || m_shownText != m_c.Label1->text())
        return;
    m_favourites.pick(m_shownText, m_shownCaption, QDateTime::currentSecsSinceEpoch());
    rankRows();
    try {
        m_settings.SaveSetting(platform::kSettingsApp, platform::kSettingsSection,
                               platform::kFavouritesSetting, m_favourites.toSetting());
    } catch (const std::exception&) {
        // The favourites order the search while the window runs; where they cannot be kept
        // (no settings folder, a damaged file), the next start begins without them. The
        // user is told of a settings file that cannot be written where a choice of theirs is
        // at stake ("Play sounds"), not at every copy.
    }
}

void CatalogueHandlers::rankRows()
{
    m_smileyRanks = m_favourites.ranks(m_smileys);
    m_acronymRanks = m_favourites.ranks(m_acronyms);
    m_choiceText = QString(); // the choice is made anew
}

void CatalogueHandlers::searchList(QListWidget* list, std::optional<int> row)
{
    if (!row)
        return;
    list->setCurrentRow(*row);
    if (QListWidgetItem* item = list->item(*row))
        list->scrollToItem(item);
}

void CatalogueHandlers::Command3_Click()
{
    m_c.Txt1->setText(QString());
    playClick();
}

void CatalogueHandlers::setDescriptionColour(const QColor& colour)
{
    forms::setForeColor(m_c.Label2, colour);
}

void CatalogueHandlers::playClick()
{
    m_sound.PlayResSound(platform::kClickSound, platform::kClickSoundType);
}
