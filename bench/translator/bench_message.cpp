// Long messages in the main window's message box: the time to open one and see it, to
// scroll to its end, to translate it and to undo the translation, each until the box has
// painted, and the peak memory. Then long texts pasted into the box: the time until the box
// has painted the paste, and the time of each key typed into it. The shapes are the ones
// whose longest line used to set the cost: one long word, one long paragraph, and many short
// lines. Every case runs in a process of its own, so that the peak memory is that case's
// alone; a case that has not ended after five minutes is stopped, and the step it was in
// is reported as taking longer than it had been running.
//   bench_message            all cases of 1 and 10 MB, the 11 MB file of a million lines, and
//                            the pastes
//   bench_message --large    64 MB of each shape as well
//   bench_message --case SHAPE MB    one case (SHAPE: word, paragraph, lines)
//   bench_message --paste SHAPE MB   one paste

#include "app/Form1.h"
#include "app/GlyphoraApplication.h"
#include "platform/fakes/FakePlatform.h"
#include "translator/EbonicText.h"
#include "translator/MessageView.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <QTextDocument>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

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

/// The figures of one case as they are measured. A case that runs too long is frozen in the
/// box's layout, so a watchdog thread prints the figures as they stand and ends the process.
class Row
{
public:
    Row(const QByteArray& shape, double fileMb, int columns)
        : m_shape(shape), m_fileMb(fileMb), m_values(std::size_t(columns), kUnmeasured)
    {
        m_watchdog = std::thread([this] {
            std::unique_lock lock(m_mutex);
            if (!m_finished.wait_for(lock, kLongest, [this] { return m_done; })) {
                print(lock);
                std::fflush(stdout);
                std::_Exit(0);
            }
        });
    }
    ~Row()
    {
        {
            std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_finished.notify_one();
        m_watchdog.join();
    }
    /// The step of this column starts now.
    void begin(int column)
    {
        std::lock_guard lock(m_mutex);
        m_running = column;
        m_since = std::chrono::steady_clock::now();
    }
    void set(int column, double value)
    {
        std::lock_guard lock(m_mutex);
        m_values[std::size_t(column)] = value;
        m_running = -1;
    }
    void print()
    {
        std::unique_lock lock(m_mutex);
        print(lock);
    }

private:
    static constexpr double kUnmeasured = -1;
    static constexpr std::chrono::seconds kLongest{300};

    void print(std::unique_lock<std::mutex>&)
    {
        std::printf("%-14s %7.2f", m_shape.constData(), m_fileMb);
        for (std::size_t i = 0; i < m_values.size(); ++i) {
            if (int(i) == m_running) {
                // The step running, or a longer one of the same column before it.
                const auto ran = std::chrono::steady_clock::now() - m_since;
                const double seconds =
                    std::max(std::chrono::duration<double>(ran).count(), m_values[i] / 1e3);
                const QByteArray longer = "> " + QByteArray::number(seconds, 'f', 0) + " s";
                std::printf(" %10s", longer.constData());
            } else if (m_values[i] == kUnmeasured) {
                std::printf(" %10s", "-");
            } else {
                std::printf(" %10.1f", m_values[i]);
            }
        }
        std::printf("\n");
    }

    QByteArray m_shape;
    double m_fileMb;
    std::mutex m_mutex;
    std::condition_variable m_finished;
    bool m_done = false;
    std::vector<double> m_values;
    int m_running = -1;
    std::chrono::steady_clock::time_point m_since;
    std::thread m_watchdog;
};

/// The main window on screen with the translator panel open.
class Window
{
public:
    Window(int& argc, char** argv) : m_app(argc, argv), form(fake.services())
    {
        form.setProcessEnder([](int) {});
        form.Form_Load();
        form.show();
        shown = QTest::qWaitForWindowExposed(&form);
        form.findChild<QPushButton*>(QStringLiteral("cmdOpenEbonic"))->click();
        box = form.findChild<QPlainTextEdit*>(QStringLiteral("Message_Text"));
        box->viewport()->installEventFilter(&m_counter);
        QTest::qWait(50); // the dictionary holder is filled once the window is on screen
    }

    /// Starts counting the peak memory from here on.
    long resetPeak()
    {
        QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
        if (clearRefs.open(QIODevice::WriteOnly))
            clearRefs.write("5");
        return statusKb("VmRSS:");
    }

    /// Runs a step of the row's column and waits until the box has painted.
    template <class Step> double timed(Row& row, int column, Step&& step)
    {
        row.begin(column);
        const int before = m_counter.paints;
        QElapsedTimer timer;
        timer.start();
        step();
        while (m_counter.paints == before && timer.elapsed() < 600'000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        const double ms = timer.nsecsElapsed() / 1e6;
        row.set(column, ms);
        return ms;
    }
    void click(const char* name) { form.findChild<QPushButton*>(QLatin1String(name))->click(); }
    QString message() const { return MessageDisplay::of(box)->message(); }

private:
    GlyphoraApplication m_app;

public:
    platform::fakes::FakePlatform fake;
    Form1 form;
    QPlainTextEdit* box = nullptr;
    bool shown = false;

private:
    PaintCounter m_counter;
};

int runCase(const QByteArray& shape, double megabytes, int argc, char** argv)
{
    Window window(argc, argv);
    if (!window.shown) {
        std::printf("the window was not shown\n");
        return 1;
    }
    const QString path = window.fake.paths.tempPath + QStringLiteral("message.txt");
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
    const long baseKb = window.resetPeak();

    enum { Open, End, Translate, Undo, Peak, Growth, PerMb };
    Row row(shape, fileMb, PerMb + 1);
    window.fake.fileDialogs.answer(path);
    window.timed(row, Open, [&] { window.click("cmdOpen"); });
    const auto shownWhole = [&] { return qHash(window.message()) == digest; };
    const bool whole = shownWhole();
    window.timed(row, End, [&] { window.box->moveCursor(QTextCursor::End); });
    window.timed(row, Translate, [&] { window.click("Cmdtranlate"); });
    window.timed(row, Undo, [&] { window.click("cmdUndo"); });
    const long peakKb = statusKb("VmHWM:");
    const bool back = shownWhole();

    const auto& shown = window.fake.messageBoxes.shown;
    if (!shown.isEmpty() || !whole || !back) {
        std::printf("%s: %s\n", shape.constData(),
                    shown.isEmpty() ? "the message box does not hold the whole message"
                                    : qPrintable(shown.constFirst().text));
        return 1;
    }
    row.set(Peak, peakKb / 1e3);
    row.set(Growth, (peakKb - baseKb) / 1e3);
    row.set(PerMb, (peakKb - baseKb) / 1e3 / fileMb);
    row.print();
    return 0;
}

/// Pastes the text between the two halves of a short message, then types keys into it.
int runPaste(const QByteArray& shape, double megabytes, int argc, char** argv)
{
    Window window(argc, argv);
    if (!window.shown) {
        std::printf("the window was not shown\n");
        return 1;
    }
    const QString text = makeText(shape, qsizetype(megabytes * 1e6));
    const QString before = QStringLiteral("Dear all, "), after = QStringLiteral(" Regards");
    window.box->setPlainText(before + after);
    window.box->setFocus();
    QTextCursor cursor = window.box->textCursor();
    cursor.setPosition(int(before.size()));
    window.box->setTextCursor(cursor);
    QGuiApplication::clipboard()->setText(text);
    const long baseKb = window.resetPeak();

    constexpr int kKeys = 10;
    enum { Paste, KeyMean, KeyMax, Growth };
    Row row(shape, text.toUtf8().size() / 1e6, Growth + 1);
    window.timed(row, Paste, [&] { QTest::keySequence(window.box, QKeySequence::Paste); });
    // The keys go into the middle of the paste, where the box's blocks are full.
    const int middle = window.box->document()->characterCount() / 2;
    const qsizetype typedAt = MessageDisplay::of(window.box)->message(0, middle).size();
    cursor = window.box->textCursor();
    cursor.setPosition(middle);
    window.box->setTextCursor(cursor);
    QTest::qWait(100);
    double total = 0, longest = 0;
    for (int i = 0; i < kKeys; ++i) {
        const double ms = window.timed(row, KeyMax, [&] { QTest::keyClick(window.box, 'k'); });
        total += ms;
        longest = std::max(longest, ms);
        row.set(KeyMax, longest);
    }
    row.set(KeyMean, total / kKeys);
    row.set(Growth, (statusKb("VmHWM:") - baseKb) / 1e3);
    const QString typed = QString(before + text + after).insert(typedAt, QString(kKeys, u'k'));
    if (window.message() != typed) {
        std::printf("%s: the message box does not hold the pasted text\n", shape.constData());
        return 1;
    }
    row.print();
    return 0;
}

/// Runs each case in a process of its own. @return the count of cases that failed
int runAll(const char* option, const QList<std::pair<QByteArray, double>>& cases)
{
    int failures = 0;
    for (const auto& [shape, mb] : cases) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    {QString::fromLatin1(option), QString::fromLatin1(shape), QString::number(mb)});
        child.waitForFinished(-1);
        std::printf("%s", child.readAllStandardOutput().constData());
        std::fflush(stdout);
        if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
            ++failures;
    }
    return failures;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 4 &&
        (std::strcmp(argv[1], "--case") == 0 || std::strcmp(argv[1], "--paste") == 0)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        const bool paste = std::strcmp(argv[1], "--paste") == 0;
        return (paste ? runPaste : runCase)(argv[2], std::atof(argv[3]), argc, argv);
    }

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
    std::printf("%-14s %7s %10s %10s %10s %10s %10s %10s %10s\n", "shape", "MB", "open", "to end",
                "translate", "undo", "peak RSS", "growth", "per MB");
    std::fflush(stdout);
    int failures = runAll("--case", cases);

    std::printf("\nA text pasted into a short message: ms until the box has painted it, ms of "
                "each of ten keys typed into its middle (mean and longest), and the memory's "
                "growth in MB.\n");
    std::printf("%-14s %7s %10s %10s %10s %10s\n", "shape", "MB", "paste", "key", "key max",
                "growth");
    std::fflush(stdout);
    failures += runAll("--paste", {{"word", 1}, {"paragraph", 5}, {"lines", 10}});
    return failures == 0 ? 0 : 1;
}
