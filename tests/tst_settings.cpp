// The settings dialog: the price, the language chosen by clicking through the program folder's files, and Save.
#include "Operator.h"
#include "ProgramFolder.h"
#include "board/Form1.h"
#include "dialogs/SettingsDialog.h"
#include "ui/FileList.h"
#include "ui/LabelButton.h"
#include "ui/ListBox.h"
#include "ui/TextBox.h"

#include <QtTest>

using namespace tallivor;

class TestSettings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void languageClicksWalkTheFileList_data();
    void languageClicksWalkTheFileList();
    void fileListIsReadOnceAtCreation();
    void priceBoxTakesDigitsOnly();
    void refusalsStayYellowUntilTheDialogCloses();
    void emptyLanguageIsRefusedUntilOneIsChosen();
    void saveAppliesANewLanguageAtOnceAndOnlyThen();
    void enterInThePriceBoxSaves();
    void cancelChangesNothing();
    void priceAndLanguageSurviveARestart();

private:
    struct Board
    {
        std::unique_ptr<ProgramFolder> folder;
        FakePlatform platform;
        std::unique_ptr<Form1> form;
        SettingsDialog* open()
        {
            op::click(form->btn[Button::Settings]);
            return form->settings();
        }
    };
    static std::unique_ptr<Board> board(const QStringList& languages, const QByteArray& stationFile);
};

std::unique_ptr<TestSettings::Board> TestSettings::board(const QStringList& languages, const QByteArray& stationFile)
{
    auto b = std::make_unique<Board>();
    b->folder = std::make_unique<ProgramFolder>(languages);
    if (!stationFile.isNull())
        b->folder->write(QStringLiteral("tallivor.xml"), stationFile);
    b->form = b->folder->start(b->platform);
    b->form->show();
    return b;
}

void TestSettings::languageClicksWalkTheFileList_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("doubleClicks");
    QTest::addColumn<QStringList>("shown"); // the language box after each click
    QTest::newRow("passes over the station file")
        << QStringList{"English.xml", "other.xml", "tallivor.xml"} << false
        << QStringList{"English.xml", "other.xml", "other.xml", "English.xml", "other.xml"};
    QTest::newRow("only the station file")
        << QStringList{"tallivor.xml"} << false << QStringList{"English.xml", "English.xml", "English.xml"};
    QTest::newRow("no language file at all") << QStringList{} << false << QStringList{"English.xml", "English.xml"};
    QTest::newRow("any letter case, sorted without regard to case")
        << QStringList{"b.XML", "A.xml", "c.Xml", "tallivor.xml", "notes.txt", ".hidden.xml"} << false
        << QStringList{"A.xml", "b.XML", "c.Xml", "c.Xml", "A.xml"};
    QTest::newRow("station file spelt otherwise is a name like any other")
        << QStringList{"Tallivor.XML"} << false << QStringList{"Tallivor.XML", "Tallivor.XML"};
    QTest::newRow("passes over a name the station file's header cannot hold")
        << QStringList{"English.xml", "It, new.xml", "Z.xml"} << false
        << QStringList{"English.xml", "English.xml", "Z.xml", "English.xml"};
    QTest::newRow("a double-click moves one file")
        << QStringList{"A.xml", "B.xml", "C.xml"} << true << QStringList{"A.xml", "B.xml", "C.xml", "A.xml"};
}

void TestSettings::languageClicksWalkTheFileList()
{
    QFETCH(QStringList, files);
    QFETCH(bool, doubleClicks);
    QFETCH(QStringList, shown);
    auto b = board({}, QByteArray("10,English.xml\r\n"));
    QFile::remove(b->folder->filePath(QStringLiteral("tallivor.xml"))); // the board started; now only the test's files
    for (const QString& name : files)
        b->folder->write(name, QByteArray("heading\r\n"));
    SettingsDialog* dialog = b->open();
    QCOMPARE(dialog->File1->listIndex(), -1);
    QCOMPARE(dialog->language_text->text(), QStringLiteral("English.xml"));
    QStringList seen;
    for (int i = 0; i < shown.size(); ++i) {
        if (doubleClicks)
            QTest::mouseDClick(dialog->language_text, Qt::LeftButton);
        else
            QTest::mouseClick(dialog->language_text, Qt::LeftButton);
        seen << dialog->language_text->text();
    }
    QCOMPARE(seen, shown);
}

void TestSettings::fileListIsReadOnceAtCreation()
{
    auto b = board({QStringLiteral("English.xml")}, QByteArray("10,English.xml\r\n"));
    SettingsDialog* dialog = b->open();
    b->folder->write(QStringLiteral("Added.xml"), QByteArray("h\r\n"));
    QCOMPARE(dialog->File1->column().texts(), QStringList({"English.xml", "tallivor.xml"}));
    op::click(dialog->btn[DialogButton::Cancel]);
    dialog = b->open(); // a new dialog reads the folder again
    QCOMPARE(dialog->File1->column().texts(), QStringList({"Added.xml", "English.xml", "tallivor.xml"}));
}

void TestSettings::priceBoxTakesDigitsOnly()
{
    auto b = board({QStringLiteral("English.xml")}, QByteArray("0.5,English.xml\r\n"));
    SettingsDialog* dialog = b->open();
    QCOMPARE(dialog->Value->text(), QStringLiteral("0.5"));
    dialog->Value->setFocus();
    QTest::keyClick(dialog->Value, Qt::Key_End);
    QTest::keyClicks(dialog->Value, QStringLiteral("1.-a 2"));
    QCOMPARE(dialog->Value->text(), QStringLiteral("0.512")); // the point the program put there stays
    QTest::keyClicks(dialog->Value, QStringLiteral("3456789"));
    QCOMPARE(dialog->Value->text(), QStringLiteral("0.51234567")); // ten typed characters at most
    op::click(dialog->btn[DialogButton::Save]);
    QCOMPARE(b->form->REL->text(), QStringLiteral("0.51234567"));

    // A longer price from the station file shows whole and goes back unchanged.
    auto c = board({QStringLiteral("English.xml")}, QByteArray("123456789012.5,English.xml\r\n"));
    dialog = c->open();
    QCOMPARE(dialog->Value->text(), QStringLiteral("123456789012.5"));
    op::click(dialog->btn[DialogButton::Save]);
    QCOMPARE(c->form->REL->text(), QStringLiteral("123456789012.5"));
}

void TestSettings::refusalsStayYellowUntilTheDialogCloses()
{
    auto b = board({QStringLiteral("English.xml")}, QByteArray("10,English.xml\r\n"));
    SettingsDialog* dialog = b->open();
    op::retype(dialog->Value, QString());
    op::click(dialog->btn[DialogButton::Save]);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->Value->backColor(), yellow);
    QCOMPARE(dialog->language_text->backColor(), white);
    QCOMPARE(b->form->REL->text(), QStringLiteral("10"));
    QTest::keyClicks(dialog->Value, QStringLiteral("7"));
    QCOMPARE(dialog->Value->backColor(), yellow); // stays, also after typing
    op::click(dialog->btn[DialogButton::Save]);
    QCOMPARE(b->form->REL->text(), QStringLiteral("7"));
    QVERIFY(!b->form->hasSettings());
    // The next opening is a new dialog: no highlight.
    dialog = b->open();
    QCOMPARE(dialog->Value->backColor(), white);
}

void TestSettings::emptyLanguageIsRefusedUntilOneIsChosen()
{
    auto b = board({QStringLiteral("English.xml")}, QByteArray("10,English.xml\r\n"));
    b->form->languageStr.clear();
    SettingsDialog* dialog = b->open();
    QCOMPARE(dialog->language_text->text(), QString());
    op::retype(dialog->Value, QString()); // both empty: only the price is marked
    op::click(dialog->btn[DialogButton::Save]);
    QCOMPARE(dialog->Value->backColor(), yellow);
    QCOMPARE(dialog->language_text->backColor(), white);
    QTest::keyClicks(dialog->Value, QStringLiteral("3"));
    op::click(dialog->btn[DialogButton::Save]);
    QCOMPARE(dialog->language_text->backColor(), yellow);
    QVERIFY(dialog->isVisible());
    QTest::mouseClick(dialog->language_text, Qt::LeftButton);
    QCOMPARE(dialog->language_text->text(), QStringLiteral("English.xml"));
    QCOMPARE(dialog->language_text->backColor(), yellow); // until the dialog closes
    op::click(dialog->btn[DialogButton::Save]);
    QVERIFY(!b->form->hasSettings());
    QCOMPARE(b->form->languageStr, QStringLiteral("English.xml"));
    QCOMPARE(b->form->REL->text(), QStringLiteral("3"));
}

void TestSettings::saveAppliesANewLanguageAtOnceAndOnlyThen()
{
    auto b = board({QStringLiteral("English.xml"), QStringLiteral("Italian.xml")},
                   crlf({"10,English.xml", "Start,A,0:0,0", "Stop,B,0:0,0"}));
    // The file on disk changes behind the program's back: a Save that keeps the language must not read it.
    QByteArray english = b->folder->read(QStringLiteral("English.xml"));
    b->folder->write(QStringLiteral("English.xml"), english.replace("Settings=Settings", "Settings=Changed"));
    SettingsDialog* dialog = b->open();
    QCOMPARE(b->form->btn[Button::Settings]->text(), QStringLiteral("Changed")); // the opener applied it
    b->folder->write(QStringLiteral("English.xml"), english.replace("Settings=Changed", "Settings=Again"));
    op::retype(dialog->Value, QStringLiteral("20"));
    op::click(dialog->btn[DialogButton::Save]);
    QCOMPARE(b->form->REL->text(), QStringLiteral("20"));
    QCOMPARE(b->form->btn[Button::Settings]->text(), QStringLiteral("Changed"));

    dialog = b->open();
    QTest::mouseClick(dialog->language_text, Qt::LeftButton);
    QTest::mouseClick(dialog->language_text, Qt::LeftButton);
    QCOMPARE(dialog->language_text->text(), QStringLiteral("Italian.xml"));
    op::click(dialog->btn[DialogButton::Save]);
    QCOMPARE(b->form->languageStr, QStringLiteral("Italian.xml"));
    QCOMPARE(b->form->btn[Button::Settings]->text(), QStringLiteral("Opzioni"));
    QCOMPARE(b->form->Eventlist->column().texts(), QStringList({"Attivo", "Fermo"}));
}

void TestSettings::enterInThePriceBoxSaves()
{
    auto b = board({QStringLiteral("English.xml")}, QByteArray("10,English.xml\r\n"));
    SettingsDialog* dialog = b->open();
    op::retype(dialog->Value, QStringLiteral("15"));
    QTest::keyClick(dialog->Value, Qt::Key_Return);
    QCOMPARE(b->form->REL->text(), QStringLiteral("15"));
    QVERIFY(!b->form->hasSettings());
}

void TestSettings::cancelChangesNothing()
{
    auto b = board({QStringLiteral("English.xml"), QStringLiteral("Italian.xml")}, QByteArray("10,English.xml\r\n"));
    SettingsDialog* dialog = b->open();
    op::retype(dialog->Value, QStringLiteral("99"));
    QTest::mouseClick(dialog->language_text, Qt::LeftButton);
    QTest::mouseClick(dialog->language_text, Qt::LeftButton);
    op::click(dialog->btn[DialogButton::Cancel]);
    QVERIFY(!b->form->hasSettings());
    QCOMPARE(b->form->REL->text(), QStringLiteral("10"));
    QCOMPARE(b->form->languageStr, QStringLiteral("English.xml"));
    QCOMPARE(b->form->btn[Button::Add]->text(), QStringLiteral("Add Computer"));
}

void TestSettings::priceAndLanguageSurviveARestart()
{
    auto b = board({QStringLiteral("English.xml"), QStringLiteral("Italian.xml")},
                   crlf({"10,English.xml", "Start,A,0:59,0"}));
    SettingsDialog* dialog = b->open();
    op::retype(dialog->Value, QStringLiteral("3"));
    QTest::mouseClick(dialog->language_text, Qt::LeftButton);
    QTest::mouseClick(dialog->language_text, Qt::LeftButton);
    op::click(dialog->btn[DialogButton::Save]);
    b->form->tick(); // the new price charges the next completed minute
    QCOMPARE(b->form->Rellist->list(0), QStringLiteral("3"));
    b->form->close();
    QCOMPARE(b->folder->read(QStringLiteral("tallivor.xml")), crlf({"3,Italian.xml", "Attivo,A,1:0,3"}));
    FakePlatform platform;
    auto again = b->folder->start(platform);
    QCOMPARE(again->REL->text(), QStringLiteral("3"));
    QCOMPARE(again->btn[Button::Add]->text(), QStringLiteral("Aggiungi PC"));
    again->tick();
    QCOMPARE(again->timeList->list(0), QStringLiteral("1:1")); // still running under the Italian word
}

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
