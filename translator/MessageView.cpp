#include "translator/MessageView.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMimeData>
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

MessageDisplay::MessageDisplay(QPlainTextEdit* box) : QObject(box), m_box(box) {}

MessageDisplay* MessageDisplay::of(const QPlainTextEdit* box)
{
    return box ? box->findChild<MessageDisplay*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void MessageDisplay::setMessage(const QString& message)
{
    // Every edit visits every cursor of the document, and a document keeps room for as many
    // cursors as it ever had: after a message with cuts the box starts a new one.
    if (!m_cuts.empty()) {
        m_cuts.clear();
        const QFont font = m_box->document()->defaultFont();
        m_box->setDocument(nullptr);
        m_box->document()->setDefaultFont(font);
        m_box->document()->documentLayout()->setPaintDevice(m_box->viewport());
    }
    DisplayText shown = displayText(message);
    m_box->setPlainText(shown.text);
    shown.text = QString();
    QTextDocument* document = m_box->document();
    m_cuts.reserve(std::size_t(shown.cuts.size()));
    // Inside an edit block a cursor that moves leaves its block unlaid; outside, each would
    // lay out the block it lands in, and so the whole message.
    QTextCursor edit(document);
    edit.beginEditBlock();
    for (const qsizetype at : std::as_const(shown.cuts)) {
        QTextCursor cut(document);
        cut.setPosition(int(at));
        cut.setPosition(int(at) + 1, QTextCursor::KeepAnchor);
        // Text typed at either side of the cut stays out of its selection.
        cut.setKeepPositionOnInsert(true);
        m_cuts.push_back(cut);
    }
    edit.endEditBlock();
    document->setUndoRedoEnabled(m_cuts.empty());
    if (!shown.lineCounts.isEmpty())
        estimateLines(shown.lineCounts);
}

void MessageDisplay::estimateLines(const QList<int>& lineCounts)
{
    // Until the box lays out a block it counts it as one line, and it sizes the scroll bar
    // by the count of lines: a block of a cut line or of a group holds many more.
    QTextDocument* document = m_box->document();
    const qreal width = m_box->viewport()->width() - 2 * document->documentMargin();
    const qreal advance = QFontMetricsF(document->defaultFont()).averageCharWidth();
    const bool wraps = m_box->lineWrapMode() != QPlainTextEdit::NoWrap && width > advance;
    QTextBlock block = document->begin();
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
    auto it =
        std::lower_bound(m_cuts.begin(), m_cuts.end(), position,
                         [](const QTextCursor& cut, int at) { return cut.selectionStart() < at; });
    for (; it != m_cuts.end() && it->selectionStart() == position; ++it) {
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
