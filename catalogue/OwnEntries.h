#pragma once

// The user's own faces and acronyms: smileys.txt and acronyms.txt in the data folder, beside
// the dictionary file. One entry a line, the text, a TAB and the caption (the form
// `glyphora smiley` prints), so a printed line appended to the file is an entry. The files
// are the user's: the program only reads them. Their rows follow the built-in ones in the
// lists and behave like them everywhere.

#include "catalogue/CatalogueTables.h"

#include <QByteArrayView>
#include <QFileSystemWatcher>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <initializer_list>
#include <span>

namespace catalogue {

inline constexpr QLatin1StringView kOwnSmileysFileName("smileys.txt");
inline constexpr QLatin1StringView kOwnAcronymsFileName("acronyms.txt");
/// The longest text or caption a line may hold, in characters.
inline constexpr qsizetype kLongestOwnField = 255;
/// The largest file read: a hundred thousand long lines, far beyond any list one scrolls.
inline constexpr qint64 kMaxOwnFileBytes = qint64(16) << 20;
/// The most entries a file gives. Short lines fill the largest file with millions, which
/// would hold the window for seconds and take gigabytes at every change.
inline constexpr qsizetype kMostOwnEntries = 100000;
/// The most skipped lines a file names; those past it are counted only, so a file that is
/// not one of entries at all is not turned into millions of sentences.
inline constexpr qsizetype kMostNamedProblems = 1000;

struct OwnEntry
{
    QString text;
    QString caption;

    friend bool operator==(const OwnEntry&, const OwnEntry&) = default;
};
} // namespace catalogue
// Moved as bytes: a long file's list grows in place rather than by copies.
Q_DECLARE_TYPEINFO(catalogue::OwnEntry, Q_RELOCATABLE_TYPE);
namespace catalogue {

struct OwnEntries
{
    QList<OwnEntry> entries; ///< the good lines, in file order
    QStringList problems;    ///< one sentence per line skipped, or why the file was not read
    qsizetype unnamed = 0;   ///< lines skipped past kMostNamedProblems, not named

    friend bool operator==(const OwnEntries&, const OwnEntries&) = default;
};

/// Reads the lines of an own-entries file. UTF-8, LF or CR LF, a leading byte order mark
/// skipped; empty lines and lines that begin with '#' are skipped. A bad line is skipped
/// and named: its file, its number and why. Past kMostOwnEntries entries the rest of the
/// file is not read, and that is named as well.
/// @param bytes the file's content
/// @param fileName the file as the problems name it
/// @return the good lines and a problem for each bad one
OwnEntries parseOwnEntries(QByteArrayView bytes, const QString& fileName);

/// Reads an own-entries file: a regular file only, no larger than kMaxOwnFileBytes. A file
/// that does not exist holds no entries and is no problem.
/// @param path the file
/// @return its entries, or one problem that says why it could not be read
OwnEntries readOwnEntries(const QString& path);

/// What a window says of the lines its readings skipped: the first ten named, and how many
/// more there are.
/// @param readings the files read, in the order they are named
/// @return the text, or empty where no line was skipped
QString skippedLinesReport(std::initializer_list<OwnEntries> readings);

/// The same in one sentence, for a line of the window: the first skipped line, its file named
/// without the folder, and how many more there are.
/// @param folder the folder of the readings' files
/// @return the sentence, or empty where no line was skipped
QString skippedLinesNotice(std::initializer_list<OwnEntries> readings, const QString& folder);

/// A list as the window shows it: the built-in rows, then the user's own.
class CatalogueList
{
public:
    explicit CatalogueList(std::span<const CatalogueEntry> builtIn,
                           const QList<OwnEntry>& own = {});

    /// @return the captions in list order (index = list row)
    const QStringList& captions() const { return m_captions; }
    /// @return the row's text, or an empty string for a row outside the list (-1 included)
    QString textAt(int row) const;
    int size() const { return int(m_captions.size()); }
    /// @return how many of the rows are built in: the first ones
    int builtInCount() const { return m_builtIn; }
    /// Where a row of an earlier list stands in this one: a built-in row where it was, an
    /// own row at the same entry, the one nearest its old place where the file now has it
    /// twice.
    /// @param before the earlier list
    /// @param row a row of it; -1 is allowed
    /// @return the row here, or -1 where the entry is gone
    int rowOf(const CatalogueList& before, int row) const;

private:
    QStringList m_captions;
    QStringList m_texts;
    int m_builtIn = 0;
};

/// The two files of a data folder, read now and again whenever they are created, changed,
/// replaced (an editor's save: written elsewhere and renamed over) or removed.
class OwnCatalogue : public QObject
{
    Q_OBJECT
public:
    /// Reads both files at once; nothing is watched until watch().
    /// @param dataFolder the folder that holds them; empty: no folder, no own entries
    explicit OwnCatalogue(const QString& dataFolder, QObject* parent = nullptr);
    const QString& folder() const { return m_folder; }

    const OwnEntries& smileys() const { return m_smileys; }
    const OwnEntries& acronyms() const { return m_acronyms; }

    /// Follows the files from now on. Changes that come in a burst are read once, shortly
    /// after the last of them.
    void watch();
    /// Reads both files again. @return whether either's entries or problems changed
    bool reload();

signals:
    /// Either file now holds other entries, or other problems.
    void changed();

private:
    void followFiles();

    QString m_folder;
    OwnEntries m_smileys;
    OwnEntries m_acronyms;
    QFileSystemWatcher* m_watcher = nullptr;
    QTimer m_settle;
};

} // namespace catalogue
