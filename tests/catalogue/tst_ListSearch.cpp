// The search box's matching, without a window: both catalogues' captions, as the search box
// sees them.

#include "catalogue/CatalogueTables.h"
#include "catalogue/ListSearch.h"
#include "catalogue/OwnEntries.h"

#include <QTest>

namespace {
constexpr int kNoMatch = -2; // the list keeps its selection

int rowFor(const QStringList& captions, const QString& text)
{
    return catalogue::listSearchRow(captions, text).value_or(kNoMatch);
}
} // namespace

class TestListSearch : public QObject
{
    Q_OBJECT
private slots:
    void bothLists_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("smiley");
        QTest::addColumn<int>("acronym");
        QTest::newRow("empty clears") << "" << -1 << -1;
        QTest::newRow("w") << "w" << 192 << 109;
        QTest::newRow("BIG: first of two equal captions") << "BIG" << 7 << kNoMatch;
        QTest::newRow("a") << "a" << 0 << 2;
        QTest::newRow("an") << "an" << 0 << kNoMatch;
        QTest::newRow("wink") << "wink" << 196 << kNoMatch;
        QTest::newRow("grin only inside captions") << "grin" << kNoMatch << kNoMatch;
        QTest::newRow("one blank") << " " << kNoMatch << kNoMatch;
        QTest::newRow("b4: before b4n") << "b4" << kNoMatch << 12;
        QTest::newRow("b4n") << "B4N" << kNoMatch << 18;
        QTest::newRow("doubled blanks count") << "4ME  -  F" << kNoMatch << 0;
        QTest::newRow("single blank misses doubled") << "4me - " << kNoMatch << kNoMatch;
        QTest::newRow("quote inside caption") << "ordinary - \"have" << 136 << kNoMatch;
        QTest::newRow("undecide") << "undecide" << 186 << kNoMatch;
        QTest::newRow("undecided") << "undecided" << 187 << kNoMatch;
        QTest::newRow("whole caption") << "Yuk - Yuk !!" << 204 << kNoMatch;
        QTest::newRow("trailing blank of caption") << "atm - at the moment " << kNoMatch << 11;
        QTest::newRow("longer than every caption")
            << QString(80, QLatin1Char('a')) << kNoMatch << kNoMatch;
        QTest::newRow("leading blank") << " wink" << kNoMatch << kNoMatch;
        QTest::newRow("outside the basic plane")
            << QStringLiteral("\U0001F600") << kNoMatch << kNoMatch;
    }
    void bothLists()
    {
        QFETCH(QString, text);
        QFETCH(int, smiley);
        QFETCH(int, acronym);
        QCOMPARE(rowFor(catalogue::CatalogueList(catalogue::smileyTable()).captions(), text),
                 smiley);
        QCOMPARE(rowFor(catalogue::CatalogueList(catalogue::acronymTable()).captions(), text),
                 acronym);
    }

    // A caption that matches by case folding but not in capitals is passed over: the Kelvin
    // sign folds to "k" yet stays itself in capitals.
    void capitalsMustAgreeToo()
    {
        const QStringList captions{QStringLiteral("\u212Aelvin - unit"),
                                   QStringLiteral("kelvin - unit")};
        QVERIFY(captions[0].startsWith(QStringLiteral("k"), Qt::CaseInsensitive));
        QCOMPARE(rowFor(captions, QStringLiteral("k")), 1);
        // The long s agrees both ways, so it is found, whichever case is typed.
        const QStringList longS{QStringLiteral("\u017Fun - star")};
        QCOMPARE(rowFor(longS, QStringLiteral("S")), 0);
        QCOMPARE(rowFor(longS, QStringLiteral("sun")), 0);
    }

    void emptyListNeverMatches()
    {
        QCOMPARE(rowFor({}, QStringLiteral("a")), kNoMatch);
        QCOMPARE(rowFor({}, QString()), -1);
    }
};

QTEST_APPLESS_MAIN(TestListSearch)
#include "tst_ListSearch.moc"
