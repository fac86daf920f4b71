#include "catalogue/OwnEntries.h"

#include "platform/Files.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>
#include <cstdlib>

namespace catalogue {

namespace {

constexpr QByteArrayView kUtf8Bom("\xEF\xBB\xBF", 3);
/// How long a burst of changes must be quiet before the files are read: an editor's save
/// is several steps, and a half-written file would name lines that are not bad.
constexpr int kSettleMs = 150;

/// @return the characters of text, a surrogate pair counting once
qsizetype characterCount(QStringView text)
{
    qsizetype count = text.size();
    for (QChar c : text)
        count -= c.isLowSurrogate();
    return count;
}

/// @return why a field cannot be an entry's text or caption, or nothing when it can
QString fieldProblem(QStringView field, const char* name)
{
    if (field.isEmpty())
        return QStringLiteral("the %1 is empty").arg(QLatin1StringView(name));
    if (characterCount(field) > kLongestOwnField)
        return QStringLiteral("the %1 is longer than %2 characters")
            .arg(QLatin1StringView(name))
            .arg(kLongestOwnField);
    for (QChar c : field) {
        // A lone CR or another control would break the line the list and the command
        // line show the entry on.
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return QStringLiteral("the %1 holds a control character").arg(QLatin1StringView(name));
    }
    return {};
}

} // namespace

OwnEntries parseOwnEntries(QByteArrayView bytes, const QString& fileName)
{
    OwnEntries result;
    if (bytes.startsWith(kUtf8Bom))
        bytes = bytes.sliced(kUtf8Bom.size());
    // Line ends, TABs and the comment mark are ASCII, which UTF-8 never uses inside a
    // character: the bytes are split as they are and only the two fields decoded, so a
    // large file is not held a second time as text.
    // A U+FEFF that begins a field is the user's character: only the file's first is a mark.
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                    QStringDecoder::Flag::ConvertInitialBom);
    int number = 0;
    for (qsizetype pos = 0; pos < bytes.size();) {
        qsizetype end = bytes.indexOf('\n', pos);
        if (end < 0)
            end = bytes.size();
        QByteArrayView line = bytes.sliced(pos, end - pos);
        pos = end + 1;
        ++number;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line.front() == '#')
            continue;
        const auto skip = [&](const QString& why) {
            if (result.problems.size() == kMostNamedProblems) {
                ++result.unnamed;
                return;
            }
            result.problems.append(
                QStringLiteral("%1, line %2: %3.").arg(fileName, QString::number(number), why));
        };
        if (result.entries.size() == kMostOwnEntries) {
            skip(QStringLiteral("more than %1 entries; this line and those after it are not "
                                "read")
                     .arg(kMostOwnEntries));
            break;
        }
        if (!line.isValidUtf8()) {
            skip(QStringLiteral("not valid UTF-8"));
            continue;
        }
        const qsizetype tab = line.indexOf('\t');
        if (tab < 0) {
            skip(QStringLiteral("no TAB between the text and its caption"));
            continue;
        }
        if (line.indexOf('\t', tab + 1) >= 0) {
            skip(QStringLiteral("more than one TAB"));
            continue;
        }
        OwnEntry entry{decode(line.first(tab)), decode(line.sliced(tab + 1))};
        QString why = fieldProblem(entry.text, "text");
        if (why.isEmpty())
            why = fieldProblem(entry.caption, "caption");
        if (!why.isEmpty()) {
            skip(why);
            continue;
        }
        result.entries.append(std::move(entry));
    }
    return result;
}

OwnEntries readOwnEntries(const QString& path)
{
    // A link that leads nowhere is there, and cannot be read.
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return {};
    const platform::FileContent file = platform::ReadWholeFile(path, kMaxOwnFileBytes);
    if (!file.ok) {
        OwnEntries unread;
        unread.problems.append(QStringLiteral("Cannot read %1: %2").arg(path, file.error));
        return unread;
    }
    return parseOwnEntries(file.bytes, path);
}

QString skippedLinesReport(std::initializer_list<OwnEntries> readings)
{
    constexpr qsizetype kShown = 10;
    QStringList shown;
    qsizetype more = 0;
    for (const OwnEntries& reading : readings) {
        const qsizetype room = std::min(kShown - shown.size(), reading.problems.size());
        shown += reading.problems.first(room);
        more += reading.problems.size() - room + reading.unnamed;
    }
    if (shown.isEmpty())
        return {};
    QString text = QStringLiteral("Some lines of your own faces and acronyms were skipped:\n\n") +
                   shown.join(u'\n');
    if (more > 0)
        text += QStringLiteral("\n... and %1 more.").arg(more);
    return text;
}

QString skippedLinesNotice(std::initializer_list<OwnEntries> readings, const QString& folder)
{
    QString first;
    qsizetype count = 0;
    for (const OwnEntries& reading : readings) {
        if (first.isEmpty() && !reading.problems.isEmpty())
            first = reading.problems.constFirst();
        count += reading.problems.size() + reading.unnamed;
    }
    if (first.isEmpty())
        return {};
    // The window's line is short, and the folder is always the same one: the file's name
    // says enough. The files were named as the folder joins them.
    const QString inFolder = QDir(folder).filePath(QStringLiteral("x")).chopped(1);
    first.replace(inFolder, QString());
    QString notice = QStringLiteral("Lines skipped: ") + first;
    if (count > 1)
        notice += QStringLiteral(" And %1 more.").arg(count - 1);
    return notice;
}

CatalogueList::CatalogueList(std::span<const CatalogueEntry> builtIn, const QList<OwnEntry>& own)
{
    m_builtIn = int(builtIn.size());
    m_captions.reserve(qsizetype(builtIn.size()) + own.size());
    m_texts.reserve(m_captions.capacity());
    for (const CatalogueEntry& entry : builtIn) {
        m_captions.append(entry.caption.toString());
        m_texts.append(entry.text.toString());
    }
    for (const OwnEntry& entry : own) {
        m_captions.append(entry.caption);
        m_texts.append(entry.text);
    }
}

QString CatalogueList::textAt(int row) const
{
    return row >= 0 && row < m_texts.size() ? m_texts[row] : QString();
}

int CatalogueList::rowOf(const CatalogueList& before, int row) const
{
    if (row < 0 || row >= before.size())
        return -1;
    if (row < before.builtInCount())
        return row < m_builtIn ? row : -1;
    int nearest = -1;
    for (int candidate = m_builtIn; candidate < size(); ++candidate) {
        if (m_captions[candidate] == before.m_captions[row] &&
            m_texts[candidate] == before.m_texts[row] &&
            (nearest < 0 || std::abs(candidate - row) < std::abs(nearest - row)))
            nearest = candidate;
    }
    return nearest;
}

OwnCatalogue::OwnCatalogue(const QString& dataFolder, QObject* parent)
    : QObject(parent), m_folder(dataFolder)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, [this] {
        followFiles();
        if (reload())
            emit changed();
    });
    reload();
}

void OwnCatalogue::watch()
{
    if (m_folder.isEmpty() || m_watcher)
        return;
    m_watcher = new QFileSystemWatcher(this);
    const auto settle = [this] { m_settle.start(); };
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, settle);
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, settle);
    followFiles();
}

void OwnCatalogue::followFiles()
{
    if (!m_watcher)
        return;
    // The folder tells of files created, removed and renamed over; a file itself of writes
    // in place. A file replaced is a new file, to be followed anew.
    QStringList paths{m_folder};
    for (QLatin1StringView name : {kOwnSmileysFileName, kOwnAcronymsFileName})
        paths.append(QDir(m_folder).filePath(name));
    for (const QString& path : paths) {
        if (QFileInfo::exists(path) && !m_watcher->files().contains(path) &&
            !m_watcher->directories().contains(path))
            m_watcher->addPath(path);
    }
}

bool OwnCatalogue::reload()
{
    if (m_folder.isEmpty())
        return false;
    OwnEntries smileys = readOwnEntries(QDir(m_folder).filePath(kOwnSmileysFileName));
    OwnEntries acronyms = readOwnEntries(QDir(m_folder).filePath(kOwnAcronymsFileName));
    if (smileys == m_smileys && acronyms == m_acronyms)
        return false;
    m_smileys = std::move(smileys);
    m_acronyms = std::move(acronyms);
    return true;
}

} // namespace catalogue
