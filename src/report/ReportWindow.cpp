#include "report/ReportWindow.h"

#include "ledger/Ledger.h"
#include "report/HourChart.h"
#include "rules/Numbers.h"
#include "rules/TimeText.h"
#include "store/DataFile.h"
#include "store/TextCodec.h"
#include "ui/HandPointer.h"
#include "ui/Hover.h"
#include "ui/Layout.h"

#include <QBoxLayout>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTableWidget>
#include <QTextDocument>

namespace tallivor {
namespace {

constexpr QRgb intactColour = 0x8BE08B;
constexpr QRgb alteredColour = 0xFFB060;

Label* makeLabel(QWidget* parent, const char* name, double points, bool bold = false)
{
    auto* label = new Label(parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(designFont(tahoma(points, bold)));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    return label;
}

void setColour(Label* label, QRgb colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(colour));
    label->setPalette(palette);
}

QDateEdit* makeDateEdit(QWidget* parent, const char* name)
{
    auto* edit = new QDateEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    edit->setCalendarPopup(true);
    return edit;
}

// Shows a dialog of the report without modality: even a dialog modal to the report alone would block the board,
// the report's parent.
void showBesideTheBoard(QDialog* dialog)
{
    dialog->setWindowModality(Qt::NonModal);
    dialog->show();
}

// A ledger time stamp as the owner reads it: the local date and time to the minute.
QString readableTime(const QString& stamp)
{
    const QDateTime time = QDateTime::fromString(stamp, Qt::ISODate);
    return time.isValid() ? time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")) : stamp;
}

// A name in the folder that no file has yet: the name itself, else with "-2", "-3", ... before the extension.
QString unusedName(const QString& folder, const QString& base, const QString& extension)
{
    QString name = base + extension;
    for (int n = 2; QFileInfo::exists(QDir(folder).filePath(name)); ++n)
        name = QStringLiteral("%1-%2%3").arg(base, QString::number(n), extension);
    return name;
}

} // namespace

ReportWindow::ReportWindow(const Ledger& ledger, QString folder)
    : QWidget(nullptr, Qt::Window), m_ledger(ledger), m_folder(std::move(folder)),
      m_title(makeLabel(this, "title", 11, true)), m_fromCaption(makeLabel(this, "fromCaption", 9)),
      m_toCaption(makeLabel(this, "toCaption", 9)), m_from(makeDateEdit(this, "from")), m_to(makeDateEdit(this, "to")),
      m_bills(makeLabel(this, "bills", 11, true)), m_billed(makeLabel(this, "billed", 11, true)),
      m_time(makeLabel(this, "time", 11, true)), m_chain(makeLabel(this, "chain", 9)),
      m_pending(makeLabel(this, "pending", 9)), m_stations(new QTableWidget(0, 5, this)),
      m_byHourCaption(makeLabel(this, "byHourCaption", 9, true)), m_chart(new HourChart(this)),
      m_looksCaption(makeLabel(this, "looksCaption", 9, true)), m_looks(new QListWidget(this)),
      m_message(makeLabel(this, "message", 9))
{
    setObjectName(QStringLiteral("report"));
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(form1Background));
    setPalette(palette);
    setAutoFillBackground(true);
    resize(720, 620);

    m_title->setAutoFillBackground(true);
    QPalette titlePalette = m_title->palette();
    titlePalette.setColor(QPalette::Window, Qt::black);
    m_title->setPalette(titlePalette);
    m_title->setContentsMargins(10, 6, 10, 6);
    m_stations->setObjectName(QStringLiteral("stations"));
    m_stations->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_stations->verticalHeader()->hide();
    m_stations->verticalHeader()->setDefaultSectionSize(m_stations->fontMetrics().height() + 6);
    m_stations->setWordWrap(false);
    // Every column as wide as its texts and the table as wide as its columns, the chart taking the rest: a name is
    // never cut short to make room for a long heading of another language.
    m_stations->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_stations->horizontalHeader()->setStretchLastSection(false);
    m_stations->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    m_chart->setObjectName(QStringLiteral("chart"));
    m_looks->setObjectName(QStringLiteral("looks"));

    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        LabelButton* button = m_buttons[i] = new LabelButton(int(i), this);
        button->setFont(designFont(tahoma(9, true)));
        button->setWordWrap(false);
        QPalette buttonPalette = button->palette();
        buttonPalette.setColor(QPalette::WindowText, Qt::white);
        button->setPalette(buttonPalette);
        button->setCursor(handPointer());
        connect(button, &LabelButton::clicked, this, [this](int index) { btnClick(ReportButton(index)); });
        connect(button, &LabelButton::pointerMoved, this, [this, button](int index, float x, float y) {
            hoverLabelButton(*button, x, y, DisarmOnLeave::No);
            if (ReportButton(index) != ReportButton::CloseShift || !button->underline())
                disarm(); // the pointer is off the armed caption
        });
    }
    connect(m_from, &QDateEdit::dateChanged, this,
            [this](QDate from) { showDays(from, std::max(from, m_to->date())); });
    connect(m_to, &QDateEdit::dateChanged, this, [this](QDate to) { showDays(std::min(to, m_from->date()), to); });

    auto* periodRow = new QHBoxLayout;
    periodRow->setSpacing(14);
    periodRow->addWidget(btn(ReportButton::Today));
    periodRow->addWidget(btn(ReportButton::SinceShift));
    periodRow->addSpacing(16);
    periodRow->addWidget(m_fromCaption);
    periodRow->addWidget(m_from);
    periodRow->addWidget(m_toCaption);
    periodRow->addWidget(m_to);
    periodRow->addStretch();
    auto* figures = new QHBoxLayout;
    for (Label* figure : {m_bills, m_billed, m_time})
        figures->addWidget(figure, 1);
    auto* chartColumn = new QVBoxLayout;
    chartColumn->addWidget(m_byHourCaption);
    chartColumn->addWidget(m_chart, 1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(m_stations);
    middle->addLayout(chartColumn, 1);
    auto* actions = new QHBoxLayout;
    actions->setSpacing(18);
    for (ReportButton action : {ReportButton::Print, ReportButton::Export, ReportButton::CloseShift})
        actions->addWidget(btn(action));
    actions->addSpacing(16);
    actions->addWidget(m_message, 1);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(10, 6, 10, 10);
    body->addLayout(periodRow);
    body->addLayout(figures);
    body->addWidget(m_chain);
    body->addWidget(m_pending);
    body->addLayout(middle, 3);
    body->addWidget(m_looksCaption);
    body->addWidget(m_looks, 2);
    body->addLayout(actions);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_title);
    outer->addLayout(body, 1);
    for (Label* label : {m_chain, m_pending, m_message})
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A click or a key anywhere but on the armed Close shift takes its first click back.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    retranslate(m_texts);
}

ReportWindow::~ReportWindow() = default;

void ReportWindow::open(const KeyedTexts& texts, const QString& unit, const QWidget& board)
{
    if (!isVisible())
        placeBeside(*this, board);
    m_unit = unit;
    disarm();
    m_message->clear();
    retranslate(texts);
    const QDate today = m_ledger.now().date();
    showDays(today, today);
    show();
    raise();
    activateWindow();
    m_stations->setFocus();
}

void ReportWindow::retranslate(const KeyedTexts& texts)
{
    m_texts = texts;
    m_rightToLeft = texts[KeyedText::Report].isRightToLeft();
    setLayoutDirection(m_rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    setWindowTitle(QStringLiteral("Tallivor: ") + texts[KeyedText::Report]);
    const std::pair<ReportButton, KeyedText> captions[] = {{ReportButton::Today, KeyedText::Today},
                                                           {ReportButton::SinceShift, KeyedText::SinceShift},
                                                           {ReportButton::Print, KeyedText::Print},
                                                           {ReportButton::Export, KeyedText::Export},
                                                           {ReportButton::CloseShift, KeyedText::CloseShift}};
    for (const auto& [button, text] : captions)
        btn(button)->setText(texts[text]);
    m_fromCaption->setText(texts[KeyedText::From]);
    m_toCaption->setText(texts[KeyedText::To]);
    m_byHourCaption->setText(texts[KeyedText::ByHour]);
    m_looksCaption->setText(texts[KeyedText::WorthALook]);
    m_stations->setHorizontalHeaderLabels({texts[KeyedText::Station], texts[KeyedText::Bills], texts[KeyedText::Time],
                                           texts[KeyedText::Overtime], texts[KeyedText::Amount]});
    render();
}

void ReportWindow::btnClick(ReportButton button)
{
    switch (button) {
    case ReportButton::Today: {
        const QDate today = m_ledger.now().date();
        showDays(today, today);
        break;
    }
    case ReportButton::SinceShift: showSinceShift(); break;
    case ReportButton::Print: print(); break;
    case ReportButton::Export: exportCsv(); break;
    case ReportButton::CloseShift:
        if (!btn(ReportButton::CloseShift)->italic()) {
            emit shiftCloseAsked();
            break;
        }
        disarm();
        emit shiftCloseRequested();
        break;
    }
}

void ReportWindow::armShiftClose(int unbilled)
{
    btn(ReportButton::CloseShift)->setItalic(true);
    m_message->setText(m_texts[KeyedText::CloseShiftAsk].arg(unbilled));
}

void ReportWindow::disarm()
{
    LabelButton* closeShift = btn(ReportButton::CloseShift);
    if (!closeShift->italic())
        return;
    closeShift->setItalic(false);
    m_message->clear();
}

QString ReportWindow::isolated(const QString& text) const
{
    // Between the isolates (LRI ... PDI) a date's or a name's digits and signs keep their order in a right-to-left
    // line; a left-to-right line needs none.
    return m_rightToLeft ? QChar(0x2066) + text + QChar(0x2069) : text;
}

void ReportWindow::showDays(QDate from, QDate to)
{
    m_period = Period{from, to, false};
    const QSignalBlocker blockFrom(m_from), blockTo(m_to);
    m_from->setDate(from);
    m_to->setDate(to);
    reload();
}

void ReportWindow::showSinceShift()
{
    m_period = Period{{}, {}, true};
    reload();
}

void ReportWindow::reload()
{
    m_extract = readLedger(m_folder, m_period);
    m_totals = totalsOf(m_extract.records);
    render();
}

void ReportWindow::takeLine(const LedgerRecord& record)
{
    if (m_period.sinceShift && record.event == LedgerEvent::Shift) {
        m_extract.records.clear();
        m_extract.shiftTime = record.entry.time;
    } else if (m_period.sinceShift) {
        m_extract.records.push_back(record);
    } else {
        // The time stamp is local time: its date is the day the line belongs to.
        const QDate day = QDate::fromString(record.entry.time.left(10), Qt::ISODate);
        if (day >= m_period.from && day <= m_period.to)
            m_extract.records.push_back(record);
    }
    m_totals = totalsOf(m_extract.records);
    render();
}

QString ReportWindow::periodText() const
{
    if (m_period.sinceShift) {
        return m_texts[KeyedText::SinceShift] +
               (m_extract.shiftTime.isEmpty()
                    ? QString()
                    : QStringLiteral(" (%1)").arg(isolated(readableTime(m_extract.shiftTime))));
    }
    const QString from = isolated(m_period.from.toString(Qt::ISODate));
    return m_period.from == m_period.to
               ? from
               : from + QStringLiteral(" \u2013 ") + isolated(m_period.to.toString(Qt::ISODate));
}

QString ReportWindow::periodFileName() const
{
    if (m_period.sinceShift)
        return QStringLiteral("shift-") + m_ledger.now().toString(QStringLiteral("yyyy-MM-dd_HHmmss"));
    const QString from = m_period.from.toString(Qt::ISODate);
    return m_period.from == m_period.to ? from : from + QLatin1Char('_') + m_period.to.toString(Qt::ISODate);
}

QStringList ReportWindow::findingTexts() const
{
    QStringList texts;
    for (const FileFinding& found : m_extract.findings) {
        KeyedText text = KeyedText::Damaged;
        switch (found.finding.what) {
        case Alteration::Changed: text = KeyedText::Changed; break;
        case Alteration::Inserted: text = KeyedText::Inserted; break;
        case Alteration::Cut: text = KeyedText::Cut; break;
        case Alteration::Heading:
        case Alteration::Damaged: break;
        }
        texts << m_texts[text].arg(found.file).arg(found.finding.line);
    }
    return texts;
}

QString ReportWindow::money(const QString& amount) const
{
    return m_unit.isEmpty() ? amount : amount + QLatin1Char(' ') + m_unit;
}

QString ReportWindow::lookText(const Look& look) const
{
    const LedgerEntry& entry = m_extract.records[std::size_t(look.record)].entry;
    const QString before =
        detailValue(entry.detail, look.why == Notice::TimeLowered ? QLatin1String("time") : QLatin1String("before"))
            .value_or(QString());
    const QString station = isolated(entry.station);
    const auto seconds = [&entry](const char* key) {
        return wholeNumber(detailValue(entry.detail, QLatin1String(key)).value_or(QString())).value_or(0);
    };
    QString why;
    switch (look.why) {
    case Notice::RemovedWithCharge:
        why = QStringList{m_texts[KeyedText::Removed], station, entry.spent, money(entry.charge)}.join(u' ');
        break;
    case Notice::TimeLowered:
        why =
            QStringList{m_texts[KeyedText::Lowered], station, before, QStringLiteral("\u2192"), entry.spent}.join(u' ');
        break;
    case Notice::PriceChanged:
        why = QStringList{m_texts[KeyedText::PriceChanged], before, QStringLiteral("\u2192"), entry.price}.join(u' ');
        break;
    case Notice::Gap: {
        // Whether the board counted the gap's seconds afterwards (a hold-up it caught up) or not (sleep, or the
        // program closed): the owner's question is whether those minutes were billed.
        const double length = seconds("seconds"), uncounted = seconds("uncounted");
        const QString running = QString::number(seconds("running"));
        if (uncounted <= 0)
            why = m_texts[KeyedText::GapCounted].arg(hoursText(length), running);
        else if (uncounted >= length)
            why = m_texts[KeyedText::GapNotCounted].arg(hoursText(length), running);
        else
            why = m_texts[KeyedText::GapPartly].arg(hoursText(length), hoursText(uncounted), running);
        break;
    }
    case Notice::AckedLate: why = m_texts[KeyedText::AckedLate].arg(station, hoursText(look.seconds)); break;
    case Notice::NeverAcked: why = m_texts[KeyedText::NeverAcked].arg(station); break;
    }
    return isolated(QString(entry.time).replace(QLatin1Char('T'), QLatin1Char(' ')).left(19)) + QStringLiteral("   ") +
           why;
}

void ReportWindow::render()
{
    m_title->setText(m_texts[KeyedText::Report] + QStringLiteral("   ") + periodText());
    m_bills->setText(m_texts[KeyedText::Bills] + QStringLiteral(": ") + QString::number(m_totals.bills));
    m_billed->setText(m_texts[KeyedText::Billed] + QStringLiteral(": ") + money(m_totals.billed.text()));
    m_time->setText(m_texts[KeyedText::Time] + QStringLiteral(": ") + hoursText(m_totals.seconds));

    const QStringList findings = findingTexts();
    m_chain->setText(findings.isEmpty() ? m_texts[KeyedText::Intact]
                                        : m_texts[KeyedText::Altered] + QLatin1Char('\n') + findings.join(u'\n'));
    setColour(m_chain, findings.isEmpty() ? intactColour : alteredColour);
    const int pending = m_ledger.pendingLines();
    m_pending->setText(m_texts[KeyedText::Pending].arg(pending));
    setColour(m_pending, alteredColour);
    m_pending->setVisible(pending > 0);

    m_stations->setRowCount(int(m_totals.stations.size()));
    for (int row = 0; row < m_stations->rowCount(); ++row) {
        const StationTotal& station = m_totals.stations[std::size_t(row)];
        const QString cells[] = {station.station, QString::number(station.bills), hoursText(station.seconds),
                                 numberText(station.overtimeMinutes), station.amount.text()};
        for (int column = 0; column < 5; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(Qt::AlignVCenter | (column == 0 ? Qt::AlignLeft : Qt::AlignRight));
            m_stations->setItem(row, column, item);
        }
    }
    std::array<double, 24> hours{};
    std::array<QString, 24> amounts;
    for (std::size_t hour = 0; hour < hours.size(); ++hour) {
        hours[hour] = m_totals.byHour[hour].toDouble();
        amounts[hour] = m_totals.byHour[hour].text();
    }
    m_chart->setValues(hours, amounts);
    m_looks->clear();
    for (const auto& look : m_totals.looks)
        m_looks->addItem(lookText(look));
}

std::unique_ptr<QTextDocument> ReportWindow::document() const
{
    const auto escaped = [](const QString& text) { return text.toHtmlEscaped(); };
    // Right-to-left texts print mirrored: paragraphs from the right, and the table at the right with its first column
    // on the right (Qt lays out a table's columns from the left whatever the direction, so they are written from the
    // last).
    const QLatin1String direction(m_rightToLeft ? "rtl" : "ltr");
    const auto column = [this](int i) { return m_rightToLeft ? m_stations->columnCount() - 1 - i : i; };
    QString html = QStringLiteral("<html dir=\"%1\"><body dir=\"%1\">").arg(direction);
    html += QStringLiteral("<h2>%1</h2><p><b>%2 &nbsp; %3 &nbsp; %4</b></p><p>%5</p>")
                .arg(escaped(m_title->text()), escaped(m_bills->text()), escaped(m_billed->text()),
                     escaped(m_time->text()), escaped(m_chain->text()).replace(u'\n', QStringLiteral("<br>")));
    html += QStringLiteral("<table%1 border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><tr>")
                .arg(m_rightToLeft ? QLatin1String(" align=\"right\"") : QLatin1String());
    for (int i = 0; i < m_stations->columnCount(); ++i)
        html += QStringLiteral("<th>%1</th>").arg(escaped(m_stations->horizontalHeaderItem(column(i))->text()));
    for (int row = 0; row < m_stations->rowCount(); ++row) {
        html += QStringLiteral("<tr>");
        for (int i = 0; i < m_stations->columnCount(); ++i)
            html += QStringLiteral("<td>%1</td>").arg(escaped(m_stations->item(row, column(i))->text()));
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table><h3>%1</h3><p><img src=\"chart\" width=\"480\" height=\"180\"></p><h3>%2</h3><p>")
                .arg(escaped(m_byHourCaption->text()), escaped(m_looksCaption->text()));
    for (int i = 0; i < m_looks->count(); ++i)
        html += escaped(m_looks->item(i)->text()) + QStringLiteral("<br>");
    auto document = std::make_unique<QTextDocument>();
    // The chart drawn for the page at a size of its own, whatever the window's size, and at three times the pixels
    // so that its small print stays sharp on paper.
    HourChart chart;
    chart.setValues(m_chart->values(), m_chart->amounts());
    chart.resize(480, 180);
    QImage picture(chart.size() * 3, QImage::Format_RGB32);
    picture.setDevicePixelRatio(3);
    chart.render(&picture);
    document->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("chart")), picture);
    QTextOption option = document->defaultTextOption();
    option.setTextDirection(m_rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    document->setDefaultTextOption(option);
    document->setHtml(html + QStringLiteral("</p></body></html>"));
    return document;
}

void ReportWindow::print()
{
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // No printer on this system: the report goes to a PDF file beside the program, and the window says where.
        // A second print of the same period gets a name of its own: the first one may already be on its way to the
        // owner.
        const QString name =
            unusedName(m_folder, QStringLiteral("tallivor-report-") + periodFileName(), QStringLiteral(".pdf"));
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setOutputFileName(QDir(m_folder).filePath(name));
        document()->print(m_printer.get());
        m_message->setText(m_texts[KeyedText::NoPrinter].arg(name));
        return;
    }
    auto* dialog = new QPrintDialog(m_printer.get(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this] { document()->print(m_printer.get()); });
    showBesideTheBoard(dialog);
}

void ReportWindow::exportCsv()
{
    const QString suggested = QDir(m_folder).filePath(QStringLiteral("tallivor-export-%1.csv").arg(periodFileName()));
    auto* dialog = new QFileDialog(this, m_texts[KeyedText::Export], suggested, QStringLiteral("CSV (*.csv)"));
    dialog->setObjectName(QStringLiteral("exportDialog"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->selectFile(suggested);
    connect(dialog, &QFileDialog::fileSelected, this, &ReportWindow::exportTo);
    showBesideTheBoard(dialog);
}

bool ReportWindow::exportTo(const QString& path)
{
    QByteArray bytes = QByteArray(utf8ByteOrderMark) + ledgerHeading + "\r\n";
    for (const LedgerRecord& record : m_extract.records)
        bytes += ledgerFieldBytes(record.entry) + ',' + record.check + "\r\n";
    const bool written = replaceFile(path, bytes);
    if (written)
        m_message->setText(m_texts[KeyedText::Saved].arg(QFileInfo(path).fileName()));
    return written;
}

void ReportWindow::showShiftClosed(const PeriodTotals& shift)
{
    reload();
    m_message->setText(m_texts[KeyedText::ShiftClosed].arg(shift.bills).arg(money(shift.billed.text())));
}

bool ReportWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (watched != btn(ReportButton::CloseShift))
            disarm();
        break;
    case QEvent::KeyPress: disarm(); break;
    case QEvent::Leave:
        // Off a caption straight onto the table or the list, whose moves the window does not see.
        for (LabelButton* button : m_buttons) {
            if (watched == button)
                button->setUnderline(false);
        }
        if (watched == btn(ReportButton::CloseShift))
            disarm();
        break;
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

void ReportWindow::changeEvent(QEvent* event)
{
    // A click in another window, the board's among them, takes the first click back too.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        disarm();
    QWidget::changeEvent(event);
}

void ReportWindow::mousePressEvent(QMouseEvent* event)
{
    disarm();
    event->accept();
}

void ReportWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ReportWindow::mouseMoveEvent(QMouseEvent* event)
{
    disarm();
    for (LabelButton* button : m_buttons)
        button->setUnderline(false);
    event->accept();
}

} // namespace tallivor
