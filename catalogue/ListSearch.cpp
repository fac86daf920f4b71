#include "catalogue/ListSearch.h"

namespace catalogue {

std::optional<int> listSearchRow(const QStringList& captions, const QString& searchText)
{
    if (searchText.isEmpty())
        return -1;
    const qsizetype n = searchText.size();
    QString wantedUpper; // computed on the first candidate only
    for (qsizetype row = 0; row < captions.size(); ++row) {
        const QString& caption = captions[row];
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
