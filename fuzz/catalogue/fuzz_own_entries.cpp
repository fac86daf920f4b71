// Feeds arbitrary bytes to the reader of the user's own faces and acronyms. Every line that
// is neither empty nor a comment must come out either as an entry or as one problem, named
// or counted, never both and never neither; every entry must be one the lists and the
// command line can show on a line of its own; and the entries written back in the file's
// own form must read back the same, with no problem.

#include "catalogue/OwnEntries.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

bool showable(const QString& field)
{
    if (field.isEmpty() || field.size() > 2 * catalogue::kLongestOwnField)
        return false;
    for (QChar c : field) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    }
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArrayView bytes(data, qsizetype(size));
    const catalogue::OwnEntries read = catalogue::parseOwnEntries(bytes, QStringLiteral("f"));

    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    qsizetype meant = 0;
    for (QByteArrayView line : QByteArray(bytes.data(), bytes.size()).split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        meant += !line.isEmpty() && line.front() != '#';
    }
    require(read.entries.size() + read.problems.size() + read.unnamed == meant,
            "a line is neither an entry nor a problem");
    for (const QString& problem : read.problems)
        require(problem.startsWith(QStringLiteral("f, line ")), "a problem names no line");

    // A comment first, so that a text which begins with U+FEFF is not taken for the mark.
    QByteArray written("# written back\n");
    for (const catalogue::OwnEntry& entry : read.entries) {
        require(showable(entry.text) && showable(entry.caption), "an entry cannot be shown");
        require(!entry.text.contains(u'\t') && !entry.caption.contains(u'\t'),
                "a field holds a TAB");
        require(entry.text.front() != u'#', "a comment became an entry");
        written += entry.text.toUtf8() + '\t' + entry.caption.toUtf8() + '\n';
    }
    const catalogue::OwnEntries again = catalogue::parseOwnEntries(written, QStringLiteral("f"));
    require(again.problems.isEmpty() && again.entries == read.entries,
            "the entries written back read otherwise");
    return 0;
}
