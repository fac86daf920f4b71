#pragma once

// The dictionary file's records as a translation reads them: a record is the text up to
// the next comma or line end (CR LF, or a lone LF or CR); its fields are separated by TABs, the
// first being the key and the second the replacement.

#include "translator/EbonicText.h"

#include <QList>
#include <QString>
#include <QStringView>

namespace translator {

struct DictionaryRecord
{
    QString key;
    QString replacement;

    friend bool operator==(const DictionaryRecord&, const DictionaryRecord&) = default;
};

enum class RecordProblem {
    None,
    EndOfFile,   ///< the text ends before the record
    EmptyRecord, ///< an empty line, or nothing between two separators
    NoTab,       ///< the record has a key but no replacement
};

struct DictionaryReadResult
{
    QList<DictionaryRecord> records;
    RecordProblem problem = RecordProblem::None;
    int failedRecord = 0; ///< 1-based number of the record that failed

    bool ok() const { return problem == RecordProblem::None; }
};

/// Reads the first records of a dictionary text; anything after them is never looked at.
/// Keys and replacements are taken as they stand, blanks and quotes included.
/// @param text the decoded dictionary file
/// @param count how many records to read
/// @return the records, or the first problem met
DictionaryReadResult readDictionaryRecords(QStringView text, int count = kEbonicRecordCount);

/// @param result a failed read
/// @param path the dictionary file it came from
/// @return a sentence that names the file and what is wrong with it
QString describeProblem(const DictionaryReadResult& result, const QString& path);

} // namespace translator
