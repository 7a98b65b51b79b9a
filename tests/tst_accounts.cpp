// The owner's accounts without any window, over a ledger that the program's Ledger wrote in a program folder: which
// lines belong to a period (days, or since the last shift across the months), the totals and the lines worth a look,
// the chain's findings, lines that join the period as they are written, and the words the report says them in.
#include "ProgramFolder.h"
#include "accounts/ReportModel.h"
#include "accounts/ReportWords.h"
#include "lang/LanguageFile.h"
#include "ledger/Ledger.h"
#include "rules/TimeText.h"
#include "store/TextCodec.h"

#include <QDir>
#include <QtTest>

using namespace tallivor;
using Alter = std::function<void(QByteArrayList&)>;
Q_DECLARE_METATYPE(Alter)
Q_DECLARE_METATYPE(Period)

namespace {
const QString december = QStringLiteral("tallivor-ledger-2026-12.csv");
const QDate today(2026, 12, 7);
} // namespace

class TestAccounts : public QObject
{
    Q_OBJECT
    std::unique_ptr<ProgramFolder> m_folder;
    QDateTime m_clock;
    std::unique_ptr<Ledger> m_ledger;

    // Appends lines "hh:mm:ss|event|station|spent|charge|price|detail" of a day of a month through the ledger.
    void write(int day, const QStringList& lines, int month = 12)
    {
        for (const QString& line : lines) {
            const QStringList f = line.split(u'|');
            m_clock = QDateTime(QDate(2026, month, day), QTime::fromString(f[0]), Qt::UTC);
            m_ledger->append({{}, f[1], f[2], f[3], f[4], f[5], f[6]});
        }
    }
    // The 30th of November: a bill and a shift close. The 6th: a tiny bill (its charge in exponent form), a shift
    // close. The 7th: bills, a lowered time (its detail's values found by name in any order), removals, the board's
    // open line (line 10 of December), a bill in the evening.
    void writeSample()
    {
        write(30, {"10:00:00|bill|A|1:00|7|10|", "11:00:00|shift||||10|bills=1; billed=7; time=1:00"}, 11);
        write(6, {"20:00:00|bill|A|10:00|5E-05|10|", "23:00:00|shift||||10|bills=1; billed=0.00005; time=10:00"});
        write(7, {"14:03:00|bill|A|0:12:34|120|10|", "14:40:00|bill|B, corner|0:30|0.1|10|",
                  "15:00:00|edit|B, corner|1:00|0.1|10|name=B, corner; time=9:00",
                  "15:05:00|remove|C|4:00|40|10|state=Stop", "15:06:00|remove|D|0:00|00|10|",
                  "18:10:00|bill|B, corner|1:00|0.9|10|", "19:00:00|open||||10|stations=1; running=0"});
    }
    // What the report shows of the model, in English: the period, the figures, each station, the hours that took
    // money, the lines worth a look, then what the chain found.
    static QStringList shown(const ReportModel& model)
    {
        const ReportWords words{KeyedTexts(), QStringLiteral("$")};
        const PeriodTotals& totals = model.totals();
        QStringList shown{words.period(model), QStringLiteral("%1 bills, %2, %3")
                                                   .arg(totals.bills)
                                                   .arg(words.money(totals.billed.text()), hoursText(totals.seconds))};
        for (const StationTotal& s : totals.stations)
            shown << QStringLiteral("%1: %2 %3 %4")
                         .arg(s.station)
                         .arg(s.bills)
                         .arg(hoursText(s.seconds), s.amount.text());
        for (std::size_t hour = 0; hour < totals.byHour.size(); ++hour) {
            if (!totals.byHour[hour].isZero())
                shown << QStringLiteral("%1h %2").arg(hour).arg(totals.byHour[hour].text());
        }
        for (const Look& look : totals.looks)
            shown << words.look(model, look);
        return shown + words.findings(model);
    }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<ProgramFolder>(QStringList{});
        m_ledger = std::make_unique<Ledger>(m_folder->path(), [this] { return m_clock; });
    }

    void aPeriodReadsItsLinesAndTheirChain_data()
    {
        QTest::addColumn<Alter>("alter"); // on December's lines, the heading first
        QTest::addColumn<Period>("period");
        QTest::addColumn<QStringList>("shown");
        const Period day = Period::days(today, today);
        // clang-format off
        const QStringList looks{"2026-12-07 15:00:00   time lowered B, corner 9:00 \u2192 1:00", "2026-12-07 15:05:00   removed with a charge C 4:00 40 $"};
        const auto seventh = [=](const QString& title, const QStringList& found) {
            return QStringList{title, "3 bills, 121 $, 0:14:04", "A: 1 0:12:34 120", "B, corner: 2 0:01:30 1", "14h 120.1", "18h 0.9"} + looks + found;
        };
        const QString changed = ": changed, or lines before it deleted";
        QTest::newRow("a day") << Alter() << day << seventh("2026-12-07", {});
        QTest::newRow("two days") << Alter() << Period::days(today.addDays(-1), today) << QStringList{"2026-12-06 \u2013 2026-12-07",
            "4 bills, 121.00005 $, 0:24:04", "A: 2 0:22:34 120.00005", "B, corner: 2 0:01:30 1", "14h 120.1", "18h 0.9", "20h 0.00005"} + looks;
        QTest::newRow("two months") << Alter() << Period::days(QDate(2026, 11, 30), today) << QStringList{"2026-11-30 \u2013 2026-12-07",
            "5 bills, 128.00005 $, 0:25:04", "A: 3 0:23:34 127.00005", "B, corner: 2 0:01:30 1", "10h 7", "14h 120.1", "18h 0.9", "20h 0.00005"} + looks;
        QTest::newRow("since the shift close") << Alter() << Period::sinceLastShift() << seventh("Since shift close (2026-12-06 23:00)", {});
        QTest::newRow("since a shift in the month before") << Alter([](QByteArrayList& l) { l.removeAt(2); })
            << Period::sinceLastShift() << QStringList{"Since shift close (2026-11-30 11:00)", "4 bills, 121.00005 $, 0:24:04",
            "A: 2 0:22:34 120.00005", "B, corner: 2 0:01:30 1", "14h 120.1", "18h 0.9", "20h 0.00005"} + looks + QStringList{"tallivor-ledger-2026-12.csv line 3" + changed};
        QTest::newRow("the heading") << Alter([](QByteArrayList& l) { l[0].replace("time", "when"); }) << day << seventh("2026-12-07", {"tallivor-ledger-2026-12.csv line 1: damaged"});
        QTest::newRow("changed") << Alter([](QByteArrayList& l) { l[1].replace("5E-05", "6E-05"); }) << day << seventh("2026-12-07", {"tallivor-ledger-2026-12.csv line 2" + changed});
        QTest::newRow("one digit of a check") << Alter([](QByteArrayList& l) { char& c = l[1][l[1].size() - 2]; c = c == '0' ? '1' : '0'; }) << day
            << seventh("2026-12-07", {"tallivor-ledger-2026-12.csv line 2" + changed, "tallivor-ledger-2026-12.csv line 3" + changed});
        QTest::newRow("inserted") << Alter([](QByteArrayList& l) { l.insert(3, l[1]); }) << day << seventh("2026-12-07", {"tallivor-ledger-2026-12.csv line 4: inserted"});
        QTest::newRow("damaged, and a check not in hex") << Alter([](QByteArrayList& l) { l[1] = "garbage\r"; l[2][l[2].size() - 2] = 'g'; }) << day
            << seventh("2026-12-07", {"tallivor-ledger-2026-12.csv line 2: damaged", "tallivor-ledger-2026-12.csv line 3: damaged", "tallivor-ledger-2026-12.csv line 4" + changed});
        QTest::newRow("a damaged last line, whole") << Alter([](QByteArrayList& l) { l[l.size() - 2] = "garbage\r"; }) << day
            << seventh("2026-12-07", {"tallivor-ledger-2026-12.csv line 10: damaged"});
        QTest::newRow("a changed last line, whole") << Alter([](QByteArrayList& l) { l[l.size() - 2].replace("stations=1", "stations=2"); }) << day
            << seventh("2026-12-07", {"tallivor-ledger-2026-12.csv line 10" + changed});
        QTest::newRow("cut by a power cut") << Alter([](QByteArrayList& l) { l.removeLast(); l.last().chop(8); }) << day
            << seventh("2026-12-07", {"tallivor-ledger-2026-12.csv line 10: cut short (a power cut?)"});
        // clang-format on
    }
    void aPeriodReadsItsLinesAndTheirChain()
    {
        QFETCH(Alter, alter);
        QFETCH(Period, period);
        QFETCH(QStringList, shown);
        writeSample();
        QByteArrayList lines = m_folder->read(december).split('\n');
        if (alter)
            alter(lines);
        m_folder->write(december, lines.join('\n'));
        ReportModel model(m_folder->path());
        model.show(period);
        QCOMPARE(this->shown(model), shown);
        QCOMPARE(ledgerFileBytes(model.records()).count("\r\n"), qsizetype(model.records().size() + 1));
    }

    void linesJoinThePeriodAsTheyAreWritten_data()
    {
        QTest::addColumn<Period>("period");
        QTest::addColumn<QStringList>("shown"); // the period, and the figures after the lines written
        // clang-format off
        QTest::newRow("today: a bill joins") << Period::days(today, today) << QStringList{"2026-12-07", "5 bills, 141 $, 0:16:04"};
        QTest::newRow("yesterday: today's bill stays out") << Period::days(today.addDays(-1), today.addDays(-1)) << QStringList{"2026-12-06", "1 bills, 0.00005 $, 0:10:00"};
        QTest::newRow("since the shift: a shift starts afresh") << Period::sinceLastShift() << QStringList{"Since shift close (2026-12-07 19:30)", "1 bills, 10 $, 0:01:00"};
        // clang-format on
    }
    void linesJoinThePeriodAsTheyAreWritten()
    {
        QFETCH(Period, period);
        QFETCH(QStringList, shown);
        writeSample();
        ReportModel model(m_folder->path());
        model.show(period);
        QStringList taken;
        m_ledger->setOnWritten([&](const LedgerEntry& entry, const QByteArray& check) {
            taken << (model.take(LedgerRecord{entry, check, eventFromName(entry.event)}) ? "joined" : "out");
        });
        // The month file moved away: a model that read the ledger again would find only the new lines.
        QVERIFY(QDir(m_folder->path()).rename(december, "aside.csv"));
        write(7, {"19:20:00|bill|A|1:00|10|10|", "19:30:00|shift||||10|bills=1", "19:40:00|bill|A|1:00|10|10|"});
        QCOMPARE(this->shown(model).mid(0, 2), shown);
        const bool joins = period.sinceShift || period.from == today;
        QCOMPARE(taken, QStringList(3, QString::fromLatin1(joins ? "joined" : "out")));
        // What a shift close counts is read from the disk, since the shift line it finds last.
        const PeriodTotals shift = shiftTotals(m_folder->path());
        QCOMPARE(QStringList({QString::number(shift.bills), shift.billed.text()}), QStringList({"1", "10"}));
    }

    void overtimeAndAcknowledgements()
    {
        // clang-format off
        write(7, {"10:00:00|bill|A|80:10|802|10|paid=60:0", "10:00:01|bill|A|59:59|600|10|paid=60:0",
            "10:00:02|bill|B|60:10|602|10|paid=59:50", "10:00:03|bill|C|70:0|700|10|paid=", "10:00:04|bill|C|377817:24|0|10|paid=ab:5",
            "10:00:05|bill|D \"x\"|46:21|463|10|paid=50:0", "10:00:00|due|A|60:0|||", "10:01:15|ack|A||||after=75",
            "11:00:00|due|B|30:0|||", "11:03:00|ack|B||||after=185", // 8: waited by the board's count, not the stamps'
            "12:00:00|due|C|30:0|||", "12:00:30|due|D \"x\"|30:0|||", "12:01:00|ack|D \"x\"||||after=30", "13:00:00|due|A|90:0|||",
            "13:02:00|ack|A||||after=120", "14:00:00|ack|B||||after=5", "15:00:00|due|B|30:0|||", // 16: never
            "16:00:00|due|E|30:0|||", "16:10:00|due|E|45:0|||", "16:11:00|ack|E||||after=60", // 17: 11 minutes
            "17:00:00|edit|F|9:00|0|10|time=1:00; name=F", "17:01:00|edit|G|8:00|0|10|name=F"}); // no time lowered
        // clang-format on
        ReportModel model(m_folder->path());
        model.show(Period::days(today, today));
        // Each station's bills, time billed and minutes past a paid end; each due line worth a look, and its wait.
        QStringList stations, looks;
        for (const StationTotal& s : model.totals().stations)
            stations << s.station + QString(" %1 %2 %3").arg(s.bills).arg(hoursText(s.seconds)).arg(s.overtimeMinutes);
        for (const Look& look : model.totals().looks)
            looks << QStringLiteral("%1:%2").arg(look.record).arg(look.why == Notice::NeverAcked ? -1 : look.seconds);
        QCOMPARE(stations, QStringList({"A 2 2:20:09 20", "B 1 1:00:10 1", "C 2 6298:07:24 0", "D \"x\" 1 0:46:21 0"}));
        QCOMPARE(looks, QStringList({"8:185", "10:-1", "16:-1", "17:660"}));
    }

    void wordsOfTheLanguageInForce_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("shown"); // the period, then the looks
        // clang-format off
        const QStringList lines{"09:00:00|gap||||10|seconds=64; uncounted=0; running=2",
            "10:00:00|gap||||10|seconds=3600; uncounted=3600; running=4", "16:00:00|due|PC 2|60:0|600|10|paid=60:0",
            "16:03:05|ack|PC 2|63:5|630|10|after=185", "17:00:00|due|VR|30:0|300|10|paid=30:0",
            "18:00:00|gap||||10|seconds=200; uncounted=109; running=1", "18:30:00|price||||12|before=10"};
        QTest::newRow("English") << "English.xml" << lines << QStringList{"2026-12-07",
            "2026-12-07 09:00:00   gap of 0:01:04, all counted (held up, then caught up); stations running: 2",
            "2026-12-07 10:00:00   gap of 1:00:00, not counted (asleep, or the program closed); stations running: 4",
            "2026-12-07 16:00:00   PC 2: paid time up, acknowledged after 0:03:05",
            "2026-12-07 17:00:00   VR: paid time up, never acknowledged",
            "2026-12-07 18:00:00   gap of 0:03:20, 0:01:49 of it not counted (asleep); stations running: 1",
            "2026-12-07 18:30:00   price changed 10 \u2192 12"};
        // Right to left: dates and names isolated.
        QTest::newRow("Persian") << "Persian.xml" << lines.mid(4, 2) << QStringList{"\u20662026-12-07\u2069",
            "\u20662026-12-07 17:00:00\u2069   \u2066VR\u2069: زمان پرداخت‌شده تمام شد، هرگز تأیید نشد",
            "\u20662026-12-07 18:00:00\u2069   وقفه‌ی 0:03:20، 0:01:49 از آن شمرده نشد (خواب)؛ رایانه‌های روشن: 1"};
        // clang-format on
    }
    void wordsOfTheLanguageInForce()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, shown);
        m_folder->copyLanguage(language);
        write(7, lines);
        const ReportWords words{KeyedTexts(parseLanguageFile(decodeDataFile(m_folder->read(language))).keyed), {}};
        ReportModel model(m_folder->path());
        model.show(Period::days(today, today));
        QStringList texts{words.period(model)};
        for (const Look& look : model.totals().looks)
            texts << words.look(model, look);
        QCOMPARE(texts, shown);
        QCOMPARE(words.rightToLeft(), language == "Persian.xml");
    }

    // The till's lines: the takings split into time and products, the products table with the counter and the voids
    // apart, and the looks: a void, a count gone below zero once (not again while it stays there, nor on a void).
    void tillLinesInTheTotals()
    {
        write(7, {"10:00:00|sale|PC 1||3|1.5|product=Cola; quantity=2; stock=1",
                  "10:01:00|sale|||1.5|1.5|product=Cola; quantity=1; stock=0",
                  "10:02:00|sale|||1.5|1.5|product=Cola; quantity=1; stock=-1",
                  "10:03:00|sale|PC 1||1.5|1.5|product=Cola; quantity=1; stock=-2",
                  "11:04:00|void|||1.5|1.5|product=Cola; quantity=1; stock=-1; sale=0000000000000000",
                  "11:05:00|sale|||2|2|product=Chips; quantity=1", "12:00:00|bill|PC 1|0:30:00|34.5|1|items=4.5"});
        m_folder->write(QStringLiteral("tallivor-products.csv"),
                        "product,price,stock,code,reorder\r\nCola,1.5,-1,,0\r\nChips,2,,,5\r\n");
        ReportModel model(m_folder->path());
        model.show(Period::days(today, today));
        const PeriodTotals& totals = model.totals();
        QStringList shown{totals.billed.text(), totals.counterSales.text(), totals.counterVoids.text()};
        for (const ProductTotal& p : totals.products)
            shown << QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                         .arg(p.product)
                         .arg(p.quantity)
                         .arg(p.amount.text())
                         .arg(p.counterQuantity)
                         .arg(p.counterAmount.text())
                         .arg(p.voidQuantity)
                         .arg(p.voidAmount.text());
        for (const StationTotal& s : totals.stations)
            shown << QStringLiteral("%1 %2 %3").arg(s.station, s.amount.text(), s.items.text());
        for (const Look& look : totals.looks)
            shown << QStringLiteral("%1:%2").arg(look.record).arg(int(look.why));
        QCOMPARE(shown, QStringList({"34.5", "5", "1.5", "Chips 1 2 1 2 0 0", "Cola 5 7.5 2 3 1 1.5", "PC 1 34.5 4.5",
                                     QStringLiteral("2:%1").arg(int(Notice::StockBelowZero)),
                                     QStringLiteral("4:%1").arg(int(Notice::Voided)),
                                     QStringLiteral("4:%1").arg(int(Notice::StockLow))}));
    }
};

QTEST_GUILESS_MAIN(TestAccounts)
#include "tst_accounts.moc"
