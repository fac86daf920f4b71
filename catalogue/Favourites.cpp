#include "catalogue/Favourites.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace catalogue {

namespace {
// Ranks count from here: a count that fades by half each half-life keeps its order among
// the others, so a rank is stored once, as a logarithm, and never needs to fade.
constexpr qint64 kReference = 1767225600; // 2026-01-01

double elapsed(qint64 time)
{
    return double(time - kReference) / Favourites::kHalfLifeSeconds;
}

QString keyOf(const QString& text, const QString& caption)
{
    return text + u'\t' + caption;
}
} // namespace

Favourites Favourites::fromSetting(const QString& stored)
{
    Favourites favourites;
    for (QStringView line : QStringView(stored).split(u'\n', Qt::SkipEmptyParts)) {
        const QList<QStringView> fields = line.split(u'\t');
        if (fields.size() != 4 || fields[2].isEmpty() || fields[3].isEmpty())
            continue;
        bool rankRead = false, lastRead = false;
        const double rank = fields[0].toDouble(&rankRead);
        const qint64 last = fields[1].toLongLong(&lastRead);
        if (!rankRead || !lastRead || !std::isfinite(rank))
            continue;
        favourites.m_entries.insert(keyOf(fields[2].toString(), fields[3].toString()),
                                    {rank, last});
    }
    // A file written by hand may hold more.
    while (favourites.m_entries.size() > kMost) {
        auto oldest =
            std::min_element(favourites.m_entries.begin(), favourites.m_entries.end(),
                             [](const Entry& a, const Entry& b) { return a.last < b.last; });
        favourites.m_entries.erase(oldest);
    }
    return favourites;
}

QString Favourites::toSetting() const
{
    QStringList lines;
    lines.reserve(m_entries.size());
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it)
        lines << QString::number(it->rank, 'g', 17) + u'\t' + QString::number(it->last) + u'\t' +
                     it.key();
    // The same favourites give the same text, whatever the hash's order.
    lines.sort();
    return lines.join(u'\n');
}

void Favourites::pick(const QString& text, const QString& caption, qint64 now)
{
    // No TAB or line end can be part of a row (the own files' lines are checked), so they
    // divide the stored form.
    if (text.isEmpty() || caption.isEmpty() || text.contains(u'\t') || caption.contains(u'\t') ||
        text.contains(u'\n') || caption.contains(u'\n'))
        return;
    const QString key = keyOf(text, caption);
    const double at = elapsed(now);
    double count = 1;
    if (const auto found = m_entries.constFind(key); found != m_entries.constEnd())
        count += std::exp2(found->rank - at);
    m_entries.insert(key, {std::log2(count) + at, now});
    if (m_entries.size() > kMost) {
        auto oldest =
            std::min_element(m_entries.begin(), m_entries.end(),
                             [](const Entry& a, const Entry& b) { return a.last < b.last; });
        m_entries.erase(oldest);
    }
}

QList<double> Favourites::ranks(const CatalogueList& list) const
{
    QList<double> ranks(list.size(), -std::numeric_limits<double>::infinity());
    if (m_entries.isEmpty())
        return ranks;
    for (int row = 0; row < list.size(); ++row) {
        const auto found = m_entries.constFind(keyOf(list.textAt(row), list.captions()[row]));
        if (found != m_entries.constEnd())
            ranks[row] = found->rank;
    }
    return ranks;
}

} // namespace catalogue
