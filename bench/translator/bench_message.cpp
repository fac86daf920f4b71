// Long messages in the main window's message box: the time to open one and see it, to
// scroll to its end, to translate it and to undo the translation, each until the box has
// painted, and the peak memory. The shapes are the ones whose longest line used to set the
// cost: one long word, one long paragraph, and many short lines. Every case runs in a
// process of its own, so that the peak memory is that case's alone.
//   bench_message            all cases of 1 and 10 MB, and the 11 MB file of a million lines
//   bench_message --large    64 MB of each shape as well
//   bench_message --case SHAPE MB   one case (SHAPE: word, paragraph, lines)

#include "app/Form1.h"
#include "app/GlyphoraApplication.h"
#include "platform/fakes/FakePlatform.h"
#include "translator/EbonicText.h"
#include "translator/MessageView.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <QTextDocument>
#include <cstdio>
#include <cstring>

using translator::MessageDisplay;

namespace {

/// Everyday words, about half of them dictionary keys, some capitalised or with a comma.
QString wordsOfText(qsizetype bytes, bool shortLines)
{
    static const QStringList others = {"the",   "quick", "fox",  "jumps", "over", "lazy",   "dogs",
                                       "while", "we",    "wait", "for",   "bus",  "number", "nine"};
    QStringList keys;
    for (const translator::EbonicEntry& e : translator::ebonicEntries())
        keys << QString::fromLatin1(e.key);
    QRandomGenerator random(42);
    QString text;
    text.reserve(bytes + 64);
    qsizetype lineStart = 0;
    while (text.size() < bytes) {
        QString word = random.bounded(2) ? keys[random.bounded(int(keys.size()))]
                                         : others[random.bounded(int(others.size()))];
        if (random.bounded(10) == 0)
            word[0] = word[0].toUpper();
        if (random.bounded(15) == 0)
            word += u',';
        text += word;
        // Short lines: ten characters on average, as in a list of a million entries.
        const bool lineEnd = shortLines && text.size() - lineStart >= 6 + random.bounded(8);
        text += lineEnd ? u'\n' : u' ';
        if (lineEnd)
            lineStart = text.size();
    }
    return text;
}

QString makeText(const QByteArray& shape, qsizetype bytes)
{
    if (shape == "word") {
        QString word = QStringLiteral("supercalifragilistic").repeated(bytes / 20 + 1);
        word.truncate(bytes);
        return word;
    }
    if (shape == "million-lines") { // 11 MB: a million lines of ten characters
        QString text;
        text.reserve(11'000'000);
        for (int i = 0; i < 1'000'000; ++i)
            text += QStringLiteral("line %1\n").arg(i, 5, 10, QLatin1Char('0'));
        return text;
    }
    return wordsOfText(bytes, shape == "lines");
}

long statusKb(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(std::strlen(field))).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

/// Counts the paints of the message box's viewport.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

int runCase(const QByteArray& shape, double megabytes, int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    GlyphoraApplication app(argc, argv);
    platform::fakes::FakePlatform fake;
    Form1 form(fake.services());
    form.setProcessEnder([](int) {});
    form.Form_Load();
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        std::printf("the window was not shown\n");
        return 1;
    }
    form.findChild<QPushButton*>(QStringLiteral("cmdOpenEbonic"))->click();
    auto* box = form.findChild<QPlainTextEdit*>(QStringLiteral("Message_Text"));
    PaintCounter counter;
    box->viewport()->installEventFilter(&counter);
    QTest::qWait(50); // the dictionary holder is filled once the window is on screen

    const QString path = fake.paths.tempPath + QStringLiteral("message.txt");
    size_t digest = 0;
    {
        const QString text = makeText(shape, qsizetype(megabytes * 1e6));
        digest = qHash(text);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0) {
            std::printf("cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    const double fileMb = QFile(path).size() / 1e6;
    // The peak from here on, without the making of the text.
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
    clearRefs.close();
    const long baseKb = statusKb("VmRSS:");

    // Each step ends when the box has painted what it shows.
    const auto timed = [&](auto&& step) {
        const int before = counter.paints;
        QElapsedTimer timer;
        timer.start();
        step();
        while (counter.paints == before && timer.elapsed() < 600'000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        return timer.nsecsElapsed() / 1e6;
    };
    const auto click = [&](const char* name) {
        form.findChild<QPushButton*>(QLatin1String(name))->click();
    };

    fake.fileDialogs.answer(path);
    const double show = timed([&] { click("cmdOpen"); });
    const auto shownWhole = [&] { return qHash(MessageDisplay::of(box)->message()) == digest; };
    const bool whole = shownWhole();
    const double end = timed([&] { box->moveCursor(QTextCursor::End); });
    const double translate = timed([&] { click("Cmdtranlate"); });
    const double undo = timed([&] { click("cmdUndo"); });
    const long peakKb = statusKb("VmHWM:");
    const bool back = shownWhole();

    if (!fake.messageBoxes.shown.isEmpty() || !whole || !back) {
        std::printf("%s: %s\n", shape.constData(),
                    fake.messageBoxes.shown.isEmpty()
                        ? "the message box does not hold the whole message"
                        : qPrintable(fake.messageBoxes.shown.constFirst().text));
        return 1;
    }
    std::printf("%-14s %7.2f %10.1f %10.1f %10.1f %10.1f %9.0f %9.0f %7.1f\n", shape.constData(),
                fileMb, show, end, translate, undo, peakKb / 1e3, (peakKb - baseKb) / 1e3,
                (peakKb - baseKb) / 1e3 / fileMb);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 4 && std::strcmp(argv[1], "--case") == 0)
        return runCase(argv[2], std::atof(argv[3]), argc, argv);

    QCoreApplication app(argc, argv);
    QList<std::pair<QByteArray, double>> cases;
    QList<double> sizes = {1, 10};
    if (argc > 1 && std::strcmp(argv[1], "--large") == 0)
        sizes << 64;
    for (const double mb : sizes)
        for (const char* shape : {"word", "paragraph", "lines"})
            cases.append({shape, mb});
    cases.append({"million-lines", 11});

    std::printf("Times in ms until the box has painted; memory in MB, the growth from the shown "
                "empty window, and that growth per MB of file.\n");
    std::printf("%-14s %7s %10s %10s %10s %10s %9s %9s %7s\n", "shape", "MB", "open", "to end",
                "translate", "undo", "peak RSS", "growth", "per MB");
    std::fflush(stdout);
    int failures = 0;
    for (const auto& [shape, mb] : cases) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--case"), QString::fromLatin1(shape), QString::number(mb)});
        child.waitForFinished(-1);
        std::printf("%s", child.readAllStandardOutput().constData());
        std::fflush(stdout);
        if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
            ++failures;
    }
    return failures == 0 ? 0 : 1;
}
