// Search time per keystroke for both lists together: the matching alone on the real
// catalogues and on catalogues 100 times as long, and the whole search-box path (selection,
// display, fake sound) on bare window controls. Build in Release; run without arguments.
//
// Each figure is the median of several batches, so that other work on the machine does not
// decide it. "full scan" is a text that matches nothing: the search visits every caption of
// both lists, the longest a keystroke can take.

#include "catalogue/CatalogueHandlers.h"
#include "catalogue/CatalogueTables.h"
#include "catalogue/ListSearch.h"
#include "catalogue/OwnEntries.h"
#include "platform/fakes/FakePlatform.h"
#include "platform/forms/SoundPlayer.h"

#include <QApplication>
#include <QCheckBox>
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
                               fakes.notifications, [] {});
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
    return 0;
}
