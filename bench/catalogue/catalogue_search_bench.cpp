// Search time per keystroke for both lists together: the matching alone on the real
// catalogues and on catalogues 100 times as long, and the whole search-box path (selection,
// display, fake sound) on the real window controls. Build in Release; run without arguments.

#include "catalogue/CatalogueHandlers.h"
#include "catalogue/CatalogueTables.h"
#include "catalogue/ListSearch.h"
#include "platform/SoundPlayer.h"
#include "platform/fakes/FakePlatform.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

namespace {

using Clock = std::chrono::steady_clock;

struct Figures
{
    double meanMs;
    double worstMs;
};

// Runs every keystroke `rounds` times; the worst is the slowest keystroke's mean.
Figures measure(const QStringList& keystrokes, int rounds,
                const std::function<void(const QString&)>& search)
{
    double total = 0;
    double worst = 0;
    for (const QString& text : keystrokes) {
        const auto start = Clock::now();
        for (int i = 0; i < rounds; ++i)
            search(text);
        const double ms =
            std::chrono::duration<double, std::milli>(Clock::now() - start).count() / rounds;
        total += ms;
        worst = std::max(worst, ms);
    }
    return {total / double(keystrokes.size()), worst};
}

// What a user types: every prefix of the first word of each caption, plus texts that match
// nothing and so visit every entry.
QStringList typing(const QStringList& captions, const QStringList& missing)
{
    QStringList keys;
    for (const QString& caption : captions) {
        const QString word = caption.section(QLatin1Char(' '), 0, 0);
        for (qsizetype n = 1; n <= word.size(); ++n)
            keys << word.left(n);
    }
    return keys + missing;
}

QStringList longer(const QStringList& captions, int times)
{
    QStringList out;
    for (int k = 0; k < times; ++k)
        for (const QString& caption : captions)
            out << QString::number(k) + QLatin1Char(' ') + caption;
    return out;
}

void report(const char* what, const Figures& f, double goalMs)
{
    std::printf("%-58s mean %8.4f ms  worst %8.4f ms  (goal < %.1f ms: %s)\n", what, f.meanMs,
                f.worstMs, goalMs, f.worstMs < goalMs ? "met" : "NOT met");
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const QStringList smileys = catalogue::captionsOf(catalogue::smileyTable());
    const QStringList acronyms = catalogue::captionsOf(catalogue::acronymTable());
    const QStringList missing{QStringLiteral("z"), QStringLiteral("zz"), QStringLiteral(" "),
                              QStringLiteral("grin"), QString(80, QLatin1Char('x'))};

    auto both = [](const QStringList& a, const QStringList& b) {
        return [&a, &b](const QString& text) {
            volatile int sink = catalogue::listSearchRow(a, text).value_or(-2) +
                                catalogue::listSearchRow(b, text).value_or(-2);
            (void)sink;
        };
    };

    std::printf("keystrokes: %lld typed prefixes of the catalogues plus %lld misses\n",
                static_cast<long long>(typing(smileys + acronyms, {}).size()),
                static_cast<long long>(missing.size()));

    report("matching, both lists (205 + 114 entries)",
           measure(typing(smileys + acronyms, missing), 200, both(smileys, acronyms)), 0.2);

    const QStringList bigSmileys = longer(smileys, 100);
    const QStringList bigAcronyms = longer(acronyms, 100);
    // Prefixes of the last copy: each search runs almost to the end of both lists.
    const QStringList lastCopy = typing(longer(smileys + acronyms, 100).mid(99 * 319), missing);
    report("matching, both lists x100 (20500 + 11400 entries)",
           measure(lastCopy, 5, both(bigSmileys, bigAcronyms)), 1.0);

    // The whole path through the search box: matching, selection, display, (fake) sound.
    platform::fakes::FakePlatform fakes;
    QWidget window;
    CatalogueControls c{new QListWidget(&window), new QListWidget(&window),
                        new QLabel(&window),      new QLabel(&window),
                        new QLabel(&window),      new QPushButton(&window),
                        new QPushButton(&window), new QPushButton(&window),
                        new QPushButton(&window), {},
                        new QLineEdit(&window),   new QPlainTextEdit(&window),
                        new QCheckBox(&window)};
    for (QPushButton*& button : c.pictureButtons)
        button = new QPushButton(&window);
    platform::SoundPlayer sound(fakes.resources, fakes.sound, fakes.messageBoxes,
                                [] { return true; });
    CatalogueHandlers handlers(c, fakes.clipboard, sound);
    QStringList keys = typing(smileys + acronyms, missing);
    // Alternate with clearing, so that every keystroke really changes the text and selection.
    report("search box end to end, both lists (incl. handlers)",
           measure(keys, 20,
                   [&c](const QString& text) {
                       c.Txt1->setText(text);
                       c.Txt1->setText(QString());
                   }),
           0.2 * 2);
    std::printf("(end to end counts two text changes per keystroke: the text and the clear)\n");
    return 0;
}
