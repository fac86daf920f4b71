#include "catalogue/CatalogueTables.h"

namespace catalogue {

QStringList captionsOf(std::span<const CatalogueEntry> table)
{
    QStringList captions;
    captions.reserve(qsizetype(table.size()));
    for (const CatalogueEntry& entry : table)
        captions.append(entry.caption.toString());
    return captions;
}

QString textAt(std::span<const CatalogueEntry> table, int row)
{
    if (row < 0 || std::size_t(row) >= table.size())
        return {};
    return table[std::size_t(row)].text.toString();
}

} // namespace catalogue
