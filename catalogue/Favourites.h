#pragma once

// The rows the user picks most, lately: every insert and copy of a row counts, and counts
// fade by half every two weeks, so this month's favourite comes before last year's.

#include "catalogue/OwnEntries.h"

#include <QHash>
#include <QList>
#include <QString>

namespace catalogue {

class Favourites
{
public:
    /// The most rows remembered; the longest unpicked are forgotten first.
    static constexpr qsizetype kMost = 500;
    static constexpr double kHalfLifeSeconds = 14.0 * 24 * 3600;

    /// Reads them as toSetting() wrote them; an entry that cannot be read is skipped.
    static Favourites fromSetting(const QString& stored);
    QString toSetting() const;

    /// Counts a pick of the row with this text and caption at this time.
    /// @param now seconds since 1970
    void pick(const QString& text, const QString& caption, qint64 now);

    /// Each row's rank, for the search: higher for a row picked more, and more lately;
    /// minus infinity for a row never picked. Only the order of ranks means anything.
    QList<double> ranks(const CatalogueList& list) const;

    qsizetype size() const { return m_entries.size(); }

private:
    struct Entry
    {
        double rank; ///< log2 of the count, faded to the reference time
        qint64 last; ///< when it was last picked
    };
    QHash<QString, Entry> m_entries; ///< by text, TAB, caption
};

} // namespace catalogue
