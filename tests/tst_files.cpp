// The program's own lists: the CSV reader and writer, and the products list read, changed and written back.
#include "store/Csv.h"
#include "store/TextCodec.h"
#include "till/Products.h"
#include "till/Rates.h"

#include <QtTest>

using namespace tallivor;

namespace {

const char* const faultNames[] = {"none",      "malformed", "name",      "duplicate",  "price",    "stock", "code",
                                  "codeTaken", "reorder",   "noProduct", "notCounted", "quantity", "range", "foreign"};

QString faultName(ProductFault fault)
{
    return QString::fromLatin1(faultNames[int(fault)]);
}

QByteArray fileOf(const QStringList& lines)
{
    return utf8ByteOrderMark + lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}

const QStringList shop{"product,price,stock,code,shelf", "Tea,2.50,10,T1,A", "Cake,4,,,B", "bad;name,1,1,,C",
                       "Cola,1,0,,D"};

// The working week's evening at half price, Friday night free past midnight, Sunday night into Monday dearer; then
// the lines that are no band, kept where they stand, and a hand-made band that overlaps the evening.
const QStringList rates{
    "days,from,to,factor", "12345,18:00,20:00,0.5", "5,22:00,02:00,0", "8,10:00,11:00,2",   "7,23:00,01:00,1.5",
    "1,09:00,09:00,1",     "3,9:00,10:00,1",        "2,19:00,21:00,3", "6,10:00,12:00,1;5", "1,08:00"};

} // namespace

class TestFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Bytes read: each record as "line:field|field" or, not well-formed, "line!raw"; then the file written back.
    void csv_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<QByteArray>("written");
        const QString kept = QChar(0xDCE9);
        // clang-format off
        QTest::newRow("quoted separators and quotes, a lone empty field") << QByteArray("h,i\r\n\"a,b\",\"say \"\"hi\"\"\",\r\n\"\"\r\n") << QStringList{"1:h|i", "2:a,b|say \"hi\"|", "3:"} << QByteArray("h,i\r\n\"a,b\",\"say \"\"hi\"\"\",\r\n\"\"\r\n");
        QTest::newRow("quoted line breaks span lines") << QByteArray("h\n\"x\r\ny\",z\n\"\n\"\n\"w\"") << QStringList{"1:h", "2:x\r\ny|z", "4:\n", "6:w"} << QByteArray("h\r\n\"x\r\ny\",z\r\n\"\n\"\r\nw\r\n");
        QTest::newRow("lone CR and LF, empty lines skipped") << QByteArray("\r\nh\ra\n\nb\r\n\r\rc") << QStringList{"2:h", "3:a", "5:b", "8:c"} << QByteArray("h\r\na\r\nb\r\nc\r\n");
        QTest::newRow("not well-formed: one line each, kept raw") << QByteArray("h\na\"b,c\n\"x\"y,z\n\"a\nb\"x\n\"open\nnext") << QStringList{"1:h", "2!a\"b,c", "3!\"x\"y,z", "4!\"a", "5!b\"x", "6!\"open", "7:next"} << QByteArray("h\r\na\"b,c\r\n\"x\"y,z\r\n\"a\r\nb\"x\r\n\"open\r\nnext\r\n");
        QTest::newRow("semicolons") << QByteArray("\np;q\r\n\"1;2\";a,b\r\n") << QStringList{"2:p|q", "3:1;2|a,b"} << QByteArray("p,q\r\n1;2,\"a,b\"\r\n");
        QTest::newRow("a comma in the heading keeps commas") << QByteArray("a;b,c\r\nx;y,z\r\n\"open") << QStringList{"1:a;b|c", "2:x;y|z", "3!\"open"} << QByteArray("a;b,c\r\nx;y,z\r\n\"open\r\n");
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBFh\r\n\xC3\xA9\r\n") << QStringList{"1:h", "2:\u00E9"} << QByteArray("h\r\n\xC3\xA9\r\n");
        QTest::newRow("not UTF-8: the system code page, stray bytes kept") << QByteArray("h\r\n\xE9t\xE9\r\n") << QStringList{"1:h", "2:" + kept + "t" + kept} << QByteArray("h\r\n\xE9t\xE9\r\n");
        // clang-format on
    }
    void csv()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, records);
        QFETCH(QByteArray, written);
        const CsvFile file = parseCsv(bytes);
        QStringList got;
        std::vector<CsvLine> lines;
        for (const CsvRecord& r : file.records)
            lines.push_back(r.wellFormed ? CsvLine(r.fields) : CsvLine(r.raw));
        std::vector<CsvRecord> all{file.heading};
        all.insert(all.end(), file.records.begin(), file.records.end());
        for (const CsvRecord& r : all)
            got << QString::number(r.line) + (r.wellFormed ? u':' + r.fields.join(u'|') : u'!' + r.raw);
        QCOMPARE(got, records);
        QCOMPARE(formatCsv(file.heading.fields, lines), utf8ByteOrderMark + written);
    }

    // A products file read: products as "name|price|stock|code|reorder", " low" when worth a look; the lines kept
    // as "line:reason:place"; the file written back ("same": the bytes read; "none": not written over).
    void productsFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("products");
        QTest::addColumn<QStringList>("kept");
        QTest::addColumn<QByteArray>("written");
        // clang-format off
        QTest::newRow("untouched: the same bytes") << fileOf({"product,price,stock,code,reorder,shelf", "Tea,2.50,+010,111,10,A", "\"Cake, lemon\",0,,,,\"B \"\"top\"\"\"", "Cola,1,5,,4,"})
            << QStringList{"Tea|2.5|10|111|10 low", "Cake, lemon|0|||", "Cola|1|5||4"} << QStringList{} << QByteArray("same");
        QTest::newRow("no mark, LF, semicolons, columns by name") << QByteArray("price;product;stock;note\n2;Tea;;a,b\n1;bad=name;1;x\n\"1;x;1\n")
            << QStringList{"Tea|2|||"} << QStringList{"3:name:1", "4:malformed:1"} << fileOf({"price,product,stock,note", "2,Tea,,\"a,b\"", "1,bad=name,1,x", "\"1;x;1"});
        QTest::newRow("lines kept with their reasons, in place") << fileOf({"product,price,stock,code,reorder", "Tea,1,5,T1,", "x;y,1,,,", "Tea,2,,,", "Cake,1.2.3,,,", "Cake,1,1.5,,", "Cake,1,100000,,",
                "Cake,1,,T1,", "Cake,1,,a\tb,", "Cake,1,,,-", "Cake,1,,,+", "Cake,1,,", "Cake,1,,,,", "Cake,\"1,,,", "Cake,0,-99999,C1,99999", "Tab\tx,1,,,", "Pie,.5,99999,,-99999"})
            << QStringList{"Tea|1|5|T1|", "Cake|0|-99999|C1|99999 low", "Pie|0.5|99999||-99999"}
            << QStringList{"3:name:1", "4:duplicate:1", "5:price:1", "6:stock:1", "7:stock:1", "8:codeTaken:1", "9:code:1", "10:reorder:1", "11:reorder:1", "12:malformed:1", "13:malformed:1", "14:malformed:1", "16:name:2"}
            << QByteArray("same");
        QTest::newRow("heading only, stock first") << fileOf({"stock,price,product,code,reorder"}) << QStringList{} << QStringList{} << QByteArray("same");
        QTest::newRow("no product column: not a products list") << fileOf({"Product,price,stock", "Tea,1,1"}) << QStringList{} << QStringList{} << QByteArray("none");
        QTest::newRow("no price column") << fileOf({"product,stock", "Tea,1"}) << QStringList{} << QStringList{} << QByteArray("none");
        QTest::newRow("empty file: a new list") << QByteArray("\r\n") << QStringList{} << QStringList{} << fileOf({"product,price,stock"});
        // clang-format on
    }
    void productsFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, products);
        QFETCH(QStringList, kept);
        QFETCH(QByteArray, written);
        ProductList list = ProductList::fromBytes(bytes);
        QStringList gotProducts, gotKept;
        for (const Product& p : list.products()) {
            const auto count = [](std::optional<int> n) { return n ? QString::number(*n) : QString(); };
            gotProducts << QStringList{p.name, p.price.text(), count(p.stock), p.code, count(p.reorder)}.join(u'|') +
                               (p.low() ? QStringLiteral(" low") : QString());
        }
        for (const KeptLine& k : list.kept())
            gotKept << QStringLiteral("%1:%2:%3").arg(k.record.line).arg(faultName(k.reason)).arg(k.place);
        QCOMPARE(gotProducts, products);
        QCOMPARE(gotKept, kept);
        QCOMPARE(list.isProductsList(), written != "none");
        QCOMPARE(list.toBytes().value_or("none"), written == "same" ? bytes : written);
        if (written == "none")
            QCOMPARE(list.add({QStringLiteral("Milk"), QStringLiteral("1"), {}, {}, {}}), ProductFault::Foreign);
    }

    // An operation on the shop's list ("op|argument|..."): its fault, what it answers (stock left, a place, a
    // field), and the file it leaves (none given: unchanged).
    void operations_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("lines");
        const QString h = shop[0], tea = shop[1], cake = shop[2], bad = shop[3], cola = shop[4];
        // clang-format off
        QTest::newRow("add") << "add|Milk|5.|3||" << "none" << "" << QStringList{h, tea, cake, bad, cola, "Milk,5,3,,"};
        QTest::newRow("add with a reorder count adds its column") << "add|Milk|0.50||M1|+2" << "none" << ""
            << QStringList{h + ",reorder", tea + ",", cake + ",", bad, cola + ",", "Milk,0.5,,M1,,2"};
        QTest::newRow("add: bad name") << "add|Te=a|1|||" << "name" << "" << QStringList{};
        QTest::newRow("add: name taken") << "add|Tea|1|||" << "duplicate" << "" << QStringList{};
        QTest::newRow("add: bad price") << "add|Milk|1,5|||" << "price" << "" << QStringList{};
        QTest::newRow("add: bad stock") << "add|Milk|1|x||" << "stock" << "" << QStringList{};
        QTest::newRow("add: code taken") << "add|Milk|1||T1|" << "codeTaken" << "" << QStringList{};
        QTest::newRow("add: bad reorder") << "add|Milk|1|||100000" << "reorder" << "" << QStringList{};
        QTest::newRow("rename") << "rename|0|Green tea" << "none" << "" << QStringList{h, "Green tea,2.50,10,T1,A", cake, bad, cola};
        QTest::newRow("rename to its own name") << "rename|0|Tea" << "none" << "" << QStringList{};
        QTest::newRow("rename: name taken") << "rename|1|Tea" << "duplicate" << "" << QStringList{};
        QTest::newRow("rename: bad name") << "rename|1|a\nb" << "name" << "" << QStringList{};
        QTest::newRow("rename: past the end") << "rename|3|X" << "noProduct" << "" << QStringList{};
        QTest::newRow("rename: before the start") << "rename|-1|X" << "noProduct" << "" << QStringList{};
        QTest::newRow("reprice") << "reprice|1|0" << "none" << "" << QStringList{h, tea, "Cake,0,,,B", bad, cola};
        QTest::newRow("reprice: bad price") << "reprice|1|-1" << "price" << "" << QStringList{};
        QTest::newRow("move down, the kept line stays") << "move|0|2" << "none" << "" << QStringList{h, cake, cola, bad, tea};
        QTest::newRow("move up") << "move|2|0" << "none" << "" << QStringList{h, cola, tea, bad, cake};
        QTest::newRow("move past the end") << "move|0|3" << "noProduct" << "" << QStringList{};
        QTest::newRow("remove the first") << "remove|0" << "none" << "" << QStringList{h, cake, bad, cola};
        QTest::newRow("remove the one after a kept line") << "remove|2" << "none" << "" << QStringList{h, tea, cake, bad};
        QTest::newRow("remove past the end") << "remove|3" << "noProduct" << "" << QStringList{};
        QTest::newRow("deliver one") << "deliver|2|1" << "none" << "" << QStringList{h, tea, cake, bad, "Cola,1,1,,D"};
        QTest::newRow("deliver up to the limit") << "deliver|0|99989" << "none" << "" << QStringList{h, "Tea,2.50,99999,T1,A", cake, bad, cola};
        QTest::newRow("deliver: beyond the limit") << "deliver|0|99990" << "range" << "" << QStringList{};
        QTest::newRow("deliver: not counted") << "deliver|1|5" << "notCounted" << "" << QStringList{};
        QTest::newRow("deliver: nothing") << "deliver|0|0" << "quantity" << "" << QStringList{};
        QTest::newRow("deliver: no product") << "deliver|3|1" << "noProduct" << "" << QStringList{};
        QTest::newRow("count") << "count|1|-7" << "none" << "" << QStringList{h, tea, "Cake,4,-7,,B", bad, cola};
        QTest::newRow("count: no longer counted") << "count|0|" << "none" << "" << QStringList{h, "Tea,2.50,,T1,A", cake, bad, cola};
        QTest::newRow("count: bad count") << "count|0|1e3" << "stock" << "" << QStringList{};
        QTest::newRow("count: no product") << "count|3|1" << "noProduct" << "" << QStringList{};
        QTest::newRow("code") << "code|1|C1" << "none" << "" << QStringList{h, tea, "Cake,4,,C1,B", bad, cola};
        QTest::newRow("code: its own") << "code|0|T1" << "none" << "" << QStringList{};
        QTest::newRow("code: taken") << "code|1|T1" << "codeTaken" << "" << QStringList{};
        QTest::newRow("code: a control character") << "code|1|C\x7F" << "code" << "" << QStringList{};
        QTest::newRow("code: no product") << "code|3|C1" << "noProduct" << "" << QStringList{};
        QTest::newRow("reorder adds its column") << "reorder|0|12" << "none" << "" << QStringList{h + ",reorder", tea + ",12", cake + ",", bad, cola + ","};
        QTest::newRow("reorder: none, no column") << "reorder|0|" << "none" << "" << QStringList{};
        QTest::newRow("reorder: bad count") << "reorder|0|x" << "reorder" << "" << QStringList{};
        QTest::newRow("reorder: no product") << "reorder|3|1" << "noProduct" << "" << QStringList{};
        QTest::newRow("sell below zero") << "stock|0|-12" << "none" << "-2" << QStringList{h, "Tea,2.50,-2,T1,A", cake, bad, cola};
        QTest::newRow("sell down to the limit") << "stock|2|-99999" << "none" << "-99999" << QStringList{h, tea, cake, bad, "Cola,1,-99999,,D"};
        QTest::newRow("sell beyond the limit") << "stock|2|-100000" << "range" << "0" << QStringList{};
        QTest::newRow("take back beyond the limit") << "stock|0|99990" << "range" << "10" << QStringList{};
        QTest::newRow("sell uncounted") << "stock|1|-1" << "none" << "" << QStringList{};
        QTest::newRow("sell: no product") << "stock|3|-1" << "noProduct" << "" << QStringList{};
        QTest::newRow("find by name") << "name|Cola" << "none" << "2" << QStringList{};
        QTest::newRow("a kept line is no product") << "name|bad;name" << "none" << "-1" << QStringList{};
        QTest::newRow("find by code") << "scan|T1" << "none" << "0" << QStringList{};
        QTest::newRow("no code finds nothing") << "scan|" << "none" << "-1" << QStringList{};
        QTest::newRow("price as written") << "field|0|price" << "none" << "2.50" << QStringList{};
        QTest::newRow("name as written") << "field|1|product" << "none" << "Cake" << QStringList{};
        QTest::newRow("unknown column") << "field|2|shelf" << "none" << "D" << QStringList{};
        QTest::newRow("field: no such column") << "field|0|note" << "none" << "" << QStringList{};
        QTest::newRow("field: no product") << "field|3|shelf" << "none" << "" << QStringList{};
        // clang-format on
    }
    void operations()
    {
        QFETCH(QString, op);
        QFETCH(QString, fault);
        QFETCH(QString, answer);
        QFETCH(QStringList, lines);
        ProductList list = ProductList::fromBytes(fileOf(shop));
        const QStringList a = op.split(u'|');
        const qsizetype i = a.value(1).toLongLong();
        const int n = a.value(2).toInt();
        ProductFault got = ProductFault::None;
        QString said;
        // clang-format off
        if (a[0] == u"add") got = list.add({a[1], a[2], a[3], a[4], a[5]});
        else if (a[0] == u"rename") got = list.rename(i, a[2]);
        else if (a[0] == u"reprice") got = list.reprice(i, a[2]);
        else if (a[0] == u"move") got = list.move(i, n);
        else if (a[0] == u"remove") got = list.remove(i);
        else if (a[0] == u"deliver") got = list.deliver(i, n);
        else if (a[0] == u"count") got = list.setCount(i, a[2]);
        else if (a[0] == u"code") got = list.setCode(i, a[2]);
        else if (a[0] == u"reorder") got = list.setReorder(i, a[2]);
        else if (a[0] == u"name") said = QString::number(list.indexOf(a[1]));
        else if (a[0] == u"scan") said = QString::number(list.indexOfCode(a[1]));
        else if (a[0] == u"field") said = list.field(i, a[2]);
        else if (a[0] == u"stock") {
            const StockLeft left = list.changeStock(i, n);
            got = left.fault;
            said = left.left ? QString::number(*left.left) : QString();
        }
        // clang-format on
        QCOMPARE(faultName(got), fault);
        QCOMPARE(said, answer);
        QCOMPARE(*list.toBytes(), fileOf(lines.isEmpty() ? shop : lines));
    }

    // The rates list read and written back to its bytes, the faults of its kept lines, the hand-made overlap; then the
    // factor in force at moments of the week (Monday 7 December 2026, local time UTC).
    void ratesFile()
    {
        const RateList list = RateList::fromBytes(fileOf(rates));
        QCOMPARE(list.toBytes(), fileOf(rates));
        QStringList kept;
        for (const KeptRate& line : list.kept())
            kept << QStringLiteral("%1@%2").arg(int(line.reason)).arg(line.place);
        const auto fault = [](RateFault f) { return QString::number(int(f)); };
        QCOMPARE(kept, (QStringList{fault(RateFault::Days) + "@2", fault(RateFault::SameTime) + "@3",
                                    fault(RateFault::Time) + "@3", fault(RateFault::Factor) + "@4",
                                    fault(RateFault::Malformed) + "@4"}));
        QCOMPARE(list.overlaps(), (std::vector<std::pair<qsizetype, qsizetype>>{{0, 3}}));
        const QDateTime monday(QDate(2026, 12, 7), QTime(0, 0), Qt::UTC);
        const std::pair<int, const char*> moments[] = {{18 * 60, "0.5"},
                                                       {18 * 60 - 1, "1"},
                                                       {20 * 60 - 1, "0.5"},
                                                       {20 * 60, "1"},
                                                       {5 * 1440 + 18 * 60, "1"},
                                                       {4 * 1440 + 22 * 60, "0"},
                                                       {5 * 1440 + 1 * 60 + 59, "0"},
                                                       {5 * 1440 + 2 * 60, "1"},
                                                       {4 * 1440 + 22 * 60 - 1, "1"},
                                                       {6 * 1440 + 23 * 60, "1.5"},
                                                       {30, "1.5"},
                                                       {60, "1"},
                                                       {1440 + 19 * 60 + 30, "0.5"},
                                                       {1440 + 20 * 60 + 30, "3"}};
        for (const auto& [minute, factor] : moments)
            QCOMPARE(list.factorAt(monday.addSecs(minute * 60 + 59)).text(), QString::fromLatin1(factor));
        QCOMPARE(RateList().factorAt(monday).text(), QStringLiteral("1"));
    }
    // Changes made here: a band that would share minutes with another is refused, a band changed over its own old
    // minutes is not; a removal moves the kept lines after it up.
    void ratesChanges()
    {
        RateList list =
            RateList::fromBytes(fileOf({"days,from,to,factor", "12345,18:00,20:00,0.5", "x", "6,10:00,12:00,2"}));
        const QDateTime monday(QDate(2026, 12, 7), QTime(17, 30), Qt::UTC);
        QCOMPARE(list.add({"1", "19:59", "21:00", "1"}), RateFault::Overlap);
        QCOMPARE(list.add({"1", "20:00", "21:00", "1"}), RateFault::None);
        QCOMPARE(list.bandAt(monday.addSecs(3 * 3600)), 2);
        QCOMPARE(list.add({"1", "20:00", "21:00"}), RateFault::Malformed);
        QCOMPARE(list.change(0, {"12345", "17:00", "19:00", "0.5"}), RateFault::None);
        QCOMPARE(list.factorAt(monday).text(), QStringLiteral("0.5"));
        QCOMPARE(list.change(0, {"12345", "17:00", "20:30", "0.5"}), RateFault::Overlap);
        QCOMPARE(list.change(3, {"7", "17:00", "19:00", "1"}), RateFault::NoBand);
        QCOMPARE(list.change(-1, {"7", "17:00", "19:00", "1"}), RateFault::NoBand);
        QCOMPARE(list.remove(3), RateFault::NoBand);
        QCOMPARE(list.remove(0), RateFault::None);
        QCOMPARE(list.toBytes(), fileOf({"days,from,to,factor", "x", "6,10:00,12:00,2", "1,20:00,21:00,1"}));
        QCOMPARE(list.factorAt(monday).text(), QStringLiteral("1"));
        QCOMPARE(list.bandAt(monday.addSecs(3 * 3600)), 1);
        QCOMPARE(list.bandAt(monday.addDays(5).addSecs(-6 * 3600)), 0);
    }
};

QTEST_GUILESS_MAIN(TestFiles)
#include "tst_files.moc"
