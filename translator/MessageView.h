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
class MessageDisplay : public QObject
{
    Q_OBJECT
public:
    explicit MessageDisplay(QPlainTextEdit* box);

    /// @return the display that the box shows its messages with, or null
    static MessageDisplay* of(const QPlainTextEdit* box);

    void setMessage(const QString& message);
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
    /// @return whether the last message shown was cut, whether or not the user has since
    ///         deleted its cuts
    bool hasCuts() const { return !m_cuts.empty(); }

private:
    void estimateLines(const QList<int>& lineCounts);

    QPlainTextEdit* m_box;
    /// Each selects one cut, its anchor before it; a cut the user deleted leaves a cursor
    /// whose anchor never comes before its position again.
    std::vector<QTextCursor> m_cuts;
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
};

} // namespace translator
