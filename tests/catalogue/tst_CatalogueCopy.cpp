// The picture buttons, the two copy buttons and "Add Text face": what reaches the clipboard
// and the message, the display they leave, the copy colour and the sounds.

#include "CatalogueFixture.h"
#include "catalogue/Faces.h"
#include "platform/desktop/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>
#include <QTextCursor>

namespace {
void selectInMessage(QPlainTextEdit* edit, int from, int to)
{
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
}
} // namespace

class TestCatalogueCopy : public QObject
{
    Q_OBJECT
private slots:
    void pictureButtons_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QSize>("size");
        // The names are pinned in tst_Faces; here each button shows its own face's.
        for (int i = 0; i < catalogue::kFaceCount; ++i) {
            const QString name = catalogue::faces()[std::size_t(i)].description.toString();
            QTest::newRow(qPrintable(name)) << i << name << QSize(15, i == 1 ? 22 : 15);
        }
    }
    void pictureButtons()
    {
        QFETCH(int, index);
        QFETCH(QString, description);
        QFETCH(QSize, size);
        CatalogueFixture f;
        QPushButton* button = f.controls.pictureButtons[std::size_t(index)];
        QVERIFY(!button->icon().isNull());
        QCOMPARE(button->iconSize(), size);

        f.controls.List1->setCurrentRow(196);
        f.controls.Command1->click(); // dark red
        const qsizetype before = f.plays();
        button->click();

        QVERIFY(f.pictureDisplay());
        QCOMPARE(f.controls.Label2->text(), description);
        QVERIFY(!f.controls.Image1->pixmap().isNull());
        QCOMPARE(f.controls.Label1->text(), QStringLiteral(";-)")); // still the list's choice
        QCOMPARE(f.controls.List1->currentRow(), 196);
        QCOMPARE(f.colour(), kDarkRed);
        QCOMPARE(f.plays(), before + 1);

        f.controls.Command15->click();
        QCOMPARE(f.fakes.clipboard.image.size(), size); // the GIF, not a larger drawing
        QCOMPARE(f.fakes.clipboard.image,
                 catalogue::faceImage(catalogue::faces()[std::size_t(index)]));
    }

    void sameButtonTwiceOnlyClicksAgain()
    {
        CatalogueFixture f;
        f.controls.pictureButtons[10]->click();
        const QImage shown = f.controls.Image1->pixmap().toImage();
        f.controls.pictureButtons[10]->click();
        QVERIFY(f.pictureDisplay());
        QCOMPARE(f.controls.Label2->text(), QStringLiteral("Wink"));
        QCOMPARE(f.controls.Image1->pixmap().toImage(), shown);
        QCOMPARE(f.plays(), 2);
    }

    void textCopy()
    {
        CatalogueFixture f;
        f.controls.List2->setCurrentRow(52);
        f.controls.Command1->click();
        QCOMPARE(f.fakes.clipboard.clears, 1);
        QVERIFY(f.fakes.clipboard.hasText);
        QCOMPARE(f.fakes.clipboard.text, QStringLiteral("IMO ")); // trailing blank kept
        QCOMPARE(f.colour(), kDarkRed);
        QCOMPARE(f.plays(), 2);

        f.controls.List1->setCurrentRow(0);
        QCOMPARE(f.colour(), kDarkBlue);
        f.controls.Command1->click();
        QCOMPARE(f.fakes.clipboard.text, QStringLiteral("0 :-)"));
    }

    void textCopyBeforeAnyChoiceCopiesEmptyText()
    {
        CatalogueFixture f;
        f.fakes.clipboard.SetText(QStringLiteral("older"));
        f.controls.Command1->click();
        QVERIFY(f.fakes.clipboard.hasText);
        QCOMPARE(f.fakes.clipboard.text, QString());
        QCOMPARE(f.colour(), kDarkRed);
    }

    void textCopyIsSilentWithSoundsOff()
    {
        CatalogueFixture f;
        f.controls.List1->setCurrentRow(1);
        f.controls.Check1->setChecked(false);
        f.controls.Command1->click();
        QCOMPARE(f.fakes.clipboard.text, QStringLiteral("|I"));
        QCOMPARE(f.plays(), 1);
    }

    void pictureCopyWithoutPictureLeavesClipboardAlone()
    {
        CatalogueFixture f;
        f.fakes.clipboard.SetText(QStringLiteral("keep me"));
        f.handlers->Command15_Click();
        QCOMPARE(f.fakes.clipboard.text, QStringLiteral("keep me"));
        QCOMPARE(f.colour(), kDarkBlue);
    }

    void unavailableClipboardChangesNothingThere()
    {
        CatalogueFixture f;
        f.fakes.clipboard.SetText(QStringLiteral("another program's"));
        f.fakes.clipboard.unavailable = true;
        f.controls.List1->setCurrentRow(196);
        f.controls.Command1->click();
        f.controls.pictureButtons[0]->click();
        f.controls.Command15->click();
        QCOMPARE(f.fakes.clipboard.text, QStringLiteral("another program's"));
        QVERIFY(f.fakes.messageBoxes.shown.isEmpty());
    }

    // --- "Add Text face" ---

    void addTextFaceReplacesTheSelection()
    {
        CatalogueFixture f;
        f.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.controls.Message_Text->setPlainText(QStringLiteral("Hello world!"));
        selectInMessage(f.controls.Message_Text, 6, 11);
        f.controls.List1->setCurrentRow(196);
        f.controls.List1->setFocus();

        f.controls.Sendtxtcmd->click();

        QCOMPARE(f.controls.Message_Text->toPlainText(), QStringLiteral("Hello ;-)!"));
        QCOMPARE(f.controls.Message_Text->textCursor().position(), 9);
        QCOMPARE(f.fakes.clipboard.text, QStringLiteral(";-)"));
        QCOMPARE(f.colour(), kDarkRed);
        QVERIFY(f.controls.Message_Text->hasFocus());
        QCOMPARE(f.plays(), 3); // the choice, the copy, the insertion
    }

    void addTextFaceInsertsAtTheCaretUnchanged()
    {
        CatalogueFixture f;
        f.controls.Message_Text->setPlainText(QStringLiteral("ab"));
        selectInMessage(f.controls.Message_Text, 1, 1);
        f.controls.List1->setCurrentRow(0);
        f.controls.Sendtxtcmd->click();
        QCOMPARE(f.controls.Message_Text->toPlainText(), QStringLiteral("a0 :-)b"));
    }

    void addTextFaceBeforeAnyChoiceInsertsNothing()
    {
        CatalogueFixture f;
        f.controls.Message_Text->setPlainText(QStringLiteral("keep this"));
        selectInMessage(f.controls.Message_Text, 0, 4);
        f.controls.Sendtxtcmd->click();
        QCOMPARE(f.controls.Message_Text->toPlainText(), QStringLiteral("keep this"));
        QCOMPARE(f.controls.Message_Text->textCursor().selectedText(), QStringLiteral("keep"));
        QCOMPARE(f.fakes.clipboard.text, QString());
        QCOMPARE(f.plays(), 2);
    }

    void addTextFaceAfterPictureInsertsTheListText()
    {
        CatalogueFixture f;
        f.controls.List2->setCurrentRow(52);
        f.controls.pictureButtons[10]->click();
        f.controls.Sendtxtcmd->click();
        QCOMPARE(f.controls.Message_Text->toPlainText(), QStringLiteral("IMO "));
        QVERIFY(f.pictureDisplay());
        QCOMPARE(f.controls.Label2->text(), QStringLiteral("Wink"));
    }

    // Once against the system clipboard itself (offscreen keeps it in-process).
    void realClipboard()
    {
        platform::QtClipboard clipboard;
        CatalogueFixture f(&clipboard);
        QGuiApplication::clipboard()->clear();
        f.controls.Sendtxtcmd->click(); // nothing chosen, nothing on the clipboard yet
        QCOMPARE(f.controls.Message_Text->toPlainText(), QString());

        f.controls.List1->setCurrentRow(187);
        f.controls.Sendtxtcmd->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral(":-\\"));
        QCOMPARE(f.controls.Message_Text->toPlainText(), QStringLiteral(":-\\"));

        f.controls.pictureButtons[9]->click();
        f.controls.Command15->click();
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), QSize(15, 15));
        QCOMPARE(f.colour(), kDarkRed);
    }
};

QTEST_MAIN(TestCatalogueCopy)
#include "tst_CatalogueCopy.moc"
