// Start-up, the elevated relaunch, and closing.
#include "ProgramFolder.h"
#include "board/Form1.h"
#include "ui/ListBox.h"
#include "ui/ScrollBar.h"
#include "ui/TerminationSignals.h"

#include <QSignalSpy>
#include <QtTest>

#include <csignal>

using namespace tallivor;

class TestStartup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void withoutRightsAsksForAnElevatedCopyAndEnds_data();
    void withoutRightsAsksForAnElevatedCopyAndEnds();
    void loadPositionsTheScrollBarOnTheLastRow_data();
    void loadPositionsTheScrollBarOnTheLastRow();
    void closeSavesEveryTime();
    void terminationSignalClosesAndSaves();
};

void TestStartup::withoutRightsAsksForAnElevatedCopyAndEnds_data()
{
    QTest::addColumn<QString>("tail");
    QTest::addColumn<QString>("parameters");
    // clang-format off
    QTest::newRow("empty command line") << "" << "/admin";
    QTest::newRow("arguments") << "-x \"a b\"" << "-x \"a b\"/admin";
    QTest::newRow("already relaunched once") << "/admin" << "/admin/admin";
    // clang-format on
}

void TestStartup::withoutRightsAsksForAnElevatedCopyAndEnds()
{
    QFETCH(QString, tail);
    QFETCH(QString, parameters);
    ProgramFolder folder;
    const QByteArray file = crlf({"10,English.xml", "Start,A,1:0,10"});
    folder.write(QStringLiteral("tallivor.xml"), file);
    FakePlatform platform;
    platform.admin = false;
    platform.tail = tail;
    platform.folder = folder.path();
    Form1 form(platform, folder.path());
    QSignalSpy ended(&form, &Form1::processEnded);
    form.load();

    QCOMPARE(platform.calls.size(), std::size_t(1));
    const FakePlatform::ShellCall& call = platform.calls.front();
    QVERIFY(!call.withOwner);
    QCOMPARE(call.operation, QStringLiteral("runas"));
    QCOMPARE(call.file, folder.path() + QStringLiteral("\\Tallivor.exe"));
    QCOMPARE(call.parameters, parameters);
    QVERIFY(call.directory.isNull());
    QCOMPARE(call.showCommand, 1);

    QCOMPARE(ended.count(), 1);
    QVERIFY(form.hasEnded());
    QVERIFY(!form.isVisible());
    // The board was never emptied or read, and the station file keeps its bytes.
    QCOMPARE(form.Namelist->listCount(), 9);
    QCOMPARE(form.Namelist->list(0), QStringLiteral("Computer 2    "));
    QCOMPARE(folder.read(QStringLiteral("tallivor.xml")), file);
}

void TestStartup::loadPositionsTheScrollBarOnTheLastRow_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("selected");
    QTest::newRow("no rows") << 0 << -1;
    QTest::newRow("one row") << 1 << 0;
    QTest::newRow("nine rows: the scroll bar already holds 8") << 9 << -1;
    QTest::newRow("twelve rows") << 12 << 11;
}

void TestStartup::loadPositionsTheScrollBarOnTheLastRow()
{
    QFETCH(int, rows);
    QFETCH(int, selected);
    ProgramFolder folder;
    QStringList lines{QStringLiteral("10,English.xml")};
    for (int i = 0; i < rows; ++i)
        lines << QStringLiteral("Stop,PC %1,0:0,00").arg(i);
    folder.write(QStringLiteral("tallivor.xml"), crlf(lines));
    FakePlatform platform;
    auto form = folder.start(platform);

    QVERIFY(platform.calls.empty());
    QCOMPARE(form->VScroll1->max(), rows - 1);
    QCOMPARE(form->VScroll1->value(), rows - 1);
    for (ListBox* list : {form->Eventlist, form->Namelist, form->timeList, form->Rellist}) {
        QCOMPARE(list->listCount(), rows); // the layout's sample rows are gone
        QCOMPARE(list->listIndex(), selected);
    }
    QCOMPARE(form->Namelist->list(rows - 1), rows ? QStringLiteral("PC %1").arg(rows - 1) : QString());
}

void TestStartup::closeSavesEveryTime()
{
    ProgramFolder folder;
    FakePlatform platform;
    {
        auto form = folder.start(platform);
        QSignalSpy ended(form.get(), &Form1::processEnded);
        form->close();
        QCOMPARE(ended.count(), 1);
    }
    QCOMPARE(folder.read(QStringLiteral("tallivor.xml")), QByteArray("10,English.xml\r\n"));

    // Unchanged, it is written again all the same (a file edited meanwhile is overwritten with the board).
    folder.write(QStringLiteral("tallivor.xml"), QByteArray("10,English.xml\r\n"));
    {
        auto form = folder.start(platform);
        folder.write(QStringLiteral("tallivor.xml"), QByteArray("edited outside"));
        form->close();
    }
    QCOMPARE(folder.read(QStringLiteral("tallivor.xml")), QByteArray("10,English.xml\r\n"));
}

void TestStartup::terminationSignalClosesAndSaves()
{
    ProgramFolder folder;
    folder.write(QStringLiteral("tallivor.xml"), crlf({"10,English.xml", "Stop,A,0:0,00"}));
    FakePlatform platform;
    auto form = folder.start(platform);
    TerminationSignals termination;
    connect(&termination, &TerminationSignals::received, form.get(), &QWidget::close);
    form->Eventlist->setList(0, form->Startcaption);

    std::raise(SIGTERM);
    QTRY_VERIFY(form->hasEnded());
    QCOMPARE(folder.read(QStringLiteral("tallivor.xml")), crlf({"10,English.xml", "Start,A,0:0,00"}));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
