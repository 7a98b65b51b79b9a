// The Windows resource script configured from the project version (TALLIVOR_RC_FILE, TALLIVOR_VERSION), and the
// application icon file (TALLIVOR_ICO_FILE).
#include <QFile>
#include <QRegularExpression>
#include <QtEndian>
#include <QtTest>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint16 le16(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 le32(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

} // namespace

class TestResources : public QObject
{
    Q_OBJECT
    QString m_script; // without its comment lines
    QByteArray m_ico;
    static constexpr int iconCount = 9;

private Q_SLOTS:
    void initTestCase()
    {
        m_script = QString::fromUtf8(readAll(QStringLiteral(TALLIVOR_RC_FILE)));
        m_script.remove(QRegularExpression(QStringLiteral("^\\s*//.*$"), QRegularExpression::MultilineOption));
        QVERIFY2(!m_script.trimmed().isEmpty(), TALLIVOR_RC_FILE);
        // The icon directory: reserved 0, type 1 (icon), the number of images, then 16 bytes for each.
        m_ico = readAll(QStringLiteral(TALLIVOR_ICO_FILE));
        QVERIFY(m_ico.size() >= 6 + 16 * iconCount && le16(m_ico, 0) == 0 && le16(m_ico, 2) == 1);
        QCOMPARE(int(le16(m_ico, 4)), iconCount);
    }

    void script_data()
    {
        QTest::addColumn<QString>("pattern"); // matched with ^ and $ at every line and . across lines
        QTest::addColumn<QStringList>("captured");
        // VERSIONINFO wants four numbers, the parts the project version leaves out being 0; the version text is the
        // major number, a point and the minor number in two digits: 1.00, 1.05, 1.10.
        QStringList numbers = QStringLiteral(TALLIVOR_VERSION).split(u'.');
        while (numbers.size() < 4)
            numbers << QStringLiteral("0");
        const QStringList text{numbers.at(0) + u'.' + numbers.at(1).rightJustified(2, u'0')};
        const QString fixedInfo = QStringLiteral("^\\s*%1\\s+(\\d+)\\s*,\\s*(\\d+)\\s*,\\s*(\\d+)\\s*,\\s*(\\d+)\\s*$");
        // A value of the one string table, US English (0409) in UTF-16 (04B0 = 1200): the pair Translation names.
        const QString value = QStringLiteral("BLOCK\\s+\"StringFileInfo\"\\s+BEGIN\\s+BLOCK\\s+\"040904B0\"\\s+BEGIN"
                                             "(?:(?!\\bEND\\b).)*^\\s*VALUE\\s+\"%1\"\\s*,\\s*\"([^\"]*)\"\\s*$");

        QTest::newRow("FILEVERSION") << fixedInfo.arg(u"FILEVERSION") << numbers;
        QTest::newRow("PRODUCTVERSION") << fixedInfo.arg(u"PRODUCTVERSION") << numbers;
        QTest::newRow("FileVersion") << value.arg(u"FileVersion") << text;
        QTest::newRow("ProductVersion") << value.arg(u"ProductVersion") << text;
        QTest::newRow("OriginalFilename") << value.arg(u"OriginalFilename") << QStringList{"Tallivor.exe"};
        QTest::newRow("ProductName") << value.arg(u"ProductName") << QStringList{"Tallivor"};
        QTest::newRow("Translation")
            << "BLOCK\\s+\"VarFileInfo\"\\s+BEGIN\\s+VALUE\\s+\"Translation\"\\s*,\\s*(\\w+)\\s*,\\s*(\\w+)\\s+END\\b"
            << QStringList{"0x409", "1200"};
        // Windows shows the first icon resource as the executable's icon: nothing may come before it.
        QTest::newRow("ICON") << "\\A\\s*\\w+\\s+ICON\\s+\"([^\"]+)\"\\s*$" << QStringList{TALLIVOR_ICO_FILE};
    }

    void script()
    {
        QFETCH(QString, pattern);
        QFETCH(QStringList, captured);
        const QRegularExpressionMatch match =
            QRegularExpression(pattern,
                               QRegularExpression::MultilineOption | QRegularExpression::DotMatchesEverythingOption)
                .match(m_script);
        QVERIFY2(match.hasMatch(), qPrintable(pattern));
        QCOMPARE(match.capturedTexts().mid(1), captured);
    }

    void icon_data()
    {
        QTest::addColumn<int>("size");
        for (const int size : {16, 24, 32, 48, 64, 72, 96, 128, 256})
            QTest::addRow("%d px", size) << size;
    }

    void icon()
    {
        QFETCH(int, size);
        // Width and height are one byte each, 0 standing for 256.
        QByteArray entry;
        for (int i = 0; i < iconCount && entry.isEmpty(); ++i) {
            if (quint8(m_ico.at(6 + 16 * i)) == size % 256)
                entry = m_ico.mid(6 + 16 * i, 16);
        }
        QVERIFY2(!entry.isEmpty(), "no image of this size");
        QCOMPARE(quint8(entry.at(1)), quint8(size % 256));
        QCOMPARE(le16(entry, 6), 32); // bits per pixel
        const qint64 length = le32(entry, 8), offset = le32(entry, 12);
        QVERIFY2(offset >= 6 + 16 * iconCount && offset + length <= m_ico.size(), "the image lies outside the file");

        const QByteArray data = m_ico.mid(offset, length);
        const bool png = data.startsWith(QByteArray("\x89PNG\r\n\x1a\n", 8));
        if (size == 256) {
            QVERIFY2(png, "the 256 px image must be stored as PNG");
            return;
        }
        // BITMAPINFOHEADER, bottom-up BGRA rows, then the 1-bit AND mask in rows of whole 32-bit words.
        QVERIFY2(!png && data.size() >= 40, "smaller images must be stored as DIB");
        QCOMPARE(le32(data, 0), 40u);
        QCOMPARE(qint32(le32(data, 4)), size);
        QCOMPARE(qint32(le32(data, 8)), 2 * size); // colour and mask together
        QCOMPARE(le16(data, 12), 1);               // planes
        QCOMPARE(le16(data, 14), 32);              // bits per pixel
        QCOMPARE(data.size(), 40 + qsizetype(size) * size * 4 + (size + 31) / 32 * 4 * size);
    }
};

QTEST_GUILESS_MAIN(TestResources)
#include "tst_resources.moc"
