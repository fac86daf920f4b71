#include "catalogue/ListSearch.h"

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

} // namespace

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
    QString wantedUpper; // computed on the first candidate only
    for (qsizetype row = 0; row < captions.size(); ++row) {
        const QString& caption = captions[row];
        if (caption.size() < n)
            continue;
        if (quickCheck && foldUnit(caption.front().unicode()) != firstFolded)
            continue;
        if (!caption.startsWith(searchText, Qt::CaseInsensitive))
            continue;
        // Case folding and upper-casing disagree on a few letters (long s, Kelvin sign, ...):
        // a caption must match in capitals too, or the search goes on.
        if (wantedUpper.isNull())
            wantedUpper = searchText.toUpper();
        if (QStringView(caption).left(n).toString().toUpper() == wantedUpper)
            return int(row);
    }
    return std::nullopt;
}

} // namespace catalogue
