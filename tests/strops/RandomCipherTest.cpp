// Random numbers, the fixed scrambling and the keyed cipher.

#include "strops/pStringOps.h"
#include "tests/support/StropsTestSupport.h"

#include <QtTest>
#include <climits>
#include <cmath>
#include <random>

using B = QByteArray;

namespace {
B show(const pStringOps::Variant& v)
{
    return B::fromStdString(stropstest::describe(v));
}
} // namespace

class RandomCipherTest : public QObject
{
    Q_OBJECT
private slots:
    void randomNumberStaysInBounds_data();
    void randomNumberStaysInBounds();
    void randomString();
    void cipher_data();
    void cipher();
    void badKeyTouchesNothing();
    void decryptUndoesEncrypt();
};

void RandomCipherTest::randomNumberStaysInBounds_data()
{
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("lower");
    QTest::newRow("equal") << 5 << 5;
    QTest::newRow("small") << 10 << 1;
    QTest::newRow("reversed") << 1 << 10;
    QTest::newRow("negative") << -3 << -700;
    QTest::newRow("widest") << INT_MAX << INT_MIN;
    QTest::newRow("widest reversed") << INT_MIN << INT_MAX;
    QTest::newRow("top") << INT_MAX << INT_MAX;
    QTest::newRow("bottom") << INT_MIN << INT_MIN;
    QTest::newRow("beside zero") << 0 << -1;
}

void RandomCipherTest::randomNumberStaysInBounds()
{
    QFETCH(int, upper);
    QFETCH(int, lower);
    const int low = std::min(upper, lower);
    const int high = std::max(upper, lower);
    const pStringOps ops;
    for (int i = 0; i < 500; ++i) {
        const int n = ops.RandomNumber(upper, lower);
        QVERIFY2(n >= low && n <= high, QByteArray::number(n));
    }
    // Every second of the clock, with the generator at its extremes and in between.
    const float draws[] = {0.0f, std::nextafter(1.0f, 0.0f), 0.5f, 0.123f, 0.999f};
    for (int second = 0; second < 60; ++second) {
        for (const float r : draws) {
            const int n = strops::randomNumberWith(upper, lower, second, [r] { return r; });
            QVERIFY2(n >= low && n <= high, QByteArray::number(n));
        }
    }
    if (low == high)
        QCOMPARE(ops.RandomNumber(upper, lower), low);
}

void RandomCipherTest::randomString()
{
    const pStringOps ops;
    std::string text = "abcde";
    QCOMPARE(show(ops.RandomString(text)), B("'bdaec'"));
    QCOMPARE(text, std::string("bdaec"));
    text.clear();
    QCOMPARE(show(ops.RandomString(text)), B("''"));

    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        std::string s(rng() % 40, ' ');
        for (char& c : s)
            c = static_cast<char>('a' + rng() % 26);
        std::string work = s;
        ops.RandomString(work);
        QCOMPARE(work, stropstest::modelRandomString(s));
    }
}

void RandomCipherTest::cipher_data()
{
    QTest::addColumn<B>("plain");
    QTest::addColumn<B>("key");
    QTest::addColumn<B>("enciphered");
    QTest::newRow("trimmed first") << B(" ab ") << B("1") << B("bc");
    QTest::newRow("key cycles") << B("abcd") << B("12") << B("bddf");
    QTest::newRow("wraps at 255") << B("\xfa\xff") << B("9") << B("\x04\x09");
    QTest::newRow("zero digit") << B("a") << B("0") << B("a");
    QTest::newRow("empty text") << B("") << B("5") << B("");
}

void RandomCipherTest::cipher()
{
    QFETCH(B, plain);
    QFETCH(B, key);
    QFETCH(B, enciphered);
    const pStringOps ops;
    std::string text = plain.toStdString();
    QCOMPARE(show(ops.Encrypt(text, key.toStdString())), "'" + enciphered + "'");
    QCOMPARE(B::fromStdString(text), enciphered);
    QCOMPARE(show(ops.Decrypt(text, key.toStdString())), "'" + plain.trimmed() + "'");
}

void RandomCipherTest::badKeyTouchesNothing()
{
    const pStringOps ops;
    for (const char* key : {"", "1a", "a1", " 1", "-1"}) {
        std::string text = " x ";
        QCOMPARE(show(ops.Encrypt(text, key)), B("int 0"));
        QCOMPARE(show(ops.Decrypt(text, key)), B("int 0"));
        QCOMPARE(text, std::string(" x "));
    }
}

// Decrypt gives back the trimmed input for every text of codes 1 to 255 whose enciphered
// form neither begins nor ends with a space.
void RandomCipherTest::decryptUndoesEncrypt()
{
    std::mt19937 rng(4242);
    int checked = 0;
    int calls = 0;
    const pStringOps ops([&] { ++calls; });
    for (int round = 0; round < 2000; ++round) {
        std::string plain(rng() % 30, ' ');
        for (char& c : plain)
            c = static_cast<char>(1 + rng() % 255);
        std::string key(1 + rng() % 6, '0');
        for (char& c : key)
            c = static_cast<char>('0' + rng() % 10);

        std::string text = plain;
        ops.Encrypt(text, key);
        if (!text.empty() && (text.front() == ' ' || text.back() == ' '))
            continue;
        calls = 0;
        QVERIFY(std::holds_alternative<std::string>(ops.Decrypt(text, key)));
        QCOMPARE(calls, int(text.size()));
        const auto first = plain.find_first_not_of(' ');
        const std::string trimmed =
            first == std::string::npos
                ? ""
                : plain.substr(first, plain.find_last_not_of(' ') - first + 1);
        QCOMPARE(text, trimmed);
        ++checked;
    }
    QVERIFY(checked > 1500);
}

QTEST_GUILESS_MAIN(RandomCipherTest)
#include "RandomCipherTest.moc"
