#pragma once

// The message box's display of long messages. Qt lays out a whole block (one line of the
// message) at once, and wraps a word too long for a line at a cost that grows with the
// square of the word; one long line therefore froze the window. The box instead holds a
// long line as several blocks of bounded length, and many short lines grouped into blocks
// of several lines. The text read back, saved and translated is the message's own.

#include <QList>
#include <QObject>
#include <QPlainTextEdit>
#include <QString>
#include <QTextBlock>
#include <QTextCursor>
#include <vector>

namespace translator {

/// A message as the box holds it.
struct DisplayText
{
    /// The message's characters, in blocks of bounded length; within a group of lines a
    /// line separator stands for the line end.
    QString text;
    /// Indexes in text of the block separators that the message does not have, ascending.
    QList<qsizetype> cuts;
    /// The lines of each block, one for a block of one line; empty when text is the
    /// message itself.
    QList<int> lineCounts;
};

/// Longest run of characters without a space that the box lays out in one block.
inline constexpr qsizetype kLongestWord = 4096;
/// Longest line the box lays out in one block; a longer one is cut before a word.
inline constexpr qsizetype kLongestBlock = 16384;
/// A message of more lines than this has them grouped, several to a block.
inline constexpr qsizetype kGroupedLines = 4096;
/// A group of lines ends once it holds this many characters.
inline constexpr qsizetype kGroupLength = 4096;

/// @return the message as the box holds it; the message itself, shared, when it has no
///         line too long and not so many lines
DisplayText displayText(const QString& message);

/// Shows messages in a QPlainTextEdit as displayText() has them, and reads them back.
/// The box's blocks cut from one line are tracked as the user edits; the box's own undo is
/// off while there are any, since undoing a deletion would bring a cut back as a line end.
/// Text that enters the box by other ways is held in blocks of bounded length as well:
/// insert() cuts what it inserts, and a block that an edit made too long is cut once the
/// edit is over.
class MessageDisplay : public QObject
{
    Q_OBJECT
public:
    explicit MessageDisplay(QPlainTextEdit* box);

    /// @return the display that the box shows its messages with, or null
    static MessageDisplay* of(const QPlainTextEdit* box);

    void setMessage(const QString& message);
    /// Puts text in place of the cursor's selection and leaves the cursor after it, as the
    /// box's own paste does; a line it makes too long, or many lines it brings, go in cut
    /// and grouped as setMessage() shows them.
    void insert(QTextCursor& cursor, const QString& text);
    /// @return the box's text with line ends for its block and line separators, less the
    ///         cuts
    QString message() const { return message(0, -1); }
    /// @return the characters of message() from the box position from to the position to (-1:
    ///         the end)
    QString message(int from, int to) const;
    /// @return whether the character at the box position is a cut of one line into blocks
    bool isCut(int position) const;
    /// @return the positions of the cuts in the box, ascending
    QList<int> cuts() const;
    /// @return whether the box has been given cuts since the last message was set, whether
    ///         or not the user has since deleted them
    bool hasCuts() const { return m_hadCuts; }

private:
    void watchDocument();
    /// Notes a change that did not come from this display, to bound it once it is over.
    void noteChange(int from, int removed, int added);
    /// Cuts the blocks of the changes noted that have grown too long.
    void boundChanges();
    /// Cuts the blocks from the one at the position from to the one at to that are too long.
    void cutLongBlocks(int from, int to);
    /// Tracks the cuts of a text displayText() made, now in the box from the position start.
    void trackCuts(int start, const QList<qsizetype>& cuts);
    void estimateLines(QTextBlock block, const QList<int>& lineCounts);

    QPlainTextEdit* m_box;
    /// Each selects one cut, its anchor before it; a cut the user deleted leaves a cursor
    /// whose anchor never comes before its position again.
    std::vector<QTextCursor> m_cuts;
    bool m_hadCuts = false;
    /// Set while this display edits the box, whose changes need no bounding.
    bool m_editing = false;
    /// The range of the changes noted, or -1 when there are none.
    int m_changedFrom = -1;
    int m_changedTo = -1;
};

/// The message box: a QPlainTextEdit whose keys and copies pass over the cuts of a long line
/// as they pass over a line's wrapping.
class MessageEdit : public QPlainTextEdit
{
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    /// Pastes and drops go in through MessageDisplay::insert().
    void insertFromMimeData(const QMimeData* source) override;
};

} // namespace translator
