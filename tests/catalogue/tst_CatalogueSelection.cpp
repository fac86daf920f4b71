// Choosing list entries (by the program, the keyboard and the mouse) and the search box that
// chooses them: what the display shows, in which size and colour, and the click sound.

#include "CatalogueFixture.h"

#include <QFile>
#include <QSaveFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestCatalogueSelection : public QObject
{
    Q_OBJECT
private slots:
    void listsAreFilledInTableOrder()
    {
        CatalogueFixture f;
        QCOMPARE(f.controls.List1->count(), 205);
        QCOMPARE(f.controls.List2->count(), 114);
        QCOMPARE(f.controls.List1->item(136)->text(),
                 QStringLiteral("Ordinary - \"Have an ordinary day\" smiley."));
        QCOMPARE(f.controls.List2->item(18)->text(), QStringLiteral("B4N - bye for now"));
        QCOMPARE(f.controls.List1->currentRow(), -1);
        QCOMPARE(f.controls.List2->currentRow(), -1);
        QCOMPARE(f.plays(), 0);
    }

    void choosing_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("pointSize");
        // clang-format off
        QTest::newRow("smiley 0") << 1 << 0 << "0 :-)" << "Angel - User is an angel. At heart - at least." << 24;
        QTest::newRow("smiley 3 trailing blank") << 1 << 3 << "d:-)" << "Baseball - User is a baseball player. " << 24;
        QTest::newRow("smiley 7") << 1 << 7 << "(:-)" << "Big - Smiley big-face." << 24;
        QTest::newRow("smiley 8 same caption") << 1 << 8 << "):-)" << "Big - Smiley big-face." << 24;
        QTest::newRow("smiley 74") << 1 << 74 << "B-)" << "Glasses - User wears horn-rimmed glasses." << 24;
        QTest::newRow("smiley 91") << 1 << 91 << "8" << "Infinity - Infinity" << 24;
        QTest::newRow("smiley 136 quotes") << 1 << 136 << ":-(0)" << "Ordinary - \"Have an ordinary day\" smiley." << 24;
        QTest::newRow("smiley 187 backslash") << 1 << 187 << ":-\\" << "Undecided smiley." << 24;
        QTest::newRow("smiley 48 looks like markup") << 1 << 48 << "<:-)" << "Dumb - User has dumb questions. " << 24;
        QTest::newRow("acronym 1") << 2 << 1 << "6k" << "6K - sick" << 16;
        QTest::newRow("acronym 17") << 2 << 17 << "BFN" << "BFN - bye for now" << 16;
        QTest::newRow("acronym 18") << 2 << 18 << "B4N" << "B4N - bye for now" << 16;
        QTest::newRow("acronym 52") << 2 << 52 << "IMO " << "IMO - in my opinion" << 16;
        // clang-format on
    }
    void choosing()
    {
        QFETCH(int, list);
        QFETCH(int, row);
        QFETCH(QString, text);
        QFETCH(QString, caption);
        QFETCH(int, pointSize);
        CatalogueFixture f;
        f.controls.pictureButtons[4]->click(); // start from the picture display
        f.setColour(kDarkRed);                 // as after a copy
        const qsizetype before = f.plays();

        (list == 1 ? f.controls.List1 : f.controls.List2)->setCurrentRow(row);

        QCOMPARE(f.controls.Label1->text(), text);
        QCOMPARE(f.controls.Label2->text(), caption);
        QCOMPARE(f.controls.Label1->font().pointSize(), pointSize);
        QCOMPARE(f.colour(), kDarkBlue);
        QVERIFY(f.textDisplay());
        QCOMPARE(f.plays(), before + 1);
    }

    void pointSizeFollowsTheLastList()
    {
        CatalogueFixture f;
        f.controls.List2->setCurrentRow(5);
        QCOMPARE(f.controls.Label1->font().pointSize(), 16);
        f.controls.List1->setCurrentRow(5);
        QCOMPARE(f.controls.Label1->font().pointSize(), 24);
        QCOMPARE(f.controls.Label1->text(), QStringLiteral(":-}"));
        f.controls.List2->setCurrentRow(6);
        QCOMPARE(f.controls.Label1->font().pointSize(), 16);
        QCOMPARE(f.controls.Label1->text(), QStringLiteral("AFKB"));
    }

    void noSelectionEmptiesTheDisplay()
    {
        CatalogueFixture f;
        f.controls.List1->setCurrentRow(10);
        f.controls.pictureButtons[0]->click();
        f.setColour(kDarkRed);
        f.controls.List1->setCurrentRow(-1);
        QCOMPARE(f.controls.Label1->text(), QString());
        QCOMPARE(f.controls.Label2->text(), QString());
        QCOMPARE(f.colour(), kDarkBlue);
        QVERIFY(f.textDisplay());
        QCOMPARE(f.plays(), 3);
    }

    void keyboardAndMouseChooseToo()
    {
        CatalogueFixture f;
        f.window.resize(400, 400);
        f.controls.List1->setGeometry(0, 0, 337, 186);
        f.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.controls.List1->setFocus();
        QVERIFY(f.controls.List1->hasFocus());
        // Taking the focus chooses nothing.
        QCOMPARE(f.controls.Label1->text(), QString());
        QCOMPARE(f.plays(), 0);

        QTest::keyClick(f.controls.List1, Qt::Key_Down);
        QCOMPARE(f.controls.Label1->text(), QStringLiteral("0 :-)"));
        QTest::keyClick(f.controls.List1, Qt::Key_Down);
        QCOMPARE(f.controls.Label1->text(), QStringLiteral("|I"));

        QListWidget* list = f.controls.List1;
        const QPoint third = list->visualItemRect(list->item(2)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third);
        QCOMPARE(list->currentRow(), 2);
        QCOMPARE(f.controls.Label1->text(), QStringLiteral(":-%"));
        QCOMPARE(f.plays(), 3);

        // Ctrl+click takes the choice back: the list and the display agree again.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, third);
        QVERIFY(list->selectedItems().isEmpty());
        QCOMPARE(f.controls.Label1->text(), QString());
        QCOMPARE(f.controls.Label2->text(), QString());
    }

    // --- the search box ---

    void typingSelectsInBothLists_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("smiley");
        QTest::addColumn<int>("acronym");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("setting"); ///< KEY=VALUE in the settings, or empty
        const QString wink =
            "Favourites=not a favourite\n2.5\t1767225600\t;-)\tWink - Wink smiley. User just "
            "made a flirtatious remark.";
        QTest::newRow("w: the acronym has the last word") << "w" << 192 << 109 << "W8"
                                                          << "";
        QTest::newRow("BIG") << "BIG" << 7 << -1 << "(:-)"
                             << "";
        QTest::newRow("wink") << "wink" << 196 << -1 << ";-)"
                              << "";
        QTest::newRow("one blank") << " " << -1 << -1 << ""
                                   << "";
        // Where no caption begins with the text, a word of one may; smileys first.
        QTest::newRow("grin: a word of an acronym") << "grin" << -1 << 19 << "BG"
                                                    << "";
        QTest::newRow("flirt: a word of a smiley") << "flirt" << 196 << -1 << ";-)"
                                                   << "";
        QTest::newRow("bucktooth") << "bucktooth" << 189 << -1 << ":-F"
                                   << "";
        QTest::newRow("a word's middle is no word") << "irt" << -1 << -1 << ""
                                                    << "";
        QTest::newRow("by their beginning only") << "grin" << -1 << -1 << ""
                                                 << "Search=start";
        // The favourite among the rows that begin with the text, a damaged entry skipped.
        QTest::newRow("w: the favourite smiley is shown") << "w" << 196 << 109 << ";-)" << wink;
        QTest::newRow("wi: the favourite") << "wi" << 196 << -1 << ";-)" << wink;
        QTest::newRow("wa: not the favourite's") << "wa" << 192 << -1 << "[:-)" << wink;
    }
    void typingSelectsInBothLists()
    {
        QFETCH(QString, text);
        QFETCH(int, smiley);
        QFETCH(int, acronym);
        QFETCH(QString, shown);
        QFETCH(QString, setting);
        QHash<QString, QString> settings;
        if (!setting.isEmpty())
            settings.insert("Glyphora/Settings/" + setting.section(u'=', 0, 0),
                            setting.section(u'=', 1));
        CatalogueFixture f(nullptr, settings);
        f.controls.Txt1->setText(text);
        QCOMPARE(f.controls.List1->currentRow(), smiley);
        QCOMPARE(f.controls.List2->currentRow(), acronym);
        QCOMPARE(f.controls.Label1->text(), shown);
        QCOMPARE(f.plays(), qsizetype((smiley >= 0) + (acronym >= 0)));
    }

    // A copy counts: the row copied is the one the search offers next, and it is kept.
    void aCopiedRowComesFirst()
    {
        CatalogueFixture f;
        f.controls.List1->setCurrentRow(196); // Wink
        f.controls.Command1->click();
        QVERIFY(
            f.fakes.settings.values.value("Glyphora/Settings/Favourites").contains(";-)\tWink"));
        f.controls.Txt1->setText(QStringLiteral("w"));
        QCOMPARE(f.controls.List1->currentRow(), 196);
        QCOMPARE(f.controls.Label1->text(), QStringLiteral(";-)"));

        // The next start finds it too.
        CatalogueFixture next(nullptr, f.fakes.settings.values);
        next.controls.Txt1->setText(QStringLiteral("w"));
        QCOMPARE(next.controls.Label1->text(), QStringLiteral(";-)"));
    }

    void aFurtherLetterKeepsWhatNoLongerMatches()
    {
        CatalogueFixture f;
        QTest::keyClicks(f.controls.Txt1, QStringLiteral("a"));
        QCOMPARE(f.controls.List1->currentRow(), 0);
        QCOMPARE(f.controls.List2->currentRow(), 2);
        QCOMPARE(f.controls.Label1->text(), QStringLiteral("A3"));
        QCOMPARE(f.controls.Label2->text(), QStringLiteral("A3 - anytime, anywhere, anyplace "));
        QCOMPARE(f.controls.Label1->font().pointSize(), 16);
        QCOMPARE(f.plays(), 2);

        QTest::keyClicks(f.controls.Txt1, QStringLiteral("n"));
        QCOMPARE(f.controls.List1->currentRow(), 0);
        QCOMPARE(f.controls.List2->currentRow(), 2);
        QCOMPARE(f.controls.Label1->text(), QStringLiteral("A3"));
        QCOMPARE(f.plays(), 2);
    }

    void searchSelectsTheSameWayAsTheUser()
    {
        CatalogueFixture f;
        QSignalSpy spy(f.controls.List1, &QListWidget::itemSelectionChanged);
        f.controls.Txt1->setText(QStringLiteral("wi"));
        QCOMPARE(f.controls.List1->selectedItems().size(), 1);
        QCOMPARE(f.controls.List1->selectedItems().first(), f.controls.List1->item(196));
        QVERIFY(spy.count() > 0);
    }

    void clearSearchEmptiesBoxSelectionsAndDisplay()
    {
        CatalogueFixture f;
        f.controls.Txt1->setText(QStringLiteral("w"));
        const qsizetype before = f.plays();
        f.controls.Command3->click();
        QCOMPARE(f.controls.Txt1->text(), QString());
        QCOMPARE(f.controls.List1->currentRow(), -1);
        QCOMPARE(f.controls.List2->currentRow(), -1);
        QVERIFY(f.controls.List1->selectedItems().isEmpty());
        QVERIFY(f.controls.List2->selectedItems().isEmpty());
        QCOMPARE(f.controls.Label1->text(), QString());
        QCOMPARE(f.controls.Label2->text(), QString());
        QVERIFY(f.plays() > before); // the handlers' sounds, then the button's own
    }

    void clearSearchOnAnEmptyBoxOnlyClicks()
    {
        CatalogueFixture f;
        f.controls.List1->setCurrentRow(4);
        f.controls.Command3->click();
        QCOMPARE(f.controls.List1->currentRow(), 4); // the box was empty: nothing changed
        QCOMPARE(f.plays(), 2);
    }

    // The own rows follow their file while the window runs: created, replaced as an editor
    // saves, written in place and removed. The chosen row stays chosen where it still is.
    void ownRowsFollowTheirFile()
    {
        CatalogueFixture f;
        QTemporaryDir folder;
        QListWidget* list = f.controls.List1;
        const QString path = folder.filePath(QStringLiteral("smileys.txt"));
        const auto save = [&](const QByteArray& content) {
            // Written beside and renamed over, as editors save.
            QSaveFile file(path);
            return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() &&
                   file.commit();
        };
        f.handlers->followOwnEntries(folder.path());
        QVERIFY(save("a\tOwn A\n"));
        QTRY_COMPARE(list->count(), 206);
        list->setCurrentRow(205);
        QCOMPARE(f.controls.Label1->text(), QStringLiteral("a"));
        const qsizetype plays = f.plays();

        QVERIFY(save("z\tOwn Z\na\tOwn A\nno tab\n"));
        QTRY_COMPARE(list->count(), 207);
        QCOMPARE(list->currentRow(), 206);
        QCOMPARE(f.controls.Label1->text(), QStringLiteral("a"));
        QCOMPARE(f.plays(), plays);
        // Noticed while the user may type elsewhere: said without taking the keyboard.
        QVERIFY(f.fakes.messageBoxes.shown.isEmpty());
        QCOMPARE(f.fakes.notifications.shown.size(), 1);
        QVERIFY(f.fakes.notifications.shown[0].body.contains(path + QStringLiteral(", line 3")));
        QVERIFY(!f.controls.lblNotice->isHidden());
        QCOMPARE(f.controls.lblNotice->text(),
                 QStringLiteral("Lines skipped: smileys.txt, line 3: no TAB between the text and "
                                "its caption."));

        QFile file(path);
        QVERIFY(file.open(QIODevice::Append));
        file.write("c\tOwn C\n");
        file.close();
        QTRY_COMPARE(list->count(), 208);
        QCOMPARE(f.fakes.notifications.shown.size(), 2); // the bad line is still there

        // A file of more entries than a list holds gives as many as it does, and says so.
        QVERIFY(save(QByteArray("a\tOwn A\n").repeated(catalogue::kMostOwnEntries + 5)));
        QTRY_COMPARE(list->count(), 205 + catalogue::kMostOwnEntries);
        QCOMPARE(f.fakes.notifications.shown.size(), 3);
        QVERIFY(f.fakes.notifications.shown[2].body.contains(
            QStringLiteral(", line %1: more than %2 entries")
                .arg(catalogue::kMostOwnEntries + 1)
                .arg(catalogue::kMostOwnEntries)));

        QVERIFY(QFile::remove(path));
        QTRY_COMPARE(list->count(), 205);
        QVERIFY(list->selectedItems().isEmpty());
        QCOMPARE(f.fakes.notifications.shown.size(), 3);
        QVERIFY(f.controls.lblNotice->isHidden()); // a good reading ends the word
        QVERIFY(f.fakes.messageBoxes.shown.isEmpty());
    }

    // At a start the user has just made, a box names the skipped lines, but only while the
    // window is in front; behind another window or minimised it would take the keyboard
    // from there.
    void skippedLinesAtStart_data()
    {
        QTest::addColumn<bool>("inFront");
        QTest::newRow("in front: a box") << true;
        QTest::newRow("not in front: a notification") << false;
    }
    void skippedLinesAtStart()
    {
        QFETCH(bool, inFront);
        CatalogueFixture f;
        QTemporaryDir folder;
        QFile file(folder.filePath(QStringLiteral("acronyms.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("no tab\n") > 0);
        file.close();
        if (inFront) {
            f.window.show();
            f.window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&f.window));
        }
        f.handlers->followOwnEntries(folder.path());
        QCOMPARE(f.fakes.messageBoxes.shown.size(), inFront ? 1 : 0);
        QCOMPARE(f.fakes.notifications.shown.size(), inFront ? 0 : 1);
        QCOMPARE(f.controls.lblNotice->text(),
                 QStringLiteral("Lines skipped: acronyms.txt, line 1: no TAB between the text "
                                "and its caption."));
    }
};

QTEST_MAIN(TestCatalogueSelection)
#include "tst_CatalogueSelection.moc"
