// Search time per keystroke for both lists together: the matching alone on the real
// catalogues and on catalogues 100 times as long, and the whole search-box path (selection,
// display, fake sound) on bare window controls. Build in Release; run without arguments.
//
// Each figure is the median of several batches, so that other work on the machine does not
// decide it. "full scan" is a text that matches nothing: the search visits every caption of
// both lists, the longest a keystroke can take.

#include "catalogue/CatalogueHandlers.h"
#include "catalogue/CatalogueTables.h"
#include "catalogue/Favourites.h"
#include "catalogue/ListSearch.h"
#include "catalogue/OwnEntries.h"
#include "platform/fakes/FakePlatform.h"
#include "platform/forms/SoundPlayer.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kBatches = 9;

/// Milliseconds per call of `step(i)` for i in [0, calls), median over the batches.
double perCallMs(int calls, const std::function<void(int)>& step)
{
    std::vector<double> batches;
    for (int b = 0; b < kBatches; ++b) {
        const auto start = Clock::now();
        for (int i = 0; i < calls; ++i)
            step(i);
        batches.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count() /
                          calls);
    }
    std::nth_element(batches.begin(), batches.begin() + kBatches / 2, batches.end());
    return batches[kBatches / 2];
}

// What a user types: every prefix of the first word of each caption.
QStringList typing(const QStringList& captions)
{
    QStringList keys;
    for (const QString& caption : captions) {
        const QString word = caption.section(QLatin1Char(' '), 0, 0);
        for (qsizetype n = 1; n <= word.size(); ++n)
            keys << word.left(n);
    }
    return keys;
}

// The catalogues `times` over; every copy's captions start with their copy number, so that
// the last copy's entries are found only near the end of the list.
QStringList longer(const QStringList& captions, int times)
{
    QStringList out;
    for (int k = 0; k < times; ++k)
        for (const QString& caption : captions)
            out << QString::number(k) + QLatin1Char(' ') + caption;
    return out;
}

void report(const char* what, double ms, double goalMs)
{
    std::printf("%-62s %9.4f ms  (goal < %.1f ms: %s)\n", what, ms, goalMs,
                ms < goalMs ? "met" : "NOT met");
}

std::function<void(int)> searchBoth(const QStringList& a, const QStringList& b,
                                    const QStringList& keys)
{
    return [&a, &b, &keys](int i) {
        const QString& text = keys[i % keys.size()];
        volatile int sink = catalogue::listSearchRow(a, text).value_or(-2) +
                            catalogue::listSearchRow(b, text).value_or(-2);
        (void)sink;
    };
}

/// Keys from "I want this face" to the face in the chat: the summon key, the fewest letters
/// of its caption after which the display shows it, and Return; 0 where no beginning of the
/// caption gets there.
int keystrokes(const catalogue::CatalogueList& smileys, const catalogue::CatalogueList& acronyms,
               bool acronym, int row, bool byWords, const QList<double>& smileyRanks,
               const QList<double>& acronymRanks)
{
    const QString caption = (acronym ? acronyms : smileys).captions()[row];
    for (qsizetype n = 1; n <= caption.size(); ++n) {
        const catalogue::SearchChoice choice =
            catalogue::searchChoice(smileys.captions(), acronyms.captions(), caption.left(n),
                                    byWords, smileyRanks, acronymRanks);
        // The list searched last has the display; one that found nothing changes nothing.
        const bool smileyShown = choice.smiley && (choice.acronymFirst || !choice.acronym);
        if (acronym ? (!smileyShown && choice.acronym == row)
                    : (smileyShown && choice.smiley == row))
            return int(n) + 2;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const QStringList smileys = catalogue::CatalogueList(catalogue::smileyTable()).captions();
    const QStringList acronyms = catalogue::CatalogueList(catalogue::acronymTable()).captions();
    const QStringList typed = typing(smileys + acronyms);
    const QStringList miss{QStringLiteral("zz")};

    std::printf("Search per keystroke, both lists together (%lld typed keystrokes)\n",
                static_cast<long long>(typed.size()));
    report("matching, 205 + 114 entries, typed keystrokes (mean)",
           perCallMs(int(typed.size()) * 20, searchBoth(smileys, acronyms, typed)), 0.2);
    report("matching, 205 + 114 entries, full scan",
           perCallMs(20000, searchBoth(smileys, acronyms, miss)), 0.2);

    const QStringList bigSmileys = longer(smileys, 100);
    const QStringList bigAcronyms = longer(acronyms, 100);
    const QStringList lastCopy = typing(longer(smileys + acronyms, 100).mid(99 * 319));
    report("matching, x100 (20500 + 11400), last copy's keystrokes (mean)",
           perCallMs(int(lastCopy.size()), searchBoth(bigSmileys, bigAcronyms, lastCopy)), 1.0);
    report("matching, x100 (20500 + 11400), full scan",
           perCallMs(200, searchBoth(bigSmileys, bigAcronyms, miss)), 1.0);

    // The whole path through the search box: matching, selection, display, (fake) sound.
    platform::fakes::FakePlatform fakes;
    QWidget window;
    CatalogueControls c{new QListWidget(&window), new QListWidget(&window),
                        new QLabel(&window),      new QLabel(&window),
                        new QLabel(&window),      new QPushButton(&window),
                        new QPushButton(&window), new QPushButton(&window),
                        new QPushButton(&window), {},
                        new QLineEdit(&window),   new QPlainTextEdit(&window),
                        new QCheckBox(&window),   new QLabel(&window)};
    for (QPushButton*& button : c.pictureButtons)
        button = new QPushButton(&window);
    platform::SoundPlayer sound(fakes.resources, fakes.sound, fakes.messageBoxes, &window,
                                [] { return true; });
    c.Label1->resize(89, 49); // the window's display size
    CatalogueHandlers handlers(c, fakes.clipboard, sound, fakes.inserter, fakes.messageBoxes,
                               fakes.notifications, fakes.settings, [] {});
    // Each word typed letter by letter, then cleared: every change is a keystroke.
    QStringList session;
    for (const QString& caption : smileys + acronyms) {
        const QString word = caption.section(QLatin1Char(' '), 0, 0);
        for (qsizetype n = 1; n <= word.size(); ++n)
            session << word.left(n);
        session << QString();
    }
    report("search box end to end, real lists, per keystroke (mean)",
           perCallMs(int(session.size()),
                     [&](int i) {
                         c.Txt1->setText(session[i]);
                         fakes.sound.plays.clear(); // the fake's log must not grow
                     }),
           0.2);

    // The user's own rows: 10,000 faces after the built-in ones, read from their file.
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("smileys.txt"));
    QStringList ownCaptions;
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        for (int i = 0; i < 10000; ++i) {
            ownCaptions << QStringLiteral("Own face %1 - a user's own").arg(i);
            file.write(QStringLiteral("(\u256F\u00B0\u25A1\u00B0)\u256F %1\t").arg(i).toUtf8() +
                       ownCaptions.last().toUtf8() + '\n');
        }
    }
    std::printf("\nWith 10000 own rows after the built-in smileys\n");
    report("reload, part 1: the file read and checked (mean)",
           perCallMs(5,
                     [&](int) {
                         volatile auto n = catalogue::readOwnEntries(path).entries.size();
                         (void)n;
                     }),
           50);
    const QList<catalogue::OwnEntry> ownRows = catalogue::readOwnEntries(path).entries;
    const QList<catalogue::OwnEntry> fewer = ownRows.first(ownRows.size() - 1);
    // Every other reload lists one row less, so each one is a change.
    report("reload, part 2: the rows listed (mean)",
           perCallMs(5, [&](int i) { handlers.setOwnEntries(i % 2 ? fewer : ownRows, {}); }), 50);
    // The most rows a file gives: a reload must stay linear in them.
    QList<catalogue::OwnEntry> most;
    for (qsizetype i = 0; i < catalogue::kMostOwnEntries; ++i)
        most.append(ownRows[i % ownRows.size()]);
    report("reload at the most rows a file gives (100000), the rows listed (mean)",
           perCallMs(4, [&](int i) { handlers.setOwnEntries(i % 2 ? fewer : most, {}); }), 50);
    handlers.setOwnEntries(catalogue::readOwnEntries(path).entries, {});
    QStringList ownSession;
    for (int i = 9990; i < 10000; ++i) {
        const QString caption = ownCaptions[i];
        for (qsizetype n = 1; n <= caption.size(); ++n)
            ownSession << caption.left(n);
        ownSession << QString();
    }
    report("search box end to end, keystrokes reaching own rows (mean)",
           perCallMs(int(ownSession.size()),
                     [&](int i) {
                         c.Txt1->setText(ownSession[i]);
                         fakes.sound.plays.clear();
                     }),
           1.0);
    const catalogue::CatalogueList withOwn(catalogue::smileyTable(),
                                           catalogue::readOwnEntries(path).entries);
    report("matching, 10205 + 114 entries, full scan",
           perCallMs(2000, searchBoth(withOwn.captions(), acronyms, miss)), 1.0);

    // 500 rows picked, most of them own ones: the search weighs every row that matches.
    catalogue::Favourites favourites;
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    for (int i = 0; i < 500; ++i) {
        const int row = 205 + (i * 19) % 10000;
        favourites.pick(withOwn.textAt(row), withOwn.captions()[row], now - i * 3600);
    }
    const catalogue::CatalogueList acronymList(catalogue::acronymTable());
    const QList<double> ownRanks = favourites.ranks(withOwn);
    const QList<double> acronymRanks = favourites.ranks(acronymList);
    const QStringList ownTyped = typing(ownCaptions.first(50) + smileys + acronyms);
    const auto withFavourites = [&](const QStringList& keys) {
        return [&, keys](int i) {
            volatile bool sink =
                catalogue::searchChoice(withOwn.captions(), acronyms, keys[i % keys.size()], true,
                                        ownRanks, acronymRanks)
                    .acronymFirst;
            (void)sink;
        };
    };
    std::printf("\nWith 10000 own rows and 500 favourites, words searched\n");
    report("matching, typed keystrokes (mean)",
           perCallMs(int(ownTyped.size()), withFavourites(ownTyped)), 1.0);
    report("matching, full scan of beginnings and words", perCallMs(200, withFavourites(miss)),
           1.0);
    report("ranking every row after a pick",
           perCallMs(20,
                     [&](int) {
                         volatile auto n = favourites.ranks(withOwn).size() +
                                           favourites.ranks(acronymList).size();
                         (void)n;
                     }),
           10.0);

    // A user who picked 20 faces 200 times, some far more than others: the keys to each of
    // the ten picked most, by the search's beginnings alone and with words and favourites.
    const catalogue::CatalogueList smileyList(catalogue::smileyTable());
    struct Face
    {
        bool acronym;
        int row;
    };
    std::vector<Face> faces;
    for (int i = 0; i < 14; ++i)
        faces.push_back({false, 3 + i * 14}); // smileys across the list
    for (int i = 0; i < 6; ++i)
        faces.push_back({true, 5 + i * 18});
    catalogue::Favourites simulated;
    int picks = 0;
    for (std::size_t k = 0; k < faces.size(); ++k) {
        // Picks fall off as 1/k, 200 in all.
        const int times = k + 1 == faces.size() ? 200 - picks : int(200.0 / 3.5977 / double(k + 1));
        picks += times;
        const catalogue::CatalogueList& list = faces[k].acronym ? acronymList : smileyList;
        for (int t = 0; t < times; ++t)
            simulated.pick(list.textAt(faces[k].row), list.captions()[faces[k].row],
                           now - qint64(t) * 600);
    }
    const QList<double> simSmileys = simulated.ranks(smileyList);
    const QList<double> simAcronyms = simulated.ranks(acronymList);
    double before = 0, after = 0;
    int unreachable = 0;
    for (std::size_t k = 0; k < 10; ++k) {
        const int plain =
            keystrokes(smileyList, acronymList, faces[k].acronym, faces[k].row, false, {}, {});
        const int smart = keystrokes(smileyList, acronymList, faces[k].acronym, faces[k].row, true,
                                     simSmileys, simAcronyms);
        // Out of the search's reach: the whole caption typed, then the mouse.
        const int fallback =
            int((faces[k].acronym ? acronymList : smileyList).captions()[faces[k].row].size()) + 3;
        unreachable += plain == 0;
        before += plain ? plain : fallback;
        after += smart ? smart : fallback;
    }
    std::printf("\nKeys to the ten faces a simulated user picks most (summon key, letters, "
                "Return), mean:\n  beginnings only, no favourites: %.1f (%d of them beyond the "
                "search)\n  words and favourites:           %.1f\n",
                before / 10, unreachable, after / 10);
    return 0;
}
