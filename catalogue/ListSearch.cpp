#include "catalogue/ListSearch.h"

#include <cmath>
#include <limits>

namespace catalogue {

namespace {

// Case folding of one UTF-16 unit, with ASCII done inline: it is almost every caption's
// first character and the search visits every caption on a miss.
char32_t foldUnit(char16_t unit)
{
    if (unit < 0x80)
        return (unit >= u'A' && unit <= u'Z') ? char32_t(unit + (u'a' - u'A')) : char32_t(unit);
    return QChar::toCaseFolded(char32_t(unit));
}

constexpr double kNeverPicked = -std::numeric_limits<double>::infinity();

double rankOf(std::span<const double> ranks, qsizetype row)
{
    return row < qsizetype(ranks.size()) ? ranks[std::size_t(row)] : kNeverPicked;
}

bool anyPicked(std::span<const double> ranks)
{
    for (double rank : ranks) {
        if (rank > kNeverPicked)
            return true;
    }
    return false;
}

/// The caption's matching row of the highest rank, the first of equal ones; -1 for none.
template <typename Matches>
qsizetype bestRow(const QStringList& captions, std::span<const double> ranks, Matches matches)
{
    qsizetype best = -1;
    for (qsizetype row = 0; row < captions.size(); ++row) {
        if ((best < 0 || rankOf(ranks, row) > rankOf(ranks, best)) && matches(captions[row]))
            best = row;
    }
    return best;
}

} // namespace

bool captionStartsWith(QStringView caption, QStringView searchText)
{
    if (!caption.startsWith(searchText, Qt::CaseInsensitive))
        return false;
    const qsizetype n = searchText.size();
    return caption.left(n).toString().toUpper() == searchText.toString().toUpper();
}

std::optional<int> listSearchRow(const QStringList& captions, const QString& searchText)
{
    if (searchText.isEmpty())
        return -1;
    const qsizetype n = searchText.size();
    // The first character decides for nearly every caption, so compare it before the whole
    // prefix. Surrogates fold as pairs only: leave those to the full comparison.
    const char16_t first = searchText.front().unicode();
    const bool quickCheck = !QChar::isSurrogate(first);
    const char32_t firstFolded = foldUnit(first);
    for (qsizetype row = 0; row < captions.size(); ++row) {
        const QString& caption = captions[row];
        if (caption.size() < n)
            continue;
        if (quickCheck && foldUnit(caption.front().unicode()) != firstFolded)
            continue;
        if (captionStartsWith(caption, searchText))
            return int(row);
    }
    return std::nullopt;
}

bool captionWordStartsWith(QStringView caption, QStringView searchText)
{
    if (searchText.isEmpty())
        return true;
    const char32_t first = QChar::isSurrogate(searchText.front().unicode())
                               ? char32_t(0)
                               : foldUnit(searchText.front().unicode());
    bool inWord = false;
    for (qsizetype i = 0; i + searchText.size() <= caption.size(); ++i) {
        const QChar c = caption[i];
        const bool wordCharacter = c.isLetterOrNumber();
        const bool starts = wordCharacter && !inWord;
        inWord = wordCharacter;
        if (!starts || (first != 0 && foldUnit(c.unicode()) != first))
            continue;
        if (captionStartsWith(caption.sliced(i), searchText))
            return true;
    }
    return false;
}

SearchChoice searchChoice(const QStringList& smileys, const QStringList& acronyms,
                          const QString& searchText, bool byWords,
                          std::span<const double> smileyRanks, std::span<const double> acronymRanks)
{
    if (searchText.isEmpty())
        return {-1, -1, false};
    const bool ranked = anyPicked(smileyRanks) || anyPicked(acronymRanks);
    SearchChoice choice;
    if (!ranked) {
        choice.smiley = listSearchRow(smileys, searchText);
        choice.acronym = listSearchRow(acronyms, searchText);
    } else {
        // As listSearchRow: the first character decides for nearly every caption.
        const char16_t first = searchText.front().unicode();
        const bool quickCheck = !QChar::isSurrogate(first);
        const char32_t firstFolded = foldUnit(first);
        const auto begins = [&](const QString& caption) {
            if (caption.size() < searchText.size() ||
                (quickCheck && foldUnit(caption.front().unicode()) != firstFolded))
                return false;
            return captionStartsWith(caption, searchText);
        };
        const qsizetype smiley = bestRow(smileys, smileyRanks, begins);
        const qsizetype acronym = bestRow(acronyms, acronymRanks, begins);
        if (smiley >= 0)
            choice.smiley = int(smiley);
        if (acronym >= 0)
            choice.acronym = int(acronym);
        // Both lists match: the display shows the list searched last, the favourite's.
        choice.acronymFirst = smiley >= 0 && acronym >= 0 &&
                              rankOf(smileyRanks, smiley) > rankOf(acronymRanks, acronym);
    }
    if (choice.smiley || choice.acronym || !byWords)
        return choice;
    const auto hasWord = [&searchText](const QString& caption) {
        return captionWordStartsWith(caption, searchText);
    };
    const qsizetype smiley = bestRow(smileys, smileyRanks, hasWord);
    const qsizetype acronym = bestRow(acronyms, acronymRanks, hasWord);
    if (acronym >= 0 && (smiley < 0 || rankOf(acronymRanks, acronym) > rankOf(smileyRanks, smiley)))
        choice.acronym = int(acronym);
    else if (smiley >= 0)
        choice.smiley = int(smiley);
    return choice;
}

} // namespace catalogue
