#pragma once

// The author's contact details and the fixed texts shown by the About and Quick Help
// windows. Both windows read them from here, so an address changes in one place.
// Addresses use the reserved documentation domains and numbers reach nobody.

#include "platform/Version.h"

#include <QString>

namespace about {

inline const QString kProgramTitle = QStringLiteral("Verot Glyphora");
inline const QString kVersionText = QStringLiteral("Version ") + QLatin1String(platform::kVersion);
inline const QString kReleaseDate = QStringLiteral("10th June 2003");

inline const QString kAuthorEmail = QStringLiteral("verot@example.org");
inline const QString kWebPage1 = QStringLiteral("http://example.org/glyphora");
inline const QString kWebPage2 = QStringLiteral("http://www.example.com/freeware");
/// The messenger service is long gone; the number is a placeholder of zeros.
inline const QString kIcqNumber = QStringLiteral("000000000");
/// From the range set aside for fiction, so it rings no real phone.
inline const QString kMobileNumber = QStringLiteral("+44 7700 900461");

inline const QString kRightsLine = QStringLiteral("(c) 2003 Verot Software. All rights reserved.");
inline const QString kAuthorCredit = QStringLiteral("Written by Verot (author)");
inline const QString kTranslatorCredit =
    QStringLiteral("Ebonic dictionary by Jay Moss (translator)");
inline const QString kDistributionNotice =
    QStringLiteral("Warning: this program is freeware and may be distributed freely, but not "
                   "with a commercial release or within a for-profit organisation without the "
                   "author's written consent.");

/// The parenthesised note of thanks at the end of the help text's search line. With the
/// addresses above it brings the help text to its 1835 characters.
inline const QString kHelpThanksNote =
    QStringLiteral("(Thanks to Robin Hale for the idea of the keyword search box)");

} // namespace about
