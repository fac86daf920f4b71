// The file dialogs' shared settings and results, and the file-name helpers.

#include "platform/fakes/FakePlatform.h"
#include "translator/ModCmnDlg.h"

#include <QTest>

using namespace translator;

class TestModCmnDlg : public QObject
{
    Q_OBJECT
private slots:
    void cutAtNull_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none") << "abc"
                              << "abc";
        QTest::newRow("middle") << QString("ab") + QChar(0) + "cd"
                                << "ab";
        QTest::newRow("first") << QString(QChar(0)) + "x"
                               << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void cutAtNull()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(CutAtNull(text), expected);
    }

    void changeExtension_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("expected");
        QTest::newRow("replaced") << "letter.doc"
                                  << "txt"
                                  << "letter.txt";
        QTest::newRow("last dot only") << "a.b.c"
                                       << "txt"
                                       << "a.b.txt";
        QTest::newRow("no dot") << "letter"
                                << "txt"
                                << "letter.txt";
        QTest::newRow("empty extension") << "letter.doc"
                                         << ""
                                         << "letter";
        QTest::newRow("trailing dot") << "letter."
                                      << "txt"
                                      << "letter.txt";
    }
    void changeExtension()
    {
        QFETCH(QString, path);
        QFETCH(QString, extension);
        QFETCH(QString, expected);
        QCOMPARE(ChangeExtension(path, extension), expected);
    }

    void textFilePath_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no extension") << "/home/u/letter"
                                      << "/home/u/letter.txt";
        QTest::newRow("other extension") << "/home/u/letter.doc"
                                         << "/home/u/letter.txt";
        QTest::newRow("already txt") << "/home/u/letter.txt"
                                     << "/home/u/letter.txt";
        QTest::newRow("two dots") << "/home/u/a.b.c"
                                  << "/home/u/a.b.txt";
        QTest::newRow("dotted folder") << "/home/u/my.docs/letter"
                                       << "/home/u/my.docs/letter.txt";
        QTest::newRow("dotted folder and file") << "/my.docs/a.md"
                                                << "/my.docs/a.txt";
        QTest::newRow("blank at the end kept") << "/home/u/letter "
                                               << "/home/u/letter .txt";
    }
    void textFilePath()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, expected);
        QCOMPARE(translator::textFilePath(chosen), expected);
        QCOMPARE(fileNamePart(expected), expected.mid(expected.lastIndexOf(u'/') + 1));
    }

    void dialogsShareTheFilterIndex()
    {
        platform::fakes::FakeFileDialogs dialogs;
        ModCmnDlg dlg(dialogs);
        dlg.DlgFilter = QStringLiteral("Text file (*.txt)|*.txt");
        dlg.DlgFlags = platform::OFN_READONLY | platform::OFN_HIDEREADONLY;
        dialogs.answers.enqueue({true, QStringLiteral("/tmp/a.txt"), 1});
        dlg.ShowOpen();
        QCOMPARE(dlg.DlgFileName, QStringLiteral("/tmp/a.txt"));
        QCOMPARE(dlg.DlgFilterIndex, 1);
        QCOMPARE(dialogs.openRequests.size(), 1);
        QCOMPARE(dialogs.openRequests[0].filter, dlg.DlgFilter);
        QCOMPARE(dialogs.openRequests[0].flags, 5u);
        QCOMPARE(dialogs.openRequests[0].filterIndex, 0);

        dlg.DlgFileName.clear();
        dialogs.cancel();
        dlg.ShowSave();
        QCOMPARE(dlg.DlgFileName, QString());
        QCOMPARE(dlg.DlgFilterIndex, 1);
        QCOMPARE(dialogs.saveRequests[0].filterIndex, 1);
    }
};

QTEST_APPLESS_MAIN(TestModCmnDlg)
#include "tst_modcmndlg.moc"
