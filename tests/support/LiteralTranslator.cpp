#include "tests/support/LiteralTranslator.h"

#include <QStringList>

namespace translator::reference {

namespace {
// Sequential input of one record: up to a comma or a line end (CR LF, LF or CR).
std::optional<QString> readRecord(QStringView text, qsizetype& pos)
{
    if (pos >= text.size())
        return std::nullopt;
    QString record;
    while (pos < text.size()) {
        const QChar c = text[pos];
        if (c == u',' || c == u'\n') {
            ++pos;
            break;
        }
        if (c == u'\r') {
            pos += pos + 1 < text.size() && text[pos + 1] == u'\n' ? 2 : 1;
            break;
        }
        record += c;
        ++pos;
    }
    return record;
}

} // namespace

void trimSpaces(QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    text.truncate(end);
    qsizetype lead = 0;
    while (lead < text.size() && text[lead] == u' ')
        ++lead;
    text.remove(0, lead);
}

std::optional<QString> literalTranslate(QStringView dictionaryText, const QString& message,
                                        int count)
{
    QStringList words = (message + u' ').split(u' ');
    qsizetype pos = 0;
    for (int number = 1; number <= count; ++number) {
        const std::optional<QString> record = readRecord(dictionaryText, pos);
        if (!record || record->isEmpty())
            return std::nullopt;
        const QStringList fields = record->split(u'\t');
        if (fields.size() < 2)
            return std::nullopt;
        const QString key = fields[0].toLower();
        for (QString& word : words) {
            if (word.toLower() == key)
                word = fields[1];
        }
    }
    QString result;
    for (const QString& word : words) {
        result += u' ';
        result += word;
        trimSpaces(result);
    }
    return result;
}

} // namespace translator::reference
