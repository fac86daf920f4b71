// Validation, telephone formatting and size conversion.

#include "strops/pStringOps.h"

#include <QtTest>
#include <climits>
#include <stdexcept>

using B = QByteArray;

class FormatTest : public QObject
{
    Q_OBJECT
private slots:
    void smallChecks();
    void creditCard_data();
    void creditCard();
    void zipCode_data();
    void zipCode();
    void phoneFormat_data();
    void phoneFormat();
    void phoneLetterToDigit();
    void sizes();
};

void FormatTest::smallChecks()
{
    const pStringOps ops;
    QVERIFY(ops.IsEven(0) && ops.IsEven(-4) && ops.IsEven(INT_MIN));
    QVERIFY(!ops.IsEven(-3) && !ops.IsEven(INT_MAX));
    for (const char* yes : {"a", "Z", "5"})
        QVERIFY2(ops.IsAlphaNumeric(yes), yes);
    for (const char* no : {"ab", "", "_", "\xe9"})
        QVERIFY2(!ops.IsAlphaNumeric(no), no);
}

void FormatTest::creditCard_data()
{
    QTest::addColumn<B>("number");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<B>("rewritten");
    QTest::newRow("spaces") << B("4111 1111 1111 1111") << true << B("4111111111111111");
    QTest::newRow("dashes, bad check")
        << B("4111-1111-1111-1112") << false << B("4111111111111112");
    QTest::newRow("zero") << B("0") << true << B("0");
    QTest::newRow("classic") << B("79927398713") << true << B("79927398713");
    QTest::newRow("classic, bad") << B("79927398710") << false << B("79927398710");
    QTest::newRow("20 digits") << B(20, '0') << true << B(20, '0');
    QTest::newRow("21 digits") << B(21, '0') << false << B(21, '0');
    QTest::newRow("sign skipped") << B("+4111111111111111") << true << B("+4111111111111111");
    QTest::newRow("not a number") << B("4111x1111") << false << B("4111x1111");
    QTest::newRow("hex letters only") << B("&HABC") << false << B("&HABC");
    QTest::newRow("empty") << B("") << false << B("");
    QTest::newRow("only separators") << B(" - ") << false << B("");
}

void FormatTest::creditCard()
{
    QFETCH(B, number);
    QFETCH(bool, valid);
    QFETCH(B, rewritten);
    std::string text = number.toStdString();
    QCOMPARE(pStringOps().IsValidCreditCardNumber(text), valid);
    QCOMPARE(B::fromStdString(text), rewritten);
}

void FormatTest::zipCode_data()
{
    QTest::addColumn<B>("zip");
    QTest::addColumn<bool>("valid");
    for (const char* good : {"12345", "123456789", "12345-6789"})
        QTest::newRow(good) << B(good) << true;
    for (const char* bad : {"1234", "12345 6789", "1234a", "12345-678a", "123456-789", ""})
        QTest::newRow(bad) << B(bad) << false;
}

void FormatTest::zipCode()
{
    QFETCH(B, zip);
    QFETCH(bool, valid);
    QCOMPARE(pStringOps().IsValidZipCode(zip.toStdString()), valid);
}

void FormatTest::phoneFormat_data()
{
    QTest::addColumn<B>("number");
    QTest::addColumn<B>("formatted");
    QTest::newRow("dots") << B("555.123.4567") << B("(555) 123-4567 ");
    QTest::newRow("leading 1") << B("1 (555) 123-4567") << B("(555) 123-4567 ");
    QTest::newRow("seven digits") << B("555-1234") << B("(   ) 555-1234 ");
    QTest::newRow("too short") << B("12345") << B("12345");
    QTest::newRow("letters") << B("1-800-FLOWERS") << B("(800) 356-9377 ");
    QTest::newRow("extension") << B("555-123-4567-89") << B("(555) 123-4567 89");
    QTest::newRow("1 and extension") << B("1 555 123 4567 12") << B("(555) 123-4567 12");
    QTest::newRow("11 split at space") << B("5551234567 8") << B("(555) 123-4567 8");
    QTest::newRow("11 split leaves 13") << B("555 123 4567 8") << B("555 123 4567 8");
    QTest::newRow("11 without space") << B("55512345678") << B("55512345678");
    QTest::newRow("other character") << B("555-12#4") << B("555-12#4");
    QTest::newRow("empty") << B("") << B("");
}

void FormatTest::phoneFormat()
{
    QFETCH(B, number);
    QFETCH(B, formatted);
    QCOMPARE(B::fromStdString(pStringOps().PhoneFormat(number.toStdString())), formatted);
}

void FormatTest::phoneLetterToDigit()
{
    const pStringOps ops;
    const std::string letters = "abcdefghijklmnopqrstuvwxyz";
    std::string digits;
    for (const char c : letters)
        digits += ops.PhoneLetterToDigit(std::string(1, c));
    QCOMPARE(digits, std::string("22233344455566677778889999"));
    QCOMPARE(ops.PhoneLetterToDigit("Sx"), std::string("7"));
    QCOMPARE(ops.PhoneLetterToDigit("#x"), std::string("#x"));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, ops.PhoneLetterToDigit(""));
    // A number far longer than any counter of the old 16-bit kind is still just a number.
    const std::string longNumber(40000, '5');
    QCOMPARE(ops.PhoneFormat(longNumber).substr(0, 16), std::string("(555) 555-5555 5"));
}

void FormatTest::sizes()
{
    const pStringOps ops;
    QCOMPARE(ops.BytesToMegabytes(1536000), 1.46);
    QCOMPARE(ops.BytesToMegabytes(-1536000), -1.46);
    QCOMPARE(ops.MegabytesToBytes(1.5), 1572864.0);
    QCOMPARE(ops.MegabytesToBytes(0), 0.0);
    // Halves round away from zero, judged on the figure's 15 significant digits.
    QCOMPARE(ops.BytesToMegabytes(131072), 0.13);
    QCOMPARE(ops.BytesToMegabytes(2.675 * 1048576), 2.68);
    QCOMPARE(ops.BytesToMegabytes(4096), 0.0);
    QCOMPARE(ops.MegabytesToBytes(1e300), 1.048576e306);
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, ops.MegabytesToBytes(1e305));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, ops.BytesToMegabytes(std::nan("")));
}

QTEST_GUILESS_MAIN(FormatTest)
#include "FormatTest.moc"
