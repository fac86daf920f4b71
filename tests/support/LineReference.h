#pragma once

// The command line's translation spelt out plainly: the input split into lines at LF, CR LF
// and lone CRs, each line decoded on its own (UTF-8 when valid, else Windows-1252), given
// to Translator::translate and encoded back as a saved message file would be, its line end
// after it; a leading UTF-8 byte order mark kept. The streaming translator must match it.

#include "translator/Translator.h"

#include <QByteArray>
#include <QByteArrayView>
#include <functional>

namespace translator::reference {

/// @param translator the translation
/// @param input the whole input
/// @return the whole output
QByteArray translateLines(const Translator& translator, QByteArrayView input);

/// @param input the whole input
/// @param limit a length in bytes
/// @return whether a line longer than @p limit is not valid UTF-8: the streaming translator
///         decides the encoding of such a line a run of words at a time
bool hasLongForeignLine(QByteArrayView input, qsizetype limit);

/// Runs the streaming translator over @p input.
/// @param translator the translation
/// @param input the whole input
/// @param bufferBytes the streaming translator's buffer size
/// @param readSize the size of each read given the next bytes' position: inputs arrive in
///        pieces of any size
/// @param shareFrom the streaming translator's threshold for sharing lines with a second
///        thread; 0 for none
/// @return the output
QByteArray streamTranslate(const Translator& translator, QByteArrayView input,
                           qsizetype bufferBytes,
                           const std::function<qsizetype(qsizetype)>& readSize,
                           qsizetype shareFrom = 0);

} // namespace translator::reference
