#include "translator/MessageView.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>

namespace translator {

namespace {

/// The characters the box starts a new block at.
bool isLineEnd(char16_t c)
{
    if (c <= u'\r')
        return c == u'\n' || c == u'\r';
    return c >= QChar::ParagraphSeparator &&
           (c == QChar::ParagraphSeparator || c == 0xFDD0 || c == 0xFDD1);
}

/// @return the last boundary between user-perceived characters at or before at, and after
///         from; at itself where a long cluster of marks leaves none nearby
qsizetype boundaryBefore(const QString& text, qsizetype from, qsizetype at, qsizetype end)
{
    const qsizetype low = std::max(from, at - 64);
    const qsizetype high = std::min(end, at + 64);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.constData() + low, high - low);
    finder.setPosition(at - low);
    if (!finder.isAtBoundary())
        finder.toPreviousBoundary();
    const qsizetype found = low + std::max<qsizetype>(finder.position(), 0);
    return found > low ? found : at;
}

/// The block being filled.
struct Block
{
    qsizetype start = 0; ///< where it starts in the text shown
    int lines = 1;       ///< the lines it holds
};

/// Ends the block being filled with a block separator.
void endBlock(DisplayText& shown, Block& block)
{
    shown.text += QChar::ParagraphSeparator;
    shown.lineCounts.append(block.lines);
    block = {shown.text.size(), 1};
}

/// Appends the line text[from, to) to shown, cut into blocks where it is too long: before
/// a word once the block is full, and inside a word too long for any line.
void appendLine(DisplayText& shown, const QString& text, qsizetype from, qsizetype to, Block& block)
{
    const QChar* chars = text.constData();
    if (to - from <= kLongestWord) {
        shown.text.append(chars + from, to - from);
        return;
    }
    qsizetype piece = from; // the first character not yet appended
    const auto cutAt = [&](qsizetype at) {
        at = boundaryBefore(text, piece, at, to);
        shown.text.append(chars + piece, at - piece);
        shown.cuts.append(shown.text.size());
        endBlock(shown, block);
        piece = at;
    };
    // The block's length up to position i.
    const auto blockLength = [&](qsizetype i) {
        return shown.text.size() - block.start + i - piece;
    };
    for (qsizetype i = from; i < to;) {
        while (i < to && chars[i].isSpace())
            ++i;
        while (blockLength(i) > kLongestBlock) // a long run of spaces
            cutAt(i - (blockLength(i) - kLongestBlock));
        const qsizetype word = i;
        while (i < to && !chars[i].isSpace())
            ++i;
        if (word > piece && blockLength(i) > kLongestBlock)
            cutAt(word);
        while (i - std::max(word, piece) > kLongestWord)
            cutAt(std::max(word, piece) + kLongestWord);
    }
    shown.text.append(chars + piece, to - piece);
}

bool isIntact(const QTextCursor& cut)
{
    // Text inserted where a deleted cut was moves the anchor past the position, as it would
    // move the anchor of the cut itself: a line end typed there must not pass for the cut.
    return cut.anchor() + 1 == cut.position() &&
           cut.document()->characterAt(cut.anchor()) == QChar::ParagraphSeparator;
}

} // namespace

DisplayText displayText(const QString& message)
{
    const qsizetype size = message.size();
    const auto* chars = reinterpret_cast<const char16_t*>(message.constData());
    const bool group = QStringView(message).count(u'\n') > kGroupedLines;
    DisplayText shown;
    if (!group) {
        qsizetype lineStart = 0;
        qsizetype longest = 0;
        for (qsizetype i = 0; i < size; ++i) {
            if (isLineEnd(chars[i])) {
                longest = std::max(longest, i - lineStart);
                lineStart = i + 1;
            }
        }
        if (std::max(longest, size - lineStart) <= kLongestWord) {
            shown.text = message;
            return shown;
        }
    }
    shown.text.reserve(size + size / kLongestWord + 1);
    Block block;
    qsizetype lineStart = 0;
    for (;;) {
        qsizetype lineEnd = lineStart;
        while (lineEnd < size && !isLineEnd(chars[lineEnd]))
            ++lineEnd;
        appendLine(shown, message, lineStart, lineEnd, block);
        if (lineEnd == size) {
            shown.lineCounts.append(block.lines);
            break;
        }
        lineStart = lineEnd + 1;
        // The box reads a CR LF pair as one line end; one separator keeps its positions and
        // those of shown.text the same.
        if (chars[lineEnd] == u'\r' && lineStart < size && chars[lineStart] == u'\n')
            ++lineStart;
        if (group && shown.text.size() - block.start < kGroupLength) {
            shown.text += QChar::LineSeparator;
            ++block.lines;
        } else {
            endBlock(shown, block);
        }
    }
    return shown;
}

MessageDisplay::MessageDisplay(QPlainTextEdit* box) : QObject(box), m_box(box)
{
    watchDocument();
}

MessageDisplay* MessageDisplay::of(const QPlainTextEdit* box)
{
    return box ? box->findChild<MessageDisplay*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void MessageDisplay::watchDocument()
{
    connect(m_box->document(), &QTextDocument::contentsChange, this, &MessageDisplay::noteChange);
}

void MessageDisplay::setMessage(const QString& message)
{
    // Every edit visits every cursor of the document, and a document keeps room for as many
    // cursors as it ever had: after a message with cuts the box starts a new one.
    if (m_hadCuts) {
        m_cuts.clear();
        m_hadCuts = false;
        const QFont font = m_box->document()->defaultFont();
        m_box->setDocument(nullptr);
        m_box->document()->setDefaultFont(font);
        m_box->document()->documentLayout()->setPaintDevice(m_box->viewport());
        watchDocument();
    }
    m_changedFrom = m_changedTo = -1;
    DisplayText shown = displayText(message);
    const QScopedValueRollback editing(m_editing, true);
    m_box->setPlainText(shown.text);
    shown.text = QString();
    trackCuts(0, shown.cuts);
    m_box->document()->setUndoRedoEnabled(m_cuts.empty());
    if (!shown.lineCounts.isEmpty())
        estimateLines(m_box->document()->begin(), shown.lineCounts);
}

void MessageDisplay::insert(QTextCursor& cursor, const QString& text)
{
    const DisplayText shown = displayText(text);
    QTextDocument* document = m_box->document();
    // Undo is off once there are cuts, and then it need not keep a copy of the text either.
    if (!shown.cuts.isEmpty())
        document->setUndoRedoEnabled(false);
    const int start = cursor.selectionStart();
    {
        const QScopedValueRollback editing(m_editing, true);
        cursor.beginEditBlock();
        cursor.insertText(shown.text);
        trackCuts(start, shown.cuts);
        cursor.endEditBlock();
    }
    if (!shown.lineCounts.isEmpty())
        estimateLines(document->findBlock(start), shown.lineCounts);
    // The text's first and last blocks hold what stood before and after it as well.
    cutLongBlocks(start, start);
    cutLongBlocks(cursor.position(), cursor.position());
}

void MessageDisplay::noteChange(int from, int removed, int added)
{
    if (m_editing)
        return;
    if (m_changedFrom < 0) {
        m_changedFrom = from;
        m_changedTo = from + added;
        // Cut when the edit is over: the document is in the midst of it now.
        QMetaObject::invokeMethod(this, &MessageDisplay::boundChanges, Qt::QueuedConnection);
        return;
    }
    // The changes noted before move with the text this one moved.
    const auto moved = [&](int at) {
        return at >= from + removed ? at + added - removed : std::min(at, from);
    };
    m_changedFrom = std::min(moved(m_changedFrom), from);
    m_changedTo = std::max(moved(m_changedTo), from + added);
}

void MessageDisplay::boundChanges()
{
    if (m_changedFrom < 0)
        return;
    const int from = m_changedFrom;
    const int to = m_changedTo;
    m_changedFrom = m_changedTo = -1;
    cutLongBlocks(from, to);
}

void MessageDisplay::cutLongBlocks(int from, int to)
{
    QTextDocument* document = m_box->document();
    to = std::min(to, document->characterCount() - 1);
    // The blocks too long, with the cuts each needs.
    QList<std::pair<int, QList<qsizetype>>> blocks;
    for (QTextBlock block = document->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        if (block.length() - 1 > kLongestWord) {
            const QList<qsizetype> cuts = displayText(block.text()).cuts;
            if (!cuts.isEmpty())
                blocks.append({block.position(), cuts});
        }
    }
    if (blocks.isEmpty())
        return;
    document->setUndoRedoEnabled(false);
    const QScopedValueRollback editing(m_editing, true);
    QTextCursor edit(document);
    edit.beginEditBlock();
    // From the last block back, so that the positions of the blocks before stay as they are.
    for (auto block = blocks.crbegin(); block != blocks.crend(); ++block) {
        for (const qsizetype at : block->second) {
            edit.setPosition(block->first + int(at));
            edit.insertText(QString(QChar::ParagraphSeparator));
        }
        trackCuts(block->first, block->second);
    }
    edit.endEditBlock();
}

void MessageDisplay::trackCuts(int start, const QList<qsizetype>& cuts)
{
    if (cuts.isEmpty())
        return;
    m_hadCuts = true;
    // The cursors stay in the order of their positions, the new ones among the cuts still
    // there; the cursors of deleted cuts go first, since a new cut may come where one was.
    std::erase_if(m_cuts, [](const QTextCursor& cut) { return !isIntact(cut); });
    const auto at = std::lower_bound(
        m_cuts.begin(), m_cuts.end(), start,
        [](const QTextCursor& cut, int position) { return cut.anchor() < position; });
    std::vector<QTextCursor> added;
    added.reserve(std::size_t(cuts.size()));
    // Inside an edit block a cursor that moves leaves its block unlaid; outside, each would
    // lay out the block it lands in, and so the whole message.
    QTextDocument* document = m_box->document();
    QTextCursor edit(document);
    edit.beginEditBlock();
    for (const qsizetype cutAt : cuts) {
        QTextCursor cut(document);
        cut.setPosition(start + int(cutAt));
        cut.setPosition(start + int(cutAt) + 1, QTextCursor::KeepAnchor);
        // Text typed at either side of the cut stays out of its selection.
        cut.setKeepPositionOnInsert(true);
        added.push_back(cut);
    }
    edit.endEditBlock();
    m_cuts.insert(at, added.begin(), added.end());
}

void MessageDisplay::estimateLines(QTextBlock block, const QList<int>& lineCounts)
{
    // Until the box lays out a block it counts it as one line, and it sizes the scroll bar
    // by the count of lines: a block of a cut line or of a group holds many more.
    QTextDocument* document = m_box->document();
    const qreal width = m_box->viewport()->width() - 2 * document->documentMargin();
    const qreal advance = QFontMetricsF(document->defaultFont()).averageCharWidth();
    const bool wraps = m_box->lineWrapMode() != QPlainTextEdit::NoWrap && width > advance;
    for (const int lines : lineCounts) {
        if (!block.isValid())
            break;
        const int wrapped = wraps ? int(block.length() * advance / width) : 0;
        if (block.layout()->lineCount() == 0)
            block.setLineCount(std::max(lines, wrapped));
        block = block.next();
    }
    QAbstractTextDocumentLayout* layout = document->documentLayout();
    emit layout->documentSizeChanged(layout->documentSize());
}

QString MessageDisplay::message(int from, int to) const
{
    // The raw text keeps no-break spaces, which toPlainText() would turn into spaces;
    // paragraph and line separators are the box's line breaks.
    QString text = m_box->document()->toRawText();
    if (to < 0 || to > text.size())
        to = int(text.size());
    from = std::clamp(from, 0, to);
    if (from > 0 || to < text.size())
        text = text.mid(from, to - from);
    const QList<int> skip = cuts();
    auto next = std::lower_bound(skip.begin(), skip.end(), from);
    qsizetype write = 0;
    QChar* chars = text.data();
    for (qsizetype read = 0; read < text.size(); ++read) {
        if (next != skip.end() && *next == from + read) {
            ++next;
            continue;
        }
        const QChar c = chars[read];
        chars[write++] =
            c == QChar::ParagraphSeparator || c == QChar::LineSeparator ? QChar(u'\n') : c;
    }
    text.truncate(write);
    return text;
}

bool MessageDisplay::isCut(int position) const
{
    auto it = std::lower_bound(m_cuts.begin(), m_cuts.end(), position,
                               [](const QTextCursor& cut, int at) { return cut.anchor() < at; });
    for (; it != m_cuts.end() && it->anchor() == position; ++it) {
        if (isIntact(*it))
            return true;
    }
    return false;
}

QList<int> MessageDisplay::cuts() const
{
    QList<int> positions;
    for (const QTextCursor& cut : m_cuts) {
        if (isIntact(cut))
            positions.append(cut.selectionStart());
    }
    return positions;
}

void MessageEdit::keyPressEvent(QKeyEvent* event)
{
    // Backspace and Delete beside a cut remove the character beyond it, as they would at
    // the end of a wrapped line.
    const MessageDisplay* display = MessageDisplay::of(this);
    QTextCursor cursor = textCursor();
    if (display && !cursor.hasSelection() && !isReadOnly()) {
        const int position = cursor.position();
        int from = -1;
        if (event->key() == Qt::Key_Backspace && position > 0 && display->isCut(position - 1))
            from = position - 1;
        else if (event->matches(QKeySequence::Delete) && display->isCut(position))
            from = position + 1;
        if (from >= 0) {
            cursor.setPosition(from);
            setTextCursor(cursor);
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

void MessageEdit::insertFromMimeData(const QMimeData* source)
{
    MessageDisplay* display = MessageDisplay::of(this);
    const QString text = source ? source->text() : QString();
    if (!display || text.isNull() || !(textInteractionFlags() & Qt::TextEditable)) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    QTextCursor cursor = textCursor();
    display->insert(cursor, text);
    setTextCursor(cursor);
    ensureCursorVisible();
}

QMimeData* MessageEdit::createMimeDataFromSelection() const
{
    const MessageDisplay* display = MessageDisplay::of(this);
    if (!display || !display->hasCuts())
        return QPlainTextEdit::createMimeDataFromSelection();
    // The message's characters, as the box copies plain text: no-break spaces as spaces.
    const QTextCursor cursor = textCursor();
    auto* data = new QMimeData;
    data->setText(display->message(cursor.selectionStart(), cursor.selectionEnd())
                      .replace(QChar::Nbsp, u' '));
    return data;
}

} // namespace translator
