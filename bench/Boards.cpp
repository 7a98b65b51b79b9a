#include "Boards.h"

#include "board/Board.h"
#include "rules/ClockRule.h"
#include "store/StationFile.h"
#include "store/TextCodec.h"
#include "ui/Layout.h"
#include "ui/ListBox.h"
#include "ui/Twips.h"
#include "window/Form1.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <cstring>

namespace bench {

QByteArray stationFileBytes(int rows, bool thirdPaid)
{
    QByteArray bytes("10,English.xml\r\n");
    bytes.reserve(bytes.size() + qsizetype(rows) * 36);
    for (int i = 0; i < rows; ++i) {
        const int minutes = (i * 37) % 1000;
        const int seconds = (i * 7) % 60;
        bytes += "Start,Computer " + QByteArray::number(i + 1) + ',' + QByteArray::number(minutes) + ':' +
                 QByteArray::number(seconds) + ',' + QByteArray::number(minutes * 10);
        // Every third station sold time in advance: its paid end an hour after its time used.
        if (thirdPaid && i % 3 == 0)
            bytes += ",," + QByteArray::number(minutes + 60) + ":0";
        bytes += "\r\n";
    }
    return bytes;
}

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray shippedLanguageFile()
{
    QFile file(QStringLiteral(TALLIVOR_LANG_DIR "/English.xml"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the shipped English.xml from %s", TALLIVOR_LANG_DIR);
    return file.readAll();
}

void showAndExpose(QWidget& window)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qFatal("the window was not exposed");
    QCoreApplication::processEvents();
}

} // namespace

QByteArray tabsFileBytes(int rows, int tabs)
{
    QByteArray bytes = QByteArray(tallivor::utf8ByteOrderMark) + "station,product,quantity,price,amount,sale\r\n";
    for (int i = 0; i < rows && i / 3 < tabs; i += 3) {
        for (int item = 0; item < 5; ++item)
            bytes += "Computer " + QByteArray::number(i + 1) + ",Cola,1,1.5,1.5," +
                     QByteArray::number(quint64(i) * 5 + item + 1, 16).rightJustified(16, '0') + "\r\n";
    }
    return bytes;
}

BoardWindow::BoardWindow(int rows, bool thirdPaid, int tabs)
{
    if (!m_dir.isValid())
        qFatal("cannot make a temporary folder");
    writeFile(QDir(m_dir.path()).filePath(QStringLiteral("English.xml")), shippedLanguageFile());
    writeFile(QDir(m_dir.path()).filePath(QLatin1String(tallivor::stationFileName)), stationFileBytes(rows, thirdPaid));
    writeFile(QDir(m_dir.path()).filePath(QStringLiteral("tallivor-products.csv")),
              "\xEF\xBB\xBFproduct,price,stock\r\nCola,1.5,\r\nChips,2,99999\r\n");
    if (tabs > 0)
        writeFile(QDir(m_dir.path()).filePath(QStringLiteral("tallivor-tabs.csv")), tabsFileBytes(rows, tabs));
    m_platform = std::make_unique<QuietPlatform>(m_dir.path());
    m_board = std::make_unique<tallivor::Board>(*m_platform, m_dir.path());
    m_form = std::make_unique<tallivor::Form1>(*m_platform, *m_board);
    m_form->load();
    // The benchmark ticks and saves itself: no timer (the clock, the autosave) may act behind its back.
    for (QObject* owner : std::initializer_list<QObject*>{m_form.get(), m_board.get()}) {
        for (QTimer* timer : owner->findChildren<QTimer*>())
            timer->stop();
    }
    if (m_board->rowCount() != rows)
        qFatal("the board loaded %d rows, not %d", m_board->rowCount(), rows);
    const std::array<const char*, 4> names{"Eventlist", "Namelist", "timeList", "Rellist"};
    for (std::size_t i = 0; i < names.size(); ++i)
        m_lists[i] = m_form->findChild<QAbstractItemView*>(QLatin1String(names[i]));
    showAndExpose(*m_form);
}

BoardWindow::~BoardWindow()
{
    m_form.reset();  // before the board it shows
    m_board.reset(); // before the platform it refers to
}

std::array<QAbstractItemView*, 4> BoardWindow::lists() const
{
    return m_lists;
}

PlainBoard::PlainBoard(int rows) : m_window(std::make_unique<QWidget>())
{
    m_window->setWindowTitle(QStringLiteral("Tallivor (QListWidget)"));
    tallivor::setUpWindow(*m_window, 8055, 5790, QColor(tallivor::form1Background));

    // The same file the main window would read, split into its four columns.
    const std::array<const char*, 4> names{"Eventlist", "Namelist", "timeList", "Rellist"};
    std::array<QStringList, 4> columns;
    const QList<QByteArray> lines = stationFileBytes(rows).split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].trimmed().split(',');
        if (fields.size() != 4)
            continue;
        for (int k = 0; k < 4; ++k)
            columns[k].append(QString::fromUtf8(fields[k]));
    }

    for (const tallivor::ControlDesign& design : tallivor::form1Layout()) {
        if (design.kind != tallivor::Kind::ListBox)
            continue;
        for (int k = 0; k < 4; ++k) {
            if (std::strcmp(design.name, names[k]) != 0)
                continue;
            auto* list = new QListWidget(m_window.get());
            list->setObjectName(QString::fromLatin1(design.name));
            list->setGeometry(tallivor::toPixels(design.left), tallivor::toPixels(design.top),
                              tallivor::toPixels(design.width), tallivor::toPixels(design.height));
            list->setFont(tallivor::designFont(design.font));
            list->addItems(columns[k]);
            m_lists[k] = list;
        }
    }
    for (QListWidget* list : m_lists) {
        if (!list)
            qFatal("the main window's layout lacks a list");
        list->setCurrentRow(rows - 1); // where the main window starts: the last row selected and in view
    }
    showAndExpose(*m_window);
}

PlainBoard::~PlainBoard() = default;

void PlainBoard::tick(const QString& startWord, const QString& priceText)
{
    QListWidget* states = m_lists[0];
    QListWidget* times = m_lists[2];
    QListWidget* charges = m_lists[3];
    tallivor::PriceReader price(priceText);
    const int rows = std::min({states->count(), times->count(), charges->count()});
    for (int i = 0; i < rows; ++i) {
        QString time = times->item(i)->text();
        QString charge = charges->item(i)->text();
        const tallivor::RowChange change = tallivor::tickRow(time, charge, states->item(i)->text() == startWord, price);
        if (change != tallivor::RowChange::None)
            times->item(i)->setText(time);
        if (change == tallivor::RowChange::TimeAndCharge)
            charges->item(i)->setText(charge);
    }
}

void PlainBoard::keepRowsInStep()
{
    for (QListWidget* source : m_lists) {
        QObject::connect(source, &QListWidget::currentRowChanged, source, [this](int row) {
            for (QListWidget* list : m_lists)
                list->setCurrentRow(row);
        });
    }
}

void PaintCounter::watch(QAbstractItemView* view)
{
    QObject* viewport = view->viewport();
    viewport->installEventFilter(this);
    m_viewports.push_back(viewport);
    m_paints.push_back(0);
}

void PaintCounter::reset()
{
    std::fill(m_paints.begin(), m_paints.end(), 0);
}

int PaintCounter::paintedViews() const
{
    return int(std::count_if(m_paints.begin(), m_paints.end(), [](int paints) { return paints > 0; }));
}

bool PaintCounter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        for (std::size_t i = 0; i < m_viewports.size(); ++i) {
            if (m_viewports[i] == watched)
                ++m_paints[i];
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace bench
