// The number rules of charges, prices and times.
#include "board/Numbers.h"

#include <QLocale>
#include <QtTest>

#include <cmath>
#include <limits>

using namespace tallivor;

class TestNumbers : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void leadingNumber_data();
    void leadingNumber();
    void numberText_data();
    void numberText();
    void numberTextIgnoresRegionalSettings();
    void sumsWrittenAsTextKeepNoResidue();
    void wholeNumber_data();
    void wholeNumber();
};

void TestNumbers::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    const double inf = std::numeric_limits<double>::infinity();

    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("letters only") << "abc" << 0.0;
    QTest::newRow("number then letters") << "12abc" << 12.0;
    QTest::newRow("two zeros") << "00" << 0.0;
    QTest::newRow("blanks tabs line feeds anywhere") << " 1 2\t3\n4" << 1234.0;
    QTest::newRow("blank after the sign") << "- 5" << -5.0;
    QTest::newRow("carriage return ends it") << "5\r6" << 5.0;
    QTest::newRow("fraction") << "-3.25" << -3.25;
    QTest::newRow("plus sign") << "+2" << 2.0;
    QTest::newRow("point first") << ".5" << 0.5;
    QTest::newRow("point last") << "5." << 5.0;
    QTest::newRow("second point ends it") << "1.5.3" << 1.5;
    QTest::newRow("comma ends it") << "1,5" << 1.0;
    QTest::newRow("exponent") << "1E3" << 1000.0;
    QTest::newRow("small exponent, lower case") << "25e-2" << 0.25;
    QTest::newRow("exponent without digits") << "7E" << 7.0;
    QTest::newRow("exponent sign without digits") << "7E+x" << 7.0;
    QTest::newRow("two signs") << "--1" << 0.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("too large") << "1E+400" << inf;
    QTest::newRow("too large, negative") << "-1E400" << -inf;
    QTest::newRow("too large by its digits") << (QString(400, QChar(u'9')) + QStringLiteral("x")) << inf;
    QTest::newRow("too small") << "1E-400" << 0.0;
    QTest::newRow("too small by its leading zeros")
        << (QStringLiteral("0.") + QString(400, QChar(u'0')) + QStringLiteral("1")) << 0.0;
    QTest::newRow("exponent of many digits") << "1E+99999999999999999999" << inf;
    QTest::newRow("exponent with leading zeros, too large")
        << (QStringLiteral("1") + QString(500, QChar(u'0')) + QStringLiteral("E-0000000000000000100")) << inf;
    QTest::newRow("exponent with leading zeros, too small")
        << (QStringLiteral("0.") + QString(400, QChar(u'0')) + QStringLiteral("1E+0000000000000000001")) << 0.0;
    QTest::newRow("not a number word") << "NaN" << 0.0;
}

void TestNumbers::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(tallivor::leadingNumber(text), value);
}

void TestNumbers::numberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("minus zero") << -0.0 << "0";
    QTest::newRow("whole") << 60.0 << "60";
    QTest::newRow("fraction") << 12.5 << "12.5";
    QTest::newRow("negative") << -2.5 << "-2.5";
    QTest::newRow("rounded to 15 digits") << 0.1 + 0.2 << "0.3";
    QTest::newRow("15 digits whole") << 999999999999999.0 << "999999999999999";
    QTest::newRow("16th digit rounds") << 123456789012345.67 << "123456789012346";
    QTest::newRow("10 to the 15") << 1e15 << "1E+15";
    QTest::newRow("above 10 to the 15") << 2.5e16 << "2.5E+16";
    QTest::newRow("huge") << 1e100 << "1E+100";
    QTest::newRow("one ten-thousandth") << 0.0001 << "0.0001";
    QTest::newRow("one hundred-thousandth") << 0.00001 << "1E-05";
    QTest::newRow("small with digits") << 1.5e-7 << "1.5E-07";
}

void TestNumbers::numberText()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(tallivor::numberText(value), text);
}

void TestNumbers::numberTextIgnoresRegionalSettings()
{
    // A decimal comma would be read back as the end of the number, dropping the fraction of every charge.
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString text = tallivor::numberText(1234.5);
    QLocale::setDefault(saved);
    QCOMPARE(text, QStringLiteral("1234.5"));
}

void TestNumbers::sumsWrittenAsTextKeepNoResidue()
{
    // Each minute's sum is written as text and read back from it: a price of 0.1 gives 0.1, 0.2, 0.3 ... 10.
    QString charge = QStringLiteral("00");
    QStringList seen;
    for (int minute = 0; minute < 100; ++minute) {
        charge = tallivor::numberText(tallivor::leadingNumber(charge) + tallivor::leadingNumber(u"0.1"));
        if (minute < 3)
            seen << charge;
    }
    QCOMPARE(seen, QStringList({"0.1", "0.2", "0.3"}));
    QCOMPARE(charge, QStringLiteral("10"));
}

void TestNumbers::wholeNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");

    QTest::newRow("digits") << "59" << true << 59.0;
    QTest::newRow("leading zeros") << "007" << true << 7.0;
    QTest::newRow("blanks around") << " 7\t" << true << 7.0;
    QTest::newRow("fraction") << "1.5" << true << 1.5;
    QTest::newRow("negative") << "-4" << true << -4.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("blank only") << "  " << false << 0.0;
    QTest::newRow("letters") << "ab" << false << 0.0;
    QTest::newRow("number then letters") << "12a" << false << 0.0;
    QTest::newRow("blank inside") << "1 2" << false << 0.0;
    QTest::newRow("line feed around") << "\n5" << false << 0.0;
    QTest::newRow("beyond a double") << "1E400" << false << 0.0;
    QTest::newRow("arabic-indic digits") << QString(QChar(0x0665)) << false << 0.0;
}

void TestNumbers::wholeNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    const std::optional<double> result = tallivor::wholeNumber(text);
    QCOMPARE(result.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*result, value);
}

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
