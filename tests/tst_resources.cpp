// The Windows resource script configured from the project version, and the application icon file.
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QtEndian>
#include <QtTest>
#include <algorithm>
#include <utility>

#ifndef TALLIVOR_RC_FILE
#error "TALLIVOR_RC_FILE must name the configured resource script"
#endif
#ifndef TALLIVOR_ICO_FILE
#error "TALLIVOR_ICO_FILE must name resources/icon/tallivor.ico"
#endif
#ifndef TALLIVOR_VERSION
#error "TALLIVOR_VERSION must carry the project version"
#endif

namespace {

const QByteArray pngSignature("\x89PNG\r\n\x1a\n", 8);

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// The resource script without its comment lines.
QString scriptText()
{
    const QStringList lines = QString::fromUtf8(readAll(QStringLiteral(TALLIVOR_RC_FILE))).split(u'\n');
    QStringList kept;
    for (const QString& line : lines) {
        if (!line.trimmed().startsWith(QLatin1String("//")))
            kept << line;
    }
    return kept.join(u'\n');
}

// Matches BEGIN, END and whole quoted strings, so that a keyword inside a string is passed over.
const QRegularExpression& blockKeyword()
{
    static const QRegularExpression keyword(QStringLiteral("\"[^\"]*\"|\\bBEGIN\\b|\\bEND\\b"));
    return keyword;
}

// The text between the BEGIN and the matching END of BLOCK "name", or a null string when there is none.
QString blockBody(const QString& text, const QString& name)
{
    const QRegularExpression head(QStringLiteral("BLOCK\\s+\"%1\"\\s+BEGIN\\b").arg(QRegularExpression::escape(name)));
    const QRegularExpressionMatch match = head.match(text);
    if (!match.hasMatch())
        return {};
    const QRegularExpression& token = blockKeyword();
    int depth = 1;
    auto it = token.globalMatch(text, match.capturedEnd());
    while (it.hasNext()) {
        const QRegularExpressionMatch t = it.next();
        if (t.captured() == QLatin1String("BEGIN"))
            ++depth;
        else if (t.captured() == QLatin1String("END") && --depth == 0)
            return text.mid(match.capturedEnd(), t.capturedStart() - match.capturedEnd());
    }
    return {};
}

// The project version as the four numbers of VERSIONINFO; parts it leaves out are 0.
QStringList expectedVersionNumbers()
{
    QStringList parts = QStringLiteral(TALLIVOR_VERSION).split(u'.');
    while (parts.size() < 4)
        parts << QStringLiteral("0");
    return parts;
}

// The version as the string values show it: the major number, a point, the minor number in two digits.
QString expectedVersionText()
{
    const QStringList parts = expectedVersionNumbers();
    return parts.at(0) + u'.' + parts.at(1).rightJustified(2, u'0');
}

struct IconEntry
{
    int width = 0;
    int height = 0;
    int planes = 0;
    int bitCount = 0;
    QByteArray data;
};

quint16 le16(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 le32(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

// Reads the icon directory; sets ok to false when the header is wrong or an image lies outside the file
// or over another one.
QList<IconEntry> iconEntries(const QByteArray& ico, bool* ok)
{
    *ok = false;
    QList<IconEntry> entries;
    if (ico.size() < 6 || le16(ico, 0) != 0 || le16(ico, 2) != 1)
        return entries;
    const int count = le16(ico, 4);
    const qint64 directoryEnd = 6 + 16 * count;
    if (ico.size() < directoryEnd)
        return entries;
    QList<QPair<qint64, qint64>> ranges;
    for (int i = 0; i < count; ++i) {
        const qsizetype at = 6 + 16 * i;
        IconEntry entry;
        // A size byte of 0 stands for 256.
        entry.width = quint8(ico.at(at)) == 0 ? 256 : quint8(ico.at(at));
        entry.height = quint8(ico.at(at + 1)) == 0 ? 256 : quint8(ico.at(at + 1));
        entry.planes = le16(ico, at + 4);
        entry.bitCount = le16(ico, at + 6);
        const qint64 length = le32(ico, at + 8);
        const qint64 offset = le32(ico, at + 12);
        if (offset < directoryEnd || offset + length > ico.size())
            return entries;
        ranges.append({offset, offset + length});
        entry.data = ico.mid(offset, length);
        entries << entry;
    }
    std::sort(ranges.begin(), ranges.end());
    for (qsizetype i = 1; i < ranges.size(); ++i) {
        if (ranges.at(i).first < ranges.at(i - 1).second)
            return entries;
    }
    *ok = true;
    return entries;
}

} // namespace

class TestResources : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void scriptHasNoPlaceholdersLeft();
    void blocksAreBalanced();
    void versionNumbers_data();
    void versionNumbers();
    void stringValues_data();
    void stringValues();
    void languageBlockMatchesTranslation();
    void iconIsTheFirstResource();
    void iconDirectory();
    void iconImages_data();
    void iconImages();

private:
    QString m_script;
    QList<IconEntry> m_entries;
};

void TestResources::initTestCase()
{
    QVERIFY2(QFileInfo::exists(QStringLiteral(TALLIVOR_RC_FILE)), TALLIVOR_RC_FILE);
    m_script = scriptText();
    QVERIFY(!m_script.trimmed().isEmpty());

    bool ok = false;
    m_entries = iconEntries(readAll(QStringLiteral(TALLIVOR_ICO_FILE)), &ok);
    QVERIFY2(ok, "the icon file's header or directory is damaged");
}

void TestResources::scriptHasNoPlaceholdersLeft()
{
    const QRegularExpressionMatch left = QRegularExpression(QStringLiteral("@\\w+@|\\$\\{")).match(m_script);
    QVERIFY2(!left.hasMatch(), qPrintable(left.captured()));
}

void TestResources::blocksAreBalanced()
{
    // Every BEGIN has its END, and the two information blocks sit side by side, not one in the other.
    const QRegularExpression& token = blockKeyword();
    int depth = 0;
    auto it = token.globalMatch(m_script);
    while (it.hasNext()) {
        const QString t = it.next().captured();
        if (t == QLatin1String("BEGIN"))
            ++depth;
        else if (t == QLatin1String("END"))
            QVERIFY2(--depth >= 0, "END without BEGIN");
    }
    QCOMPARE(depth, 0);
    QVERIFY(!blockBody(m_script, QStringLiteral("StringFileInfo")).contains(QLatin1String("VarFileInfo")));
    QVERIFY(!blockBody(m_script, QStringLiteral("VarFileInfo")).contains(QLatin1String("StringFileInfo")));
}

void TestResources::versionNumbers_data()
{
    QTest::addColumn<QString>("statement");
    QTest::newRow("file version") << "FILEVERSION";
    QTest::newRow("product version") << "PRODUCTVERSION";
}

void TestResources::versionNumbers()
{
    QFETCH(QString, statement);
    const QRegularExpression line(
        QStringLiteral("^\\s*%1\\s+(\\d+)\\s*,\\s*(\\d+)\\s*,\\s*(\\d+)\\s*,\\s*(\\d+)\\s*$").arg(statement),
        QRegularExpression::MultilineOption);
    auto it = line.globalMatch(m_script);
    QVERIFY2(it.hasNext(), qPrintable(statement));
    const QRegularExpressionMatch match = it.next();
    QVERIFY2(!it.hasNext(), "the statement is given twice");
    const QStringList numbers{match.captured(1), match.captured(2), match.captured(3), match.captured(4)};
    QCOMPARE(numbers, expectedVersionNumbers());
}

void TestResources::stringValues_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value"); // a null value: any text but the empty one

    QTest::newRow("file version") << "FileVersion" << expectedVersionText();
    QTest::newRow("product version") << "ProductVersion" << expectedVersionText();
    QTest::newRow("internal name") << "InternalName" << QStringLiteral("Tallivor");
    QTest::newRow("original file name") << "OriginalFilename" << QStringLiteral("Tallivor.exe");
    QTest::newRow("product name") << "ProductName" << QStringLiteral("Tallivor");
    QTest::newRow("company") << "CompanyName" << QString();
    QTest::newRow("description") << "FileDescription" << QString();
    QTest::newRow("copyright") << "LegalCopyright" << QString();
}

void TestResources::stringValues()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    const QString strings =
        blockBody(blockBody(m_script, QStringLiteral("StringFileInfo")), QStringLiteral("040904B0"));
    QVERIFY2(!strings.isEmpty(), "no StringFileInfo block 040904B0");

    const QRegularExpression line(QStringLiteral("^\\s*VALUE\\s+\"%1\"\\s*,\\s*\"([^\"]*)\"\\s*$").arg(name),
                                  QRegularExpression::MultilineOption);
    auto it = line.globalMatch(strings);
    QVERIFY2(it.hasNext(), qPrintable(name));
    const QString text = it.next().captured(1);
    QVERIFY2(!it.hasNext(), "the value is given twice");
    if (value.isNull())
        QVERIFY(!text.trimmed().isEmpty());
    else
        QCOMPARE(text, value);
}

void TestResources::languageBlockMatchesTranslation()
{
    // The one string table's name is the language and code page in hex; Translation names the same pair.
    const QString stringFileInfo = blockBody(m_script, QStringLiteral("StringFileInfo"));
    const QRegularExpression block(QStringLiteral("BLOCK\\s+\"([0-9A-Fa-f]{8})\""));
    auto blocks = block.globalMatch(stringFileInfo);
    QVERIFY2(blocks.hasNext(), "no string table in StringFileInfo");
    const QString name = blocks.next().captured(1);
    QVERIFY2(!blocks.hasNext(), "more than one string table");
    QCOMPARE(name.left(4).toUInt(nullptr, 16), 0x409u);
    QCOMPARE(name.mid(4).toUInt(nullptr, 16), 1200u);

    const QString varFileInfo = blockBody(m_script, QStringLiteral("VarFileInfo"));
    const QRegularExpressionMatch translation =
        QRegularExpression(QStringLiteral("VALUE\\s+\"Translation\"\\s*,\\s*(\\w+)\\s*,\\s*(\\w+)")).match(varFileInfo);
    QVERIFY2(translation.hasMatch(), "no Translation value in VarFileInfo");
    bool languageOk = false;
    bool codePageOk = false;
    QCOMPARE(translation.captured(1).toUInt(&languageOk, 0), 0x409u);
    QCOMPARE(translation.captured(2).toUInt(&codePageOk, 0), 1200u);
    QVERIFY(languageOk && codePageOk);
}

void TestResources::iconIsTheFirstResource()
{
    const QRegularExpression iconLine(QStringLiteral("^\\s*(\\w+)\\s+ICON\\s+\"([^\"]+)\"\\s*$"),
                                      QRegularExpression::MultilineOption);
    auto icons = iconLine.globalMatch(m_script);
    QVERIFY2(icons.hasNext(), "no ICON statement");
    const QRegularExpressionMatch icon = icons.next();
    QVERIFY2(!icons.hasNext(), "more than one ICON statement");
    QCOMPARE(icon.captured(1), QStringLiteral("IDI_ICON1"));

    // Windows shows the first icon resource as the executable's icon: nothing may come before it.
    QCOMPARE(m_script.left(icon.capturedStart()).trimmed(), QString());

    const QFileInfo named(icon.captured(2));
    QVERIFY2(named.isAbsolute(), qPrintable(icon.captured(2)));
    QVERIFY2(named.exists(), qPrintable(icon.captured(2)));
    QCOMPARE(named.canonicalFilePath(), QFileInfo(QStringLiteral(TALLIVOR_ICO_FILE)).canonicalFilePath());
}

void TestResources::iconDirectory()
{
    QSet<int> sizes;
    for (const IconEntry& entry : std::as_const(m_entries)) {
        QCOMPARE(entry.height, entry.width);
        QCOMPARE(entry.bitCount, 32);
        QVERIFY(entry.planes <= 1);
        sizes.insert(entry.width);
    }
    QCOMPARE(m_entries.size(), 9);
    QCOMPARE(sizes, (QSet<int>{16, 24, 32, 48, 64, 72, 96, 128, 256}));
}

void TestResources::iconImages_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 24, 32, 48, 64, 72, 96, 128, 256})
        QTest::newRow(qPrintable(QStringLiteral("%1 px").arg(size))) << size;
}

void TestResources::iconImages()
{
    QFETCH(int, size);
    const auto found = std::find_if(m_entries.cbegin(), m_entries.cend(),
                                    [size](const IconEntry& entry) { return entry.width == size; });
    QVERIFY2(found != m_entries.cend(), "no image of this size");
    const QByteArray& data = found->data;

    // Each image must show the PNG rendering of the same size, pixel for pixel.
    const QString pngPath =
        QFileInfo(QStringLiteral(TALLIVOR_ICO_FILE)).absolutePath() + QStringLiteral("/png/tallivor-%1.png").arg(size);
    const QImage expected = QImage(pngPath).convertToFormat(QImage::Format_ARGB32);
    QVERIFY2(!expected.isNull(), qPrintable(pngPath));
    QCOMPARE(expected.size(), QSize(size, size));

    if (size == 256) {
        // Stored PNG-compressed: 8-bit RGBA, that is 32 bits with alpha.
        QVERIFY2(data.startsWith(pngSignature), "the 256 px image is not a PNG");
        QVERIFY(data.size() > 33); // signature and IHDR chunk
        QCOMPARE(data.mid(12, 4), QByteArray("IHDR"));
        QCOMPARE(qFromBigEndian<quint32>(data.constData() + 16), quint32(size));
        QCOMPARE(qFromBigEndian<quint32>(data.constData() + 20), quint32(size));
        QCOMPARE(int(quint8(data.at(24))), 8);
        QCOMPARE(int(quint8(data.at(25))), 6);
        QCOMPARE(QImage::fromData(data, "PNG").convertToFormat(QImage::Format_ARGB32), expected);
        return;
    }

    // A classic DIB: BITMAPINFOHEADER, bottom-up BGRA rows, then the 1-bit AND mask in rows of whole 32-bit words.
    QVERIFY2(!data.startsWith(pngSignature), "small images must be stored as DIB");
    const qsizetype maskStride = (size + 31) / 32 * 4;
    const qsizetype pixelsAt = 40;
    const qsizetype maskAt = pixelsAt + qsizetype(size) * size * 4;
    QCOMPARE(data.size(), maskAt + maskStride * size);
    QCOMPARE(le32(data, 0), 40u);
    QCOMPARE(qint32(le32(data, 4)), size);
    QCOMPARE(qint32(le32(data, 8)), 2 * size); // colour and mask together
    QCOMPARE(int(le16(data, 12)), 1);
    QCOMPARE(int(le16(data, 14)), 32);
    QCOMPARE(le32(data, 16), 0u); // BI_RGB

    int transparent = 0;
    int opaque = 0;
    for (int y = 0; y < size; ++y) {
        const int row = size - 1 - y;
        for (int x = 0; x < size; ++x) {
            const char* p = data.constData() + pixelsAt + (qsizetype(row) * size + x) * 4;
            const QRgb pixel = qRgba(quint8(p[2]), quint8(p[1]), quint8(p[0]), quint8(p[3]));
            if (pixel != expected.pixel(x, y))
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is %3, the PNG has %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(pixel, 8, 16, QChar(u'0'))
                                     .arg(expected.pixel(x, y), 8, 16, QChar(u'0'))));
            // Readers without alpha support go by the mask: set where the image is clear, clear where solid.
            const bool masked = quint8(data.at(maskAt + row * maskStride + x / 8)) & (0x80 >> (x % 8));
            if (qAlpha(pixel) == 0) {
                ++transparent;
                QVERIFY2(masked, qPrintable(QStringLiteral("mask not set at %1,%2").arg(x).arg(y)));
            } else if (qAlpha(pixel) == 255) {
                ++opaque;
                QVERIFY2(!masked, qPrintable(QStringLiteral("mask set at %1,%2").arg(x).arg(y)));
            }
        }
    }
    // The alpha channel is really used: the icon has clear corners and a solid body.
    QVERIFY(transparent > 0);
    QVERIFY(opaque > 0);
}

QTEST_GUILESS_MAIN(TestResources)
#include "tst_resources.moc"
