#include "platform/forms/Fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace platform {

namespace {
const char* const kWineFonts[] = {
    "/usr/share/wine/fonts/tahoma.ttf",
    "/usr/share/wine/fonts/tahomabd.ttf",
    "/usr/share/wine/fonts/ms_sans_serif.ttf",
};

QString familyFor(FontFace face)
{
    switch (face) {
    case FontFace::Tahoma:
        return QStringLiteral("Tahoma");
    case FontFace::MSSansSerif:
        return QStringLiteral("MS Sans Serif");
    case FontFace::TimesNewRoman:
        return QStringLiteral("Times New Roman");
    case FontFace::System:
        break;
    }
    return {};
}
/// Asking fontconfig costs about a millisecond each time, and every control asks.
QHash<QString, bool>& knownFamilies()
{
    static QHash<QString, bool> known;
    return known;
}

bool hasFamilyCached(const QString& family)
{
    QHash<QString, bool>& known = knownFamilies();
    const auto found = known.constFind(family);
    if (found != known.constEnd())
        return *found;
    const bool has = QFontDatabase::hasFamily(family);
    known.insert(family, has);
    return has;
}

/// Whether the family can be drawn at any size, rather than only from bitmaps of a few.
bool isScalable(const QString& family)
{
    static QHash<QString, bool> known;
    const auto found = known.constFind(family);
    if (found != known.constEnd())
        return *found;
    const bool scalable = QFontDatabase::isSmoothlyScalable(family);
    known.insert(family, scalable);
    return scalable;
}

/// A bitmap face draws sharply only at the pixel sizes it was made for. Once the screen
/// scales the windows its letters come out small and scattered over the room of larger
/// ones, so it gives way to its scalable successor, as on the desktops that first had it.
bool fitsTheScreen(const QString& family)
{
    return qFuzzyCompare(qGuiApp->devicePixelRatio(), 1.0) || isScalable(family);
}

/// The windows' captions, and their width in Tahoma in ems (measured at 100 pixels).
const QString& widthSample()
{
    static const QString sample =
        QStringLiteral("Smiley Acronyms English to ebonic translator Help About Search Sound "
                       "Play sounds Copy To Memory Clear search On Top Quit");
    return sample;
}
constexpr double kTahomaSampleEms = 55.94;
} // namespace

int stretchToTahomaWidth(const QString& family)
{
    static QHash<QString, int> known;
    const auto found = known.constFind(family);
    if (found != known.constEnd())
        return *found;
    QFont font;
    font.setFamilies({family});
    font.setPixelSize(100);
    const double ems = QFontMetricsF(font).horizontalAdvance(widthSample()) / 100.0;
    // Never wider than the face is, and never squeezed out of shape.
    const int stretch =
        ems > 0 ? std::clamp(int(std::lround(100 * kTahomaSampleEms / ems)), 80, 100) : 100;
    known.insert(family, stretch);
    return stretch;
}

int stretchToFit(int current, int needed, int available)
{
    if (needed <= available || needed <= 0)
        return current;
    return std::max(75, current * available / needed);
}

void registerFallbackFonts()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    if (hasFamilyCached(QStringLiteral("Tahoma")))
        return;
    for (const char* path : kWineFonts) {
        if (!QFile::exists(QString::fromLatin1(path)))
            continue;
        // What the files bring is known now; asking fontconfig again would cost as much.
        const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(path));
        for (const QString& family : QFontDatabase::applicationFontFamilies(id))
            knownFamilies().insert(family, true);
    }
}

QFont makeFont(FontFace face, double pointSize, bool bold)
{
    QFont font;
    QString family = familyFor(face);
    if (!family.isEmpty() && hasFamilyCached(family) && !fitsTheScreen(family))
        family = familyFor(FontFace::Tahoma);
    if (!family.isEmpty() && hasFamilyCached(family) && fitsTheScreen(family)) {
        font.setFamilies({family});
    } else if (face == FontFace::TimesNewRoman) {
        font.setStyleHint(QFont::Serif);
        font.setFamilies({QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif"),
                          QStringLiteral("serif")});
    } else {
        font = QGuiApplication::font();
        // The windows are laid out for Tahoma: the stand-in, usually wider, is narrowed to
        // its width so that captions and the menu bar still fit.
        if (face == FontFace::Tahoma || face == FontFace::MSSansSerif)
            font.setStretch(stretchToTahomaWidth(QFontInfo(font).family()));
    }
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    // Text is drawn letter by letter as written: Latin script needs no shaping, and with it
    // some of these faces turn "TM" into a trademark sign and "fi" into a ligature.
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
    return font;
}

} // namespace platform
