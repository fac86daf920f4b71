// Translation throughput of the one-pass translator against the record-by-record rule,
// and the time from "Translate now" to the translated 1 MB message in the box.

#include "platform/fakes/FakePlatform.h"
#include "platform/forms/SoundPlayer.h"
#include "tests/support/LiteralTranslator.h"
#include "translator/Dictionary.h"
#include "translator/DictionaryFile.h"
#include "translator/EbonicText.h"
#include "translator/Translator.h"
#include "translator/TranslatorHandlers.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>

using namespace translator;

namespace {

// Everyday text: about half the words are dictionary keys, some capitalised or with
// punctuation attached, a line break every dozen words or so.
QString makeMessage(qsizetype words, bool lines)
{
    static const QStringList others = {"the",   "quick", "fox",  "jumps", "over", "lazy",   "dogs",
                                       "while", "we",    "wait", "for",   "bus",  "number", "nine"};
    QStringList keys;
    for (const EbonicEntry& e : ebonicEntries())
        keys << QString::fromLatin1(e.key);
    QRandomGenerator random(42);
    QString message;
    message.reserve(words * 7);
    for (qsizetype i = 0; i < words; ++i) {
        QString word = random.bounded(2) ? keys[random.bounded(int(keys.size()))]
                                         : others[random.bounded(int(others.size()))];
        if (random.bounded(10) == 0)
            word[0] = word[0].toUpper();
        if (random.bounded(15) == 0)
            word += u',';
        message += word;
        message += (lines && random.bounded(12) == 0) ? u'\n' : u' ';
    }
    return message;
}

template <typename F> double secondsPerRun(F&& run, double atLeast = 0.3)
{
    QElapsedTimer timer;
    timer.start();
    int runs = 0;
    do {
        run();
        ++runs;
    } while (timer.nsecsElapsed() < atLeast * 1e9);
    return timer.nsecsElapsed() / 1e9 / runs;
}

// "Fresh" keeps the previous result alive, so every run writes its result into newly
// mapped memory as a click does; "reused" frees it first, which shows the translation
// alone (page faults are costly on some virtual machines).
void throughput()
{
    std::printf("%-9s %6s %12s %12s %12s %12s %12s %9s\n", "words", "MB", "reused ms",
                "reused MB/s", "fresh ms", "fresh MB/s", "literal ms", "speed-up");
    double literalPerWord = 0;
    for (const qsizetype words : {qsizetype(1000), qsizetype(100000), qsizetype(1000000)}) {
        const QString message = makeMessage(words, true);
        const double mb = message.toUtf8().size() / 1e6;
        const auto translateOnce = [&message] {
            return Translator(readDictionaryRecords(ebonicText()).records).translate(message);
        };
        QString result;
        const double reused = secondsPerRun([&] {
            result = QString();
            result = translateOnce();
        });
        const double fresh = secondsPerRun([&] { result = translateOnce(); });
        double literal = 0;
        const char* note = "";
        if (words <= 100000) {
            std::optional<QString> literalResult;
            literal = secondsPerRun(
                [&] { literalResult = reference::literalTranslate(ebonicText(), message); },
                words <= 1000 ? 0.3 : 0.0);
            if (literalResult != result) {
                std::printf("MISMATCH at %lld words\n", qlonglong(words));
                std::exit(1);
            }
            literalPerWord = literal / double(words);
        } else {
            literal = literalPerWord * double(words); // linear in the words
            note = " (literal extrapolated)";
        }
        std::printf("%-9lld %6.2f %12.3f %12.1f %12.3f %12.1f %12.1f %8.0fx%s\n", qlonglong(words),
                    mb, reused * 1e3, mb / reused, fresh * 1e3, mb / fresh, literal * 1e3,
                    literal / fresh, note);
    }
    std::fflush(stdout);
}

struct Panel
{
    platform::fakes::FakePlatform fake;
    QTemporaryDir dataDir;
    QPlainTextEdit message, ebonic;
    QLineEdit backup, afterTran;
    QLabel status;
    QPushButton translate, undo, open, save, saveAs, clear;
    platform::SoundPlayer sound{fake.resources, fake.sound, fake.messageBoxes, nullptr,
                                [] { return false; }};
    TranslatorHandlers handlers{TranslatorControls{&message, &backup, &afterTran, &ebonic, &status,
                                                   &translate, &undo, &open, &save, &saveAs,
                                                   &clear},
                                fake.services(), sound};
    Panel()
    {
        fake.paths.windowsDirectory = dataDir.path();
        handlers.EnsureDictionaryFile();
        message.resize(313, 289); // the box's size on the main window
        message.show();
    }
};

void shown(bool lines)
{
    const QString text = makeMessage(lines ? 170000 : 165000, lines);
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        Panel panel;
        panel.message.setPlainText(text);
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        panel.handlers.Cmdtranlate_Click();
        QApplication::processEvents(); // lay out and paint the new text
        best = std::min(best, timer.nsecsElapsed() / 1e6);
        if (!panel.fake.messageBoxes.shown.isEmpty()) {
            std::printf("unexpected message box\n");
            std::exit(1);
        }
    }
    std::printf("1 MB message (%.2f MB, %s): translated and shown in %.1f ms (best of 5)\n",
                text.toUtf8().size() / 1e6, lines ? "lines of ~70 characters" : "one paragraph",
                best);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    throughput();
    shown(true);
    shown(false);
    return 0;
}
