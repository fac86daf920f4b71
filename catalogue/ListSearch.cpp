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

} // namespace catalogue
