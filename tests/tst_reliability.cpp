// Nothing lost through the program: the clock counts the steady time, every row read is written back as it was read
// (damaged station and language files included), a failed write keeps the old file, and language files re-label the
// state words without losing a state.
#include "RunningBoard.h"
#include "board/Board.h"
#include "window/Form1.h"
#include "dialogs/EditDialog.h"
#include "dialogs/SettingsDialog.h"
#include "lang/KeyedTexts.h"
#include "lang/LanguageFile.h"
#include "store/StationFile.h"
#include "store/TextCodec.h"
#include "ui/LabelButton.h"
#include "ui/ListBox.h"
#include "ui/TextBox.h"

#include <QRandomGenerator>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace tallivor;

namespace {

const QString fileName = QStringLiteral("tallivor.xml");

// Runs f with a file size limit, so that writes fail part-way as on a full disk.
void withFullDisk(const std::function<void()>& f)
{
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4096;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    f();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
}

} // namespace

class TestReliability : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void clockCountsTheSteadyTime_data()
    {
        // Each event moves the steady clocks to an awake time (milliseconds since the clock started) and adds a time
        // slept; the last event may be the close. After each event the station has counted the seconds given.
        QTest::addColumn<QList<qint64>>("awake");
        QTest::addColumn<QList<qint64>>("slept");
        QTest::addColumn<bool>("closeAtEnd");
        QTest::addColumn<QList<qint64>>("counted");
        QTest::addColumn<QList<qint64>>("gaps"); // counted and slept seconds of each gap reported
        using T = QList<qint64>;
        // clang-format off
        QTest::newRow("one second an event") << T{1000, 2000, 3000} << T{} << false << T{1, 2, 3} << T{};
        QTest::newRow("a stall of 5 s charges the minute it crosses") << T{1000, 2000, 7000, 8000} << T{} << false << T{1, 2, 7, 8} << T{};
        QTest::newRow("a stall across minutes charges each once") << T{1000, 186000, 187000} << T{} << false << T{1, 186, 187} << T{185, 0};
        QTest::newRow("a minute's stall is no gap") << T{1000, 61000} << T{} << false << T{1, 61} << T{};
        QTest::newRow("early events apply nothing twice") << T{1000, 1001, 1600, 2200, 3000} << T{} << false << T{1, 1, 2, 2, 3} << T{};
        QTest::newRow("events a little early or late apply one each") << T{980, 2030, 2990, 4010, 4960} << T{} << false << T{1, 2, 3, 4, 5} << T{};
        QTest::newRow("after a stall half a second off the beat, one each") << T{1000, 6520, 7570, 8480, 9530, 10510} << T{} << false << T{1, 7, 8, 9, 10, 11} << T{};
        QTest::newRow("sleep is not counted") << T{1000, 2000, 3000} << T{0, 3599600, 0} << false << T{1, 2, 3} << T{1, 3600};
        QTest::newRow("closing counts the second under way") << T{1000, 2000, 2700} << T{} << true << T{1, 2, 3} << T{};
        // clang-format on
    }
    void clockCountsTheSteadyTime()
    {
        QFETCH(QList<qint64>, awake);
        QFETCH(QList<qint64>, slept);
        QFETCH(bool, closeAtEnd);
        QFETCH(QList<qint64>, counted);
        QFETCH(QList<qint64>, gaps);
        ProgramFolder folder;
        FakePlatform platform;
        platform.steady = {5000, 9000}; // the clocks start where they like
        auto form = startShown(folder, platform, englishBoard({"Start,A,0:57,00", "Stop,B,0:57,00"}));
        QSignalSpy gapSpy(&form->board(), &Board::clockGap);
        QSignalSpy charged(&form->Rellist->column(), &QAbstractItemModel::dataChanged); // what the view repaints from
        int minutes = 0; // events that completed a minute
        qint64 asleep = 0;
        for (qsizetype i = 0; i < awake.size(); ++i) {
            asleep += slept.value(i);
            platform.steady = {5000 + awake[i], 9000 + awake[i] + asleep};
            if (closeAtEnd && i == awake.size() - 1)
                form->form().close();
            else
                form->board().clockTimeout();
            const QStringList time = form->timeList->list(0).split(u':');
            QCOMPARE(time.value(0).toLongLong() * 60 + time.value(1).toLongLong() - 57, counted[i]);
            minutes += (57 + counted[i]) / 60 > (57 + counted.value(i - 1)) / 60;
        }
        QCOMPARE(charged.count(), minutes);
        QCOMPARE(form->Rellist->list(0), QString::number(10 * ((57 + counted.last()) / 60))); // each minute once
        QCOMPARE(form->timeList->list(1), QStringLiteral("0:57"));
        QList<qint64> reported;
        for (const QList<QVariant>& gap : gapSpy)
            reported << gap.at(0).toLongLong() << gap.at(1).toLongLong();
        QCOMPARE(reported, gaps);
    }

    void everyRowReadIsWrittenBack_data()
    {
        QTest::addColumn<QByteArray>("bytes");    // a null array: no file at all
        QTest::addColumn<QByteArray>("language"); // the language file the board names, when not null
        QByteArray garbage(64 * 1024, Qt::Uninitialized);
        QRandomGenerator random(7);
        for (char& byte : garbage)
            byte = char(random.bounded(256));
        // clang-format off
        QTest::newRow("a board") << crlf({"0.5,English.xml", "Start,Computer 2,30:40,1000", "Stop,Table  3 ,7:5,12.5", "Start,\xDA\xA9\xD8\xA7\xD9\x85,0:0,00"}) << QByteArray();
        QTest::newRow("no file") << QByteArray() << QByteArray();
        QTest::newRow("damaged bytes, NUL, short rows, lone CR and LF") << bytesOf("\xEF\xBB\xBF" "1E+400\0,English.xml\r\nStart,A\0B,0:\0,1\0\r\n,\xC3\x28\xFF\xE2\x82\r\n\nStop\r\rStart,\xED\xA0\x80,1E+400:59,NaN\r\nStart,B,0:59,1E+400\r\n,,,,,,\r\n") << QByteArray();
        QTest::newRow("binary garbage") << garbage << QByteArray();
        QTest::newRow("a language file of garbage") << crlf({"10,Hostile.xml", "Start,A,0:0,00", "Stop,B,0:0,00"}) << garbage;
        // clang-format on
    }
    void everyRowReadIsWrittenBack()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, language);
        ProgramFolder folder;
        if (!bytes.isNull())
            folder.write(fileName, bytes);
        if (!language.isNull())
            folder.write(QStringLiteral("Hostile.xml"), language);
        FakePlatform platform;
        {
            auto form = startWindow(folder, platform);
            form->form().show();
            QVERIFY(QTest::qWaitForWindowExposed(&form->form()));
            form->form().grab();      // paints every list
            form->form().translate(); // again, with the dialogs in place
            form->form().close();
        }
        // The header's price (or the layout's "10") and language (or the default), then every row, a row without a
        // state word made a stopped one.
        StationFile file = parseStationFile(decodeDataFile(bytes));
        file.state.replaceInStrings(QRegularExpression(QStringLiteral("^$")), QStringLiteral("Stop"));
        const QString named = file.language.value_or(QString());
        const QByteArray written = folder.read(fileName);
        QVERIFY(written == encodeDataFile(formatStationFile(file.price.value_or(QStringLiteral("10")),
                                                            named.isEmpty() ? QStringLiteral("English.xml") : named,
                                                            file.state, file.name, file.time, file.charge)));
        // The clock runs over whatever the file held, and no row is lost.
        auto form = startWindow(folder, platform);
        form->board().tick(61);
        form->form().grab();
        form->form().close();
        QCOMPARE(folder.read(fileName).count("\r\n"), written.count("\r\n"));
    }

    void aFailedWriteKeepsTheOldFileAndTheAutosaveTriesAgain()
    {
        ProgramFolder folder;
        FakePlatform platform;
        const QStringList before(500, QStringLiteral("Start,PC,0:0,00")), after(500, QStringLiteral("Start,PC,0:1,00"));
        auto form = startShown(folder, platform, englishBoard(before));
        form->board().tick();
        withFullDisk([&] { form->board().autosave(); });
        QCOMPARE(folder.read(fileName), englishBoard(before)); // the write failed part-way: the old file stays whole
        QCOMPARE(folder.names().filter(fileName), QStringList{fileName}); // and no temporary file is left
        form->board().autosave();
        QCOMPARE(folder.read(fileName), englishBoard(after)); // tried again
        folder.write(fileName, "marker");
        form->board().autosave();
        QCOMPARE(folder.read(fileName), QByteArray("marker")); // nothing new since the last write
    }

    void switchingLanguageRelabelsTheStateWords_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");  // written to the program folder as name; "shipped": the shipped file
        QTest::addColumn<bool>("read");         // the file is a language file and is read
        QTest::addColumn<QStringList>("words"); // the running and stopped words after the switch
        const auto words = [](const char* running, const char* stopped) {
            return languageWithWords(QString::fromUtf8(running), QString::fromUtf8(stopped));
        };
        const QByteArray shipped = "shipped", none;
        // clang-format off
        QTest::newRow("Italian") << "Italian.xml" << shipped << true << QStringList{"Attivo", "Fermo"};
        QTest::newRow("Persian") << "Persian.xml" << shipped << true << QStringList{"\u0641\u0639\u0627\u0644", "\u0645\u062A\u0648\u0642\u0641"};
        // The words in force stay where the file's cannot serve: an empty one, one the file cannot hold, two alike.
        QTest::newRow("no stopped word") << "A.xml" << words("Go", "") << true << QStringList{"Go", "Stop"};
        QTest::newRow("a comma in the running word") << "A.xml" << words("Go, now", "Halt") << true << QStringList{"Start", "Halt"};
        QTest::newRow("two alike") << "A.xml" << words("Same", "Same") << true << QStringList{"Start", "Stop"};
        // Only an ordinary, visible file directly in the program folder is a language file.
        QTest::newRow("missing file") << "Klingon.xml" << none << false << QStringList{"Start", "Stop"};
        QTest::newRow("hidden file") << ".A.xml" << words("Go", "Halt") << false << QStringList{"Start", "Stop"};
        QTest::newRow("a folder") << "sub" << none << false << QStringList{"Start", "Stop"};
        QTest::newRow("a path") << "sub/A.xml" << words("Go", "Halt") << false << QStringList{"Start", "Stop"};
        // clang-format on
    }
    void switchingLanguageRelabelsTheStateWords()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, read);
        QFETCH(QStringList, words);
        ProgramFolder folder;
        QDir(folder.path()).mkpath(QStringLiteral("sub"));
        if (bytes == "shipped")
            folder.copyLanguage(name);
        else if (!bytes.isNull())
            folder.write(name, bytes);
        FakePlatform platform;
        auto form =
            startShown(folder, platform, englishBoard({"Start,A,0:0,0", "Stop,B,0:0,0", "Marche,C,0:0,0", ",D,0:0,0"}));
        QCOMPARE(column(form->Eventlist), QStringList({"Start", "Stop", "Marche", "Stop"})); // the empty word stops
        form->board().setLineCount(7);
        form->board().applySettings(form->board().price(), name);
        QCOMPARE(column(form->Eventlist), QStringList({words[0], words[1], "Marche", words[1]}));
        QCOMPARE(form->board().lineCount(), qint16(read ? 22 + keyedTextCount : 7)); // where reading ended, if it began
        if (bytes == "shipped") {
            // Entries reach the board, the editor and the settings dialog; the report's texts come by key.
            const LanguageFile file = parseLanguageFile(decodeDataFile(folder.read(name)));
            QCOMPARE(QStringList({form->btn(Button::Add)->text(), form->form().edit()->time_caption->text(),
                                  form->form().settings()->Min_Value->text(), form->board().keyedTexts()[KeyedText::Report]}),
                     QStringList({*file.entries[1], *file.entries[8], *file.entries[17], file.keyed["Report"]}));
        }
        form->board().tick(); // the running station keeps running under its new word
        QCOMPARE(column(form->timeList), QStringList({"0:1", "0:0", "0:0", "0:0"}));
        form->board().applySettings(form->board().price(), QStringLiteral("English.xml"));
        QCOMPARE(column(form->Eventlist), QStringList({"Start", "Stop", "Marche", "Stop"}));
    }
};

QTEST_MAIN(TestReliability)
#include "tst_reliability.moc"
