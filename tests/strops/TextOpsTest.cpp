// Extraction, stripping, search and replace.

#include "strops/pStringOps.h"
#include "tests/support/StropsTestSupport.h"

#include <QtTest>
#include <random>
#include <stdexcept>

using B = QByteArray;

namespace {
std::string str(const B& bytes)
{
    return bytes.toStdString();
}
B show(const pStringOps::Variant& v)
{
    return B::fromStdString(stropstest::describe(v));
}
} // namespace

class TextOpsTest : public QObject
{
    Q_OBJECT
private slots:
    void afterAndBefore_data();
    void afterAndBefore();
    void delimited_data();
    void delimited();
    void delimitedWithoutCollection();
    void stripDelimited_data();
    void stripDelimited();
    void stripSingle_data();
    void stripSingle();
    void searchReplace_data();
    void searchReplace();
    void plainTextMethods_data();
    void plainTextMethods();
    void byteArrayToString();
    void failingHookLeavesTextAlone();
    void onePassMatchesCutByCut();
};

void TextOpsTest::afterAndBefore_data()
{
    QTest::addColumn<B>("expression");
    QTest::addColumn<B>("delimiter");
    QTest::addColumn<B>("after");
    QTest::addColumn<B>("before");
    QTest::newRow("plain") << B("a=b") << B("=") << B("'b'") << B("'a'");
    QTest::newRow("delimiter at end") << B("abc=") << B("=") << B("''") << B("'abc'");
    QTest::newRow("case ignored") << B("abcXdef") << B("x") << B("'def'") << B("'abc'");
    QTest::newRow("first of several") << B("a==b=c") << B("==") << B("'b=c'") << B("'a'");
    QTest::newRow("absent") << B("abc") << B("=") << B("int 0") << B("int 0");
    QTest::newRow("empty text") << B("") << B("=") << B("int 0") << B("int 0");
    QTest::newRow("empty delimiter") << B("abc") << B("") << B("'abc'") << B("''");
}

void TextOpsTest::afterAndBefore()
{
    QFETCH(B, expression);
    QFETCH(B, delimiter);
    QFETCH(B, after);
    QFETCH(B, before);
    const pStringOps ops;
    QCOMPARE(show(ops.GetAllAfter(str(expression), str(delimiter))), after);
    QCOMPARE(show(ops.GetAllBefore(str(expression), str(delimiter))), before);
}

void TextOpsTest::delimited_data()
{
    QTest::addColumn<B>("expression");
    QTest::addColumn<B>("open");
    QTest::addColumn<B>("close");
    QTest::addColumn<B>("first");
    QTest::addColumn<QList<B>>("all");
    QTest::newRow("two pairs") << B("say [hi] and [bye]") << B("[") << B("]") << B("'hi'")
                               << QList<B>{"hi", "bye"};
    QTest::newRow("nested") << B("[x[y]z]") << B("[") << B("]") << B("'x[y'")
                            << QList<B>{"x[y", "y"};
    QTest::newRow("no close") << B("say [hi") << B("[") << B("]") << B("int 0") << QList<B>{};
    QTest::newRow("no open") << B("say hi]") << B("[") << B("]") << B("int 0") << QList<B>{};
    QTest::newRow("empty item") << B("a[]b") << B("[") << B("]") << B("''") << QList<B>{""};
    QTest::newRow("case ignored") << B("x<B>y</b>z") << B("<b>") << B("</B>") << B("'y'")
                                  << QList<B>{"y"};
    // The close delimiter must not be found inside the open one.
    QTest::newRow("close overlaps open")
        << B("/*/ x */") << B("/*") << B("*/") << B("'/ x '") << QList<B>{"/ x "};
    QTest::newRow("close inside open")
        << B("<<a<") << B("<<") << B("<") << B("'a'") << QList<B>{"a"};
}

void TextOpsTest::delimited()
{
    QFETCH(B, expression);
    QFETCH(B, open);
    QFETCH(B, close);
    QFETCH(B, first);
    QFETCH(QList<B>, all);
    const pStringOps ops;
    QCOMPARE(show(ops.GetDelimitedSingle(str(expression), str(open), str(close))), first);

    std::vector<std::string> items{"kept"};
    QCOMPARE(show(ops.GetDelimited(str(expression), &items, str(open), str(close))), B("nothing"));
    QList<B> got;
    for (const auto& item : items)
        got << B::fromStdString(item);
    QCOMPARE(got, QList<B>{"kept"} + all);
}

void TextOpsTest::delimitedWithoutCollection()
{
    const pStringOps ops;
    QCOMPARE(show(ops.GetDelimited("a[b]", nullptr, "[", "]")), B("int 0"));
    QCOMPARE(show(ops.GetDelimited("a[b", nullptr, "[", "]")), B("nothing"));
}

void TextOpsTest::stripDelimited_data()
{
    QTest::addColumn<B>("expression");
    QTest::addColumn<B>("open");
    QTest::addColumn<B>("close");
    QTest::addColumn<B>("expected");
    QTest::newRow("two pairs") << B("a<b>c<d>e") << B("<") << B(">") << B("ace");
    QTest::newRow("open without close stays") << B("a<b>c<d") << B("<") << B(">") << B("ac<d");
    QTest::newRow("case ignored") << B("1<X>a</x>2") << B("<x>") << B("</X>") << B("12");
    QTest::newRow("close overlaps open")
        << B("keep /*/ gone */ this") << B("/*") << B("*/") << B("keep  this");
    QTest::newRow("empty text") << B("") << B("<") << B(">") << B("");
    QTest::newRow("empty open") << B("a>b>c") << B("") << B(">") << B("c");
}

void TextOpsTest::stripDelimited()
{
    QFETCH(B, expression);
    QFETCH(B, open);
    QFETCH(B, close);
    QFETCH(B, expected);
    std::string text = str(expression);
    QCOMPARE(show(pStringOps().StripDelimited(text, str(open), str(close))), "'" + expected + "'");
    QCOMPARE(B::fromStdString(text), expected);
}

void TextOpsTest::stripSingle_data()
{
    QTest::addColumn<B>("expression");
    QTest::addColumn<B>("strip");
    QTest::addColumn<B>("expected");
    QTest::newRow("case ignored") << B("Banana") << B("A") << B("Bnn");
    QTest::newRow("longer text") << B("xabyABz") << B("ab") << B("xyz");
    QTest::newRow("join is not rescanned") << B("aabb") << B("ab") << B("ab");
    QTest::newRow("all of it") << B("xXx") << B("x") << B("");
    QTest::newRow("empty strip") << B("abc") << B("") << B("abc");
}

void TextOpsTest::stripSingle()
{
    QFETCH(B, expression);
    QFETCH(B, strip);
    QFETCH(B, expected);
    std::string text = str(expression);
    QCOMPARE(show(pStringOps().StripSingle(text, str(strip))), "'" + expected + "'");
    QCOMPARE(B::fromStdString(text), expected);
}

void TextOpsTest::searchReplace_data()
{
    QTest::addColumn<B>("expression");
    QTest::addColumn<B>("find");
    QTest::addColumn<B>("replacement");
    QTest::addColumn<B>("expected");
    QTest::newRow("every occurrence") << B("Banana") << B("a") << B("o") << B("Bonono");
    QTest::newRow("case matters") << B("BAnana") << B("A") << B("o") << B("Bonana");
    QTest::newRow("no overlap") << B("aaa") << B("aa") << B("b") << B("ba");
    QTest::newRow("replacement not rescanned") << B("aa") << B("a") << B("aa") << B("aaaa");
    QTest::newRow("removal") << B("abc") << B("b") << B("") << B("ac");
    QTest::newRow("empty find") << B("abc") << B("") << B("x") << B("abc");
}

void TextOpsTest::searchReplace()
{
    QFETCH(B, expression);
    QFETCH(B, find);
    QFETCH(B, replacement);
    QFETCH(B, expected);
    const std::string text = str(expression);
    QCOMPARE(show(pStringOps().SearchReplace(text, str(find), str(replacement))),
             "'" + expected + "'");
}

void TextOpsTest::plainTextMethods_data()
{
    QTest::addColumn<B>("method");
    QTest::addColumn<B>("input");
    QTest::addColumn<B>("expected");
    QTest::newRow("spaces: empty") << B("StripSpaces") << B("") << B("");
    QTest::newRow("spaces: only spaces") << B("StripSpaces") << B("   ") << B("");
    QTest::newRow("spaces: tabs stay") << B("StripSpaces") << B(" a b\tc ") << B("ab\tc");
    QTest::newRow("special") << B("StripSpecialCharacters")
                             << B("a\xe9"
                                  "b\x80\x7f")
                             << B("ab\x7f");
    QTest::newRow("trim: blanks only") << B("TrimWithoutPrejudice") << B("\t\r\n ") << B("");
    QTest::newRow("trim: inner kept")
        << B("TrimWithoutPrejudice") << B("\x01\t a b\r\n") << B("a b");
    QTest::newRow("trim: high bytes print")
        << B("TrimWithoutPrejudice") << B(" \xe9 ") << B("\xe9");
    QTest::newRow("reverse") << B("ReverseString") << B("abc") << B("cba");
    QTest::newRow("reverse: empty") << B("ReverseString") << B("") << B("");
    QTest::newRow("path") << B("GetFilenameFromPath") << B("C:\\dir\\file.txt") << B("file.txt");
    QTest::newRow("path: no backslash") << B("GetFilenameFromPath") << B("file.txt") << B("");
    QTest::newRow("path: ends in backslash") << B("GetFilenameFromPath") << B("C:\\dir\\") << B("");
}

void TextOpsTest::plainTextMethods()
{
    QFETCH(B, method);
    QFETCH(B, input);
    QFETCH(B, expected);
    const pStringOps ops;
    const std::string in = str(input);
    std::string out;
    if (method == "StripSpaces")
        out = ops.StripSpaces(in);
    else if (method == "StripSpecialCharacters")
        out = ops.StripSpecialCharacters(in);
    else if (method == "TrimWithoutPrejudice")
        out = ops.TrimWithoutPrejudice(in);
    else if (method == "ReverseString")
        out = ops.ReverseString(in);
    else
        out = ops.GetFilenameFromPath(in);
    QCOMPARE(B::fromStdString(out), expected);
}

void TextOpsTest::byteArrayToString()
{
    const pStringOps ops;
    const std::vector<std::uint8_t> withZero{'a', 'b', 'c', 0, 'x', 0};
    QCOMPARE(show(ops.ByteArrayToString(withZero)), B("'abc'"));
    const std::vector<std::uint8_t> plain{'a', 0xe9};
    QCOMPARE(show(ops.ByteArrayToString(plain)), B("'a\xe9'"));
    QCOMPARE(show(ops.ByteArrayToString({})), B("''"));
}

void TextOpsTest::failingHookLeavesTextAlone()
{
    int calls = 0;
    const pStringOps counting([&] { ++calls; });
    std::string text = "a<b>c<d>e";
    counting.StripDelimited(text, "<", ">");
    QVERIFY(calls >= 2);

    const pStringOps failing([] { throw std::runtime_error("window gone"); });
    text = "a<b>c";
    QCOMPARE(show(failing.StripDelimited(text, "<", ">")), B("int 0"));
    QCOMPARE(text, std::string("a<b>c"));
    text = "Banana";
    QCOMPARE(show(failing.StripSingle(text, "a")), B("int 0"));
    QCOMPARE(text, std::string("Banana"));
}

// The loops run in one pass; random texts full of delimiters must give what cutting the text
// step by step gives.
void TextOpsTest::onePassMatchesCutByCut()
{
    std::mt19937 rng(20240611);
    const std::string alphabet = "aAbB<>[]/*";
    const auto randomText = [&](std::size_t maxLength) {
        std::string s(rng() % (maxLength + 1), ' ');
        for (char& c : s)
            c = alphabet[rng() % alphabet.size()];
        return s;
    };
    const pStringOps ops;
    for (int round = 0; round < 3000; ++round) {
        const std::string text = randomText(24);
        const std::string open = randomText(2);
        const std::string close = randomText(2);
        std::string work = text;
        ops.StripDelimited(work, open, close);
        QCOMPARE(work, stropstest::modelStripDelimited(text, open, close));
        work = text;
        ops.StripSingle(work, open);
        QCOMPARE(work, stropstest::modelStripSingle(text, open));
        std::vector<std::string> items;
        ops.GetDelimited(text, &items, open, close);
        QCOMPARE(items, stropstest::modelGetDelimited(text, open, close));
    }
}

QTEST_GUILESS_MAIN(TextOpsTest)
#include "TextOpsTest.moc"
