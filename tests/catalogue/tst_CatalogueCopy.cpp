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

    // --- Return and double-click: into the window the user came from ---

    void insertChoice_data()
    {
        using Target = platform::TextInserter::Target;
        using Outcome = platform::TextInserter::Outcome;
        QTest::addColumn<QString>("choose"); ///< "search:TEXT", "smiley:ROW", "acronym:ROW",
                                             ///< "picture:BUTTON" or "nothing"
        QTest::addColumn<QString>("how");    ///< the control Return goes to, or "double-click"
        QTest::addColumn<Target>("target");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QString>("asked");     ///< the text asked to type, "<paste>", or "-"
        QTest::addColumn<QString>("clipboard"); ///< "keep me" left alone, a text, or "<image>"
        QTest::addColumn<int>("stepsAside");
        QTest::addColumn<QString>("notice"); ///< the window's word, never a box
        const Target any = Target::Any;
        const Outcome in = Outcome::Inserted;
        QTest::newRow("Return in the search box") << "search:wink"
                                                  << "Txt1" << any << in << ";-)"
                                                  << "keep me" << 1 << "";
        QTest::newRow("the acronym wins when both lists match") << "search:a"
                                                                << "Txt1" << any << in << "A3"
                                                                << "keep me" << 1 << "";
        QTest::newRow("Return in the smiley list") << "smiley:0"
                                                   << "List1" << any << in << "0 :-)"
                                                   << "keep me" << 1 << "";
        QTest::newRow("Enter in the acronym list, trailing blank kept")
            << "acronym:52"
            << "List2 Enter" << any << in << "IMO "
            << "keep me" << 1 << "";
        QTest::newRow("a double-click on a row") << "nothing"
                                                 << "double-click" << any << in << "[]"
                                                 << "keep me" << 1 << "";
        QTest::newRow("nothing chosen, nothing asked") << "nothing"
                                                       << "Txt1" << any << in << "-"
                                                       << "keep me" << 0 << "";
        QTest::newRow("Return in the message stays a line break")
            << "smiley:196"
            << "Message_Text" << any << in << "-"
            << "keep me" << 0 << "";
        const QString onClipboard = QStringLiteral(". The face is on the clipboard.");
        QTest::newRow("nowhere to type: copied, and said")
            << "smiley:196"
            << "List1" << any << Outcome::NoTarget << ";-)"
            << ";-)" << 0
            << "Not typed: the window you came from is gone or did not come forward" + onClipboard;
        QTest::newRow("a character without a key: copied, and said")
            << "smiley:196"
            << "List1" << any << Outcome::NotTypeable << ";-)"
            << ";-)" << 0
            << "Not typed: your keyboard has no key for a character of it" + onClipboard;
        QTest::newRow("broken off: copied, and said")
            << "smiley:196"
            << "List1" << any << Outcome::Failed << ";-)"
            << ";-)" << 0 << "Not typed: the display went away" + onClipboard;
        QTest::newRow("still typing: nothing more") << "smiley:196"
                                                    << "List1" << any << Outcome::Busy << ";-)"
                                                    << "keep me" << 0 << "";
        QTest::newRow("a picture is pasted from the clipboard") << "picture:10"
                                                                << "Txt1" << any << in << "<paste>"
                                                                << "<image>" << 1 << "";
        QTest::newRow("a picture into a terminal: copied, and said")
            << "picture:10"
            << "Txt1" << Target::TextOnly << in << "-"
            << "<image>" << 0
            << "Not pasted: the window you came from takes text only. The picture is on the "
               "clipboard.";
        QTest::newRow("a picture with nowhere to go: copied, and said")
            << "picture:10"
            << "List1" << Target::None << in << "-"
            << "<image>" << 0
            << "Not pasted: the window you came from is gone or did not come forward. The "
               "picture is on the clipboard.";
    }

    void insertChoice()
    {
        QFETCH(QString, choose);
        QFETCH(QString, how);
        QFETCH(platform::TextInserter::Target, target);
        QFETCH(platform::TextInserter::Outcome, outcome);
        QFETCH(QString, asked);
        QFETCH(QString, clipboard);
        QFETCH(int, stepsAside);
        QFETCH(QString, notice);
        CatalogueFixture f;
        f.window.resize(600, 600);
        f.controls.List1->setGeometry(0, 0, 400, 300);
        f.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        f.fakes.clipboard.SetText(QStringLiteral("keep me"));
        f.fakes.inserter.where = target;
        f.fakes.inserter.outcome = outcome;
        if (outcome == platform::TextInserter::Outcome::Failed)
            f.fakes.inserter.message = QStringLiteral("the display went away");
        const QString what = choose.section(':', 1);
        if (choose.startsWith("search"))
            f.controls.Txt1->setText(what);
        else if (choose.startsWith("smiley"))
            f.controls.List1->setCurrentRow(what.toInt());
        else if (choose.startsWith("acronym"))
            f.controls.List2->setCurrentRow(what.toInt());
        else if (choose.startsWith("picture"))
            f.controls.pictureButtons[std::size_t(what.toInt())]->click();
        const QColor colourBefore = f.colour();

        if (how == "double-click") {
            // Row 87, "Hug - Hugs", chosen and inserted by the double-click alone.
            f.controls.List1->scrollToItem(f.controls.List1->item(87),
                                           QAbstractItemView::PositionAtTop);
            const QRect row = f.controls.List1->visualItemRect(f.controls.List1->item(87));
            // As the window system sends a double-click: a click, then the second press.
            QTest::mouseClick(f.controls.List1->viewport(), Qt::LeftButton, {}, row.center());
            QTest::mouseDClick(f.controls.List1->viewport(), Qt::LeftButton, {}, row.center());
        } else {
            QWidget* control = f.controls.Message_Text;
            if (how == "Txt1")
                control = f.controls.Txt1;
            else if (how.startsWith("List"))
                control = how.startsWith("List1") ? f.controls.List1 : f.controls.List2;
            control->setFocus();
            QTest::keyClick(control, how.endsWith("Enter") ? Qt::Key_Enter : Qt::Key_Return,
                            how.endsWith("Enter") ? Qt::KeypadModifier : Qt::NoModifier);
        }

        const QList<platform::TextInserter::Request>& requests = f.fakes.inserter.requests;
        if (asked == "-") {
            QVERIFY(requests.isEmpty());
        } else {
            QCOMPARE(requests.size(), 1);
            QCOMPARE(requests[0].paste, asked == "<paste>");
            if (asked != "<paste>")
                QCOMPARE(requests[0].text, asked);
        }
        if (clipboard == "<image>") {
            QCOMPARE(f.fakes.clipboard.image,
                     catalogue::faceImage(catalogue::faces()[std::size_t(what.toInt())]));
            QCOMPARE(f.colour(), kDarkRed);
        } else {
            QCOMPARE(f.fakes.clipboard.text, clipboard);
            // The copy's mark when copied, and only then.
            QCOMPARE(f.colour(), clipboard == "keep me" ? colourBefore : kDarkRed);
        }
        QCOMPARE(f.stepsAside, stepsAside);
        // The keyboard may be with the other window by now: no box may take it.
        QVERIFY(f.fakes.messageBoxes.shown.isEmpty());
        QCOMPARE(f.controls.lblNotice->isHidden() ? QString() : f.controls.lblNotice->toolTip(),
                 notice);
        if (how == "Message_Text")
            QCOMPARE(f.controls.Message_Text->toPlainText(), QStringLiteral("\n"));
        // Said until the next choice.
        f.controls.List1->setCurrentRow(3);
        QVERIFY(f.controls.lblNotice->isHidden());
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
