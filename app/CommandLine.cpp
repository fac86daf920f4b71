#include "app/CommandLine.h"

#include "catalogue/CatalogueTables.h"
#include "catalogue/ListSearch.h"
#include "catalogue/OwnEntries.h"
#include "platform/DataFolder.h"
#include "platform/Files.h"
#include "platform/KeyChord.h"
#include "platform/QtSettingsStore.h"
#include "platform/Version.h"
#include "translator/Dictionary.h"
#include "translator/DictionaryFile.h"
#include "translator/StreamTranslator.h"
#include "translator/TextEncoding.h"
#include "translator/Translator.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <span>
#include <stdexcept>
#include <string_view>
#include <thread>
#include <unistd.h>

namespace {

constexpr char kUsage[] =
    "Usage: glyphora [QT-OPTION...]\n"
    "       glyphora acronym [is] [WORD...]\n"
    "       glyphora smiley [WORD...]\n"
    "       glyphora translate [FILE...]\n"
    "       glyphora shortcut [KEY | none]\n"
    "       glyphora autostart on | off\n"
    "       glyphora search [words | start]\n"
    "       glyphora --help | --version\n"
    "\n"
    "Without a command, opens the window: emoticons, picture faces, chat acronyms and\n"
    "the slang translator. Qt's window options (-platform, -session, -style, ...) go to it.\n"
    "\n"
    "Commands:\n"
    "  acronym [is] [WORD...]\n"
    "                       prints the acronyms whose caption begins with each WORD,\n"
    "                       letter case ignored, one caption a line in the list's order,\n"
    "                       or all of them\n"
    "  smiley [WORD...]     prints TEXT<TAB>CAPTION for the emoticons whose caption begins\n"
    "                       with each WORD, or for all of them\n"
    "Both list your own entries from smileys.txt and acronyms.txt in the data folder\n"
    "after the built-in ones.\n"
    "  translate [FILE...]  translates each FILE (standard input without one, or for -)\n"
    "                       line by line to standard output, with the dictionary file\n"
    "                       $XDG_DATA_HOME/Glyphora/winup.ico or the built-in dictionary\n"
    "  shortcut [KEY | none]\n"
    "                       prints the key that summons the running window (super+period\n"
    "                       unless changed), or makes KEY that key, such as ctrl+alt+e\n"
    "                       (modifiers ctrl, alt, shift, super; one key), or none\n"
    "  autostart on | off   starts Glyphora minimised at each login, so that its key works\n"
    "                       from the start, or no longer\n"
    "  search [words | start]\n"
    "                       prints how the window's search box finds rows, or sets it:\n"
    "                       words (where no caption begins with the text, a word of one\n"
    "                       may) or start (captions by their beginning only)\n"
    "\n"
    "Options:\n"
    "  --minimized          opens the window minimised\n"
    "  -h, --help           prints this text\n"
    "  --version            prints the version\n"
    "\n"
    "Exit status: 0 when all went well, 1 when a word found nothing, a file could not be\n"
    "read or written or the window found no display, 2 when the command line is wrong.\n";

constexpr int kFailure = 1;
constexpr int kUsageError = 2;

/// The options QGuiApplication, QApplication and the X11 platform take for a window, with
/// one or two leading dashes; the first group takes a value.
constexpr std::string_view kQtOptionsWithValue[] = {"platform",
                                                    "platformpluginpath",
                                                    "platformtheme",
                                                    "plugin",
                                                    "qwindowgeometry",
                                                    "qwindowicon",
                                                    "qwindowtitle",
                                                    "session",
                                                    "display",
                                                    "geometry",
                                                    "title",
                                                    "icon",
                                                    "name",
                                                    "style",
                                                    "stylesheet",
                                                    "visual",
                                                    "qmljsdebugger"};
constexpr std::string_view kQtFlags[] = {"reverse", "widgetcount", "sync",
                                         "nograb",  "dograb",      "testability"};

enum class QtOption { None, Alone, WithValue };

QtOption qtOption(std::string_view argument)
{
    if (argument.size() < 2 || argument[0] != '-')
        return QtOption::None;
    std::string_view name = argument.substr(argument.starts_with("--") ? 2 : 1);
    const std::size_t equals = name.find('=');
    const bool valueAttached = equals != std::string_view::npos;
    name = name.substr(0, equals);
    for (std::string_view option : kQtOptionsWithValue) {
        if (name == option)
            return valueAttached ? QtOption::Alone : QtOption::WithValue;
    }
    for (std::string_view option : kQtFlags) {
        if (name == option && !valueAttached)
            return QtOption::Alone;
    }
    return QtOption::None;
}

void writeError(const QByteArray& text)
{
    const char* p = text.constData();
    qsizetype left = text.size();
    while (left > 0) {
        const ssize_t n = ::write(STDERR_FILENO, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return; // nowhere left to complain
        p += n;
        left -= n;
    }
}

/// The line with what a terminal would act on written out: control characters, C1 controls
/// and bytes that are not UTF-8 (a lone 0x9B is a control to some terminals), so that a
/// file name or argument cannot move the cursor, recolour or retitle the terminal.
QByteArray escapeControls(const QByteArray& line)
{
    QByteArray escaped;
    escaped.reserve(line.size());
    const auto hex = [&escaped](const char* prefix, unsigned value, int digits) {
        escaped += prefix + QByteArray::number(value, 16).rightJustified(digits, '0');
    };
    for (qsizetype i = 0; i < line.size();) {
        const auto byte = static_cast<unsigned char>(line[i]);
        if (byte >= 0x20 && byte < 0x7F) {
            escaped += char(byte);
            ++i;
            continue;
        }
        if (byte == '\t' || byte == '\n' || byte == '\r') {
            escaped += byte == '\t' ? "\\t" : byte == '\n' ? "\\n" : "\\r";
            ++i;
            continue;
        }
        const int length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        const QByteArrayView sequence =
            QByteArrayView(line).sliced(i).first(std::min<qsizetype>(length, line.size() - i));
        if (length == 1 || sequence.size() < length || !translator::isValidUtf8(sequence)) {
            hex("\\x", byte, 2); // a control, or not UTF-8
            ++i;
            continue;
        }
        if (byte == 0xC2 && static_cast<unsigned char>(sequence[1]) < 0xA0)
            hex("\\u", static_cast<unsigned char>(sequence[1]), 4); // U+0080 to U+009F
        else
            escaped += sequence;
        i += length;
    }
    return escaped;
}

void printError(const QByteArray& line)
{
    writeError("glyphora: " + escapeControls(line) + '\n');
}

QByteArray systemReason(int error)
{
    return QByteArray(std::strerror(error));
}

int usageError(const QByteArray& line)
{
    writeError("glyphora: " + escapeControls(line) + '\n' + kUsage);
    return kUsageError;
}

/// Standard output, where a failed write is remembered rather than ignored.
class Output
{
public:
    bool write(const char* bytes, qint64 size)
    {
        while (size > 0 && m_error == 0) {
            const ssize_t n =
                ::write(STDOUT_FILENO, bytes, size_t(std::min<qint64>(size, 1 << 30)));
            if (n < 0) {
                if (errno != EINTR)
                    m_error = errno;
                continue;
            }
            bytes += n;
            size -= n;
        }
        return m_error == 0;
    }
    bool write(const QByteArray& bytes) { return write(bytes.constData(), bytes.size()); }

    /// @return the exit status once everything is written: a full disk on some file systems
    ///         shows only when the output is closed
    int finish(int status)
    {
        if (m_error == 0 && ::close(STDOUT_FILENO) != 0 && errno != EBADF && errno != EINTR)
            m_error = errno;
        if (m_error == 0)
            return status;
        printError("cannot write to standard output: " + systemReason(m_error));
        return kFailure;
    }

private:
    int m_error = 0;
};

int printText(const QByteArray& text)
{
    Output out;
    out.write(text);
    return out.finish(0);
}

int printUsage()
{
    return printText(QByteArray(kUsage));
}

int printVersion()
{
    return printText(QByteArray("Glyphora ") + platform::kVersion + '\n');
}

/// Splits a command's arguments into its operands ("-" is one); --help, --version and
/// unknown options end the command with a status.
std::optional<int> operandsOf(std::span<char*> arguments, QList<QByteArray>* operands)
{
    bool optionsEnded = false;
    for (char* argument : arguments) {
        const std::string_view text(argument);
        if (!optionsEnded && text.size() > 1 && text[0] == '-') {
            if (text == "--")
                optionsEnded = true;
            else if (text == "--help" || text == "-h")
                return printUsage();
            else if (text == "--version")
                return printVersion();
            else
                return usageError("unknown option '" + QByteArray(argument) + "'");
            continue;
        }
        operands->append(QByteArray(argument));
    }
    return std::nullopt;
}

/// The built-in rows and the user's own from the data folder, whose skipped lines are
/// named on the error output, one a line.
catalogue::CatalogueList listedEntries(std::span<const catalogue::CatalogueEntry> table,
                                       QLatin1StringView ownFileName)
{
    const QString folder = platform::dataFolderPath();
    if (folder.isEmpty())
        return catalogue::CatalogueList(table);
    const catalogue::OwnEntries own =
        catalogue::readOwnEntries(folder + QLatin1Char('/') + ownFileName);
    for (const QString& problem : own.problems)
        printError(problem.toLocal8Bit());
    if (own.unnamed > 0)
        printError(QStringLiteral("%1: %2 more lines were skipped.")
                       .arg(folder + QLatin1Char('/') + ownFileName)
                       .arg(own.unnamed)
                       .toLocal8Bit());
    return catalogue::CatalogueList(table, own.entries);
}

/// Prints, for each word, the list's entries whose caption begins with it, in list order;
/// every entry without a word.
int printMatches(const catalogue::CatalogueList& list, QList<QByteArray> words, bool withText,
                 const char* what)
{
    if (words.isEmpty())
        words.append(QByteArray()); // every caption begins with nothing
    QByteArray text;
    int status = 0;
    for (const QByteArray& word : words) {
        const QString wanted = QString::fromLocal8Bit(word);
        bool found = false;
        for (int row = 0; row < list.size(); ++row) {
            const QString& caption = list.captions()[row];
            if (!catalogue::captionStartsWith(caption, wanted))
                continue;
            found = true;
            if (withText)
                text += list.textAt(row).toUtf8() + '\t';
            text += caption.toUtf8() + '\n';
        }
        if (!found) {
            printError(QByteArray("no ") + what + " caption begins with '" + word + "'");
            status = kFailure;
        }
    }
    Output out;
    out.write(text);
    return out.finish(status);
}

/// Splits a search command's arguments into its words. An empty word would match every
/// entry; it is far likelier an unset shell variable than a wish for the whole list.
std::optional<int> wordsOf(std::span<char*> arguments, const char* command,
                           QList<QByteArray>* words)
{
    if (std::optional<int> status = operandsOf(arguments, words))
        return status;
    if (words->contains(QByteArray()))
        return usageError(QByteArray(command) + " was given an empty WORD");
    return std::nullopt;
}

int runAcronym(std::span<char*> arguments)
{
    QList<QByteArray> words;
    if (std::optional<int> status = wordsOf(arguments, "acronym", &words))
        return *status;
    // "glyphora acronym is brb": the question as one would ask it.
    if (words.size() > 1 && words.first().compare("is", Qt::CaseInsensitive) == 0)
        words.removeFirst();
    return printMatches(listedEntries(catalogue::acronymTable(), catalogue::kOwnAcronymsFileName),
                        words, false, "acronym");
}

int runSmiley(std::span<char*> arguments)
{
    QList<QByteArray> words;
    if (std::optional<int> status = wordsOf(arguments, "smiley", &words))
        return *status;
    return printMatches(listedEntries(catalogue::smileyTable(), catalogue::kOwnSmileysFileName),
                        words, true, "emoticon");
}

/// The records the window would translate with, or the built-in ones and a warning that
/// says why the user's file is not used.
QList<translator::DictionaryRecord> dictionaryRecords()
{
    using namespace translator;
    LoadedDictionary dictionary =
        loadDictionaryFile(dictionaryFilePath(platform::dataFolderPath()));
    if (dictionary.outcome == DictionaryLoad::Loaded)
        return std::move(dictionary.records);
    QString problem = dictionary.problem;
    if (dictionary.outcome == DictionaryLoad::Missing)
        problem += QStringLiteral(" The window creates it when it first starts.");
    // One line: the reason a read failed comes on a line of its own in the window.
    problem.replace(QStringLiteral(":\n"), QStringLiteral(": "));
    if (!problem.isEmpty())
        problem[0] = problem[0].toLower();
    printError((problem + QStringLiteral(" Using the built-in dictionary.")).toLocal8Bit());
    return builtInRecords();
}

int runTranslate(std::span<char*> arguments)
{
    QList<QByteArray> files;
    if (std::optional<int> status = operandsOf(arguments, &files))
        return *status;
    if (files.isEmpty())
        files.append("-");

    const translator::Translator translator(dictionaryRecords());
    // A second processor translates half of each long run of lines.
    const qsizetype shareFrom = std::thread::hardware_concurrency() > 1 ? qsizetype(64) << 10 : 0;
    translator::StreamTranslator stream(
        translator, translator::StreamTranslator::kDefaultBufferBytes, shareFrom);
    Output out;
    const translator::StreamTranslator::Writer write = [&out](const char* bytes, qint64 size) {
        return out.write(bytes, size);
    };
    int status = 0;
    for (const QByteArray& file : files) {
        const bool standardInput = file == "-";
        const QByteArray name = standardInput ? QByteArray("standard input") : file;
        const int fd =
            standardInput ? STDIN_FILENO : ::open(file.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            const int openError = errno;
            printError(name + ": " + systemReason(openError));
            status = kFailure;
            continue;
        }
        int readError = 0;
        const translator::StreamTranslator::Reader read = [fd, &readError](char* buffer,
                                                                           qint64 capacity) {
            while (true) {
                const ssize_t n = ::read(fd, buffer, size_t(capacity));
                if (n >= 0)
                    return qint64(n);
                if (errno != EINTR) {
                    readError = errno;
                    return qint64(-1);
                }
            }
        };
        const auto outcome = stream.translate(read, write);
        if (!standardInput)
            ::close(fd);
        if (outcome == translator::StreamTranslator::Outcome::WriteFailed)
            return out.finish(kFailure);
        if (outcome == translator::StreamTranslator::Outcome::ReadFailed) {
            printError(name + ": " + systemReason(readError));
            status = kFailure;
        }
    }
    return out.finish(status);
}

/// The command's one operand, or the status of the usage error where there is not one.
std::optional<int> oneOperand(std::span<char*> arguments, const char* command, const char* what,
                              QList<QByteArray>* operands, bool optional)
{
    if (std::optional<int> status = operandsOf(arguments, operands))
        return status;
    if (operands->size() > 1 || (operands->isEmpty() && !optional))
        return usageError(QByteArray(command) + " takes " + (optional ? "at most " : "") + "one " +
                          what);
    return std::nullopt;
}

/// @return the command's status: stored, or not and why
int storeSetting(platform::SettingsStore& settings, const QString& key, const QString& value,
                 const char* what)
{
    try {
        settings.SaveSetting(platform::kSettingsApp, platform::kSettingsSection, key, value);
    } catch (const std::runtime_error& error) {
        printError(QByteArray(what) + " was not stored: " + error.what());
        return kFailure;
    }
    return 0;
}

int runShortcut(std::span<char*> arguments)
{
    QList<QByteArray> operands;
    if (std::optional<int> status = oneOperand(arguments, "shortcut", "KEY", &operands, true))
        return *status;
    platform::QtSettingsStore settings;
    if (operands.isEmpty()) {
        const platform::SummonKeySetting key = platform::summonKeyFromSetting(settings.GetSetting(
            platform::kSettingsApp, platform::kSettingsSection, platform::kSummonKeySetting));
        if (!key.problem.isEmpty())
            printError(key.problem.toLocal8Bit());
        return printText(
            (key.chord ? platform::keyChordName(*key.chord) : platform::kNoSummonKey.toString())
                .toUtf8() +
            '\n');
    }
    const QString wanted = QString::fromLocal8Bit(operands.first());
    QString stored = platform::kNoSummonKey.toString();
    if (wanted.trimmed().compare(platform::kNoSummonKey, Qt::CaseInsensitive) != 0) {
        const platform::KeyChordParse parsed = platform::parseKeyChord(wanted);
        if (!parsed.chord)
            return usageError("shortcut: " + parsed.problem.toLocal8Bit());
        stored = platform::keyChordName(*parsed.chord);
    }
    // The running window follows the settings file.
    return storeSetting(settings, platform::kSummonKeySetting, stored, "the key");
}

int runSearch(std::span<char*> arguments)
{
    QList<QByteArray> operands;
    if (std::optional<int> status =
            oneOperand(arguments, "search", "word, words or start", &operands, true))
        return *status;
    platform::QtSettingsStore settings;
    if (operands.isEmpty()) {
        const bool start =
            settings.GetSetting(platform::kSettingsApp, platform::kSettingsSection,
                                platform::kSearchSetting) == platform::kSearchByStart;
        return printText((start ? platform::kSearchByStart : platform::kSearchByWords).toUtf8() +
                         '\n');
    }
    const QString wanted = QString::fromLocal8Bit(operands.first());
    if (wanted != platform::kSearchByWords && wanted != platform::kSearchByStart)
        return usageError("search takes words or start, not '" + operands.first() + "'");
    return storeSetting(settings, platform::kSearchSetting, wanted, "the choice");
}

/// The desktop entry that starts Glyphora with the session, minimised.
QByteArray autostartEntry()
{
    // The program as it runs now: the one the user chose, from wherever it is installed.
    QByteArray program =
        QFile::encodeName(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget());
    if (program.isEmpty())
        program = "glyphora";
    // An Exec argument with anything but plain characters is quoted, and the quote's own
    // escapes are escaped again as the entry's strings are.
    bool plain = true;
    for (char c : std::as_const(program))
        plain = plain &&
                (std::isalnum(static_cast<unsigned char>(c)) || QByteArray("/._-+").contains(c));
    if (!plain) {
        QByteArray quoted = "\"";
        for (char c : std::as_const(program)) {
            if (QByteArray("\"`$\\").contains(c))
                quoted += "\\\\";
            quoted += c;
        }
        program = quoted + '"';
    }
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Glyphora\n"
           "Comment=Starts Glyphora minimised, so that its summon key works from login\n"
           "Exec=" +
           program +
           " --minimized\n"
           "Icon=org.example.Glyphora\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

int runAutostart(std::span<char*> arguments)
{
    QList<QByteArray> operands;
    if (std::optional<int> status =
            oneOperand(arguments, "autostart", "word, on or off", &operands, false))
        return *status;
    const QByteArray& word = operands.first();
    if (word != "on" && word != "off")
        return usageError("autostart takes on or off, not '" + word + "'");
    const QString config = platform::configHomePath();
    if (config.isEmpty()) {
        printError(QByteArray("there is no settings folder (") + platform::kNoUserFolderReason +
                   "), so no autostart entry");
        return kFailure;
    }
    const QString folder = config + QStringLiteral("/autostart");
    const QString path = folder + QStringLiteral("/glyphora.desktop");
    if (word == "off") {
        QFile entry(path);
        if (!entry.exists() && !QFileInfo(path).isSymLink())
            return 0;
        if (!entry.remove()) {
            printError(QFile::encodeName(path) + ": " + entry.errorString().toLocal8Bit());
            return kFailure;
        }
        return 0;
    }
    if (!QDir().mkpath(folder)) {
        printError(QFile::encodeName(folder) + ": the folder cannot be created");
        return kFailure;
    }
    QString error;
    if (!platform::ReplaceFile(path, autostartEntry(), &error)) {
        printError(QFile::encodeName(path) + ": " + error.toLocal8Bit());
        return kFailure;
    }
    return 0;
}

} // namespace

std::optional<int> RunCommandLine(int argc, char* argv[])
{
    const std::span<char*> arguments(argv + 1, argv + std::max(argc, 1));
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument(arguments[i]);
        switch (qtOption(argument)) {
        case QtOption::WithValue:
            // Qt would ignore it without a word and open the window as if it were not given.
            if (i + 1 == arguments.size())
                return usageError("option '" + QByteArray(arguments[i]) + "' needs a value");
            ++i;
            continue;
        case QtOption::Alone:
            continue;
        case QtOption::None:
            break;
        }
        const std::span<char*> rest = arguments.subspan(i + 1);
        if (argument == "--help" || argument == "-h")
            return printUsage();
        if (argument == "--version")
            return printVersion();
        if (argument == "acronym")
            return runAcronym(rest);
        if (argument == "smiley")
            return runSmiley(rest);
        if (argument == "translate")
            return runTranslate(rest);
        if (argument == "shortcut")
            return runShortcut(rest);
        if (argument == "autostart")
            return runAutostart(rest);
        if (argument == "search")
            return runSearch(rest);
        // The window's own option.
        if (argument == "--minimized")
            continue;
        if (argument.starts_with('-'))
            return usageError("unknown option '" + QByteArray(arguments[i]) + "'");
        return usageError("unknown command '" + QByteArray(arguments[i]) + "'");
    }
    // No arguments, or only Qt's: the window.
    return std::nullopt;
}
