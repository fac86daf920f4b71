#pragma once

// The translation exactly as the panel's rule states it, record by record over the whole
// word list. Slow on purpose: it is the reference the one-pass translator must match.

#include <QString>
#include <QStringView>
#include <optional>

namespace translator::reference {

/// @param dictionaryText the decoded dictionary file
/// @param message the message text
/// @param count how many records to read
/// @return the translated text, or nothing when the records cannot be read
/// Removes the spaces (only U+0020) at both ends, as the rebuilt message is trimmed.
/// @param text any text
void trimSpaces(QString& text);

std::optional<QString> literalTranslate(QStringView dictionaryText, const QString& message,
                                        int count = 656);

} // namespace translator::reference
