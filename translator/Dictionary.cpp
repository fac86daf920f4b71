#include "translator/Dictionary.h"

namespace translator {

DictionaryReadResult readDictionaryRecords(QStringView text, int count)
{
    DictionaryReadResult result;
    result.records.reserve(count);
    qsizetype pos = 0;
    const qsizetype size = text.size();
    for (int number = 1; number <= count; ++number) {
        if (pos >= size) {
            result.problem = RecordProblem::EndOfFile;
            result.failedRecord = number;
            return result;
        }
        qsizetype end = pos;
        while (end < size && text[end] != u',' && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        const QStringView record = text.sliced(pos, end - pos);
        if (end < size)
            end += text[end] == u'\r' && end + 1 < size && text[end + 1] == u'\n' ? 2 : 1;
        pos = end;

        if (record.isEmpty()) {
            result.problem = RecordProblem::EmptyRecord;
            result.failedRecord = number;
            return result;
        }
        const qsizetype tab = record.indexOf(u'\t');
        if (tab < 0) {
            result.problem = RecordProblem::NoTab;
            result.failedRecord = number;
            return result;
        }
        qsizetype replacementEnd = record.indexOf(u'\t', tab + 1);
        if (replacementEnd < 0)
            replacementEnd = record.size();
        result.records.append({record.first(tab).toString(),
                               record.sliced(tab + 1, replacementEnd - tab - 1).toString()});
    }
    return result;
}

QString describeProblem(const DictionaryReadResult& result, const QString& path)
{
    const QString number = QString::number(result.failedRecord);
    switch (result.problem) {
    case RecordProblem::EndOfFile:
        return QStringLiteral("The dictionary file %1 ends before record %2: it must hold %3 "
                              "records.")
            .arg(path, number, QString::number(kEbonicRecordCount));
    case RecordProblem::EmptyRecord:
        return QStringLiteral("Record %1 of the dictionary file %2 is empty.").arg(number, path);
    case RecordProblem::NoTab:
        return QStringLiteral("Record %1 of the dictionary file %2 has no TAB between the word "
                              "and its replacement.")
            .arg(number, path);
    case RecordProblem::None:
        break;
    }
    return {};
}

} // namespace translator
