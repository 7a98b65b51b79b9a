#include "report/ReportWindow.h"

#include "ledger/Ledger.h"
#include "report/HourChart.h"
#include "rules/Numbers.h"
#include "rules/TimeText.h"
#include "store/DataFile.h"
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
#include <QTableWidget>
#include <QTextDocument>

namespace tallivor {
namespace {

constexpr QRgb intactColour = 0x8BE08B;
constexpr QRgb alteredColour = 0xFFB060;

void setColour(QWidget* widget, QRgb colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, QColor(colour));
    widget->setPalette(palette);
}

Label* makeLabel(QWidget* parent, const char* name, double points, bool bold = false)
{
    auto* label = new Label(parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(designFont(tahoma(points, bold)));
    setColour(label, 0xFFFFFF);
    return label;
}

QDateEdit* makeDateEdit(QWidget* parent, const char* name)
{
    auto* edit = new QDateEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    edit->setCalendarPopup(true);
    return edit;
}

// The cells of the table per station, in the order of its headings.
QStringList stationCells(const StationTotal& station)
{
    return {station.station, QString::number(station.bills), hoursText(station.seconds),
            numberText(station.overtimeMinutes), station.amount.text()};
}

} // namespace

ReportWindow::ReportWindow(const Ledger& ledger, QString folder)
    : QWidget(nullptr, Qt::Window), m_ledger(ledger), m_folder(std::move(folder)), m_model(m_folder),
      m_words(KeyedTexts(), QString()), m_title(makeLabel(this, "title", 11, true)),
      m_fromCaption(makeLabel(this, "fromCaption", 9)), m_toCaption(makeLabel(this, "toCaption", 9)),
      m_from(makeDateEdit(this, "from")), m_to(makeDateEdit(this, "to")), m_bills(makeLabel(this, "bills", 11, true)),
      m_billed(makeLabel(this, "billed", 11, true)), m_time(makeLabel(this, "time", 11, true)),
      m_chain(makeLabel(this, "chain", 9)), m_pending(makeLabel(this, "pending", 9)),
      m_stations(new QTableWidget(0, 5, this)), m_byHourCaption(makeLabel(this, "byHourCaption", 9, true)),
      m_chart(new HourChart(this)), m_looksCaption(makeLabel(this, "looksCaption", 9, true)),
      m_looks(new QListWidget(this)), m_message(makeLabel(this, "message", 9))
{
    setObjectName(QStringLiteral("report"));
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    layOut();
    connect(m_from, &QDateEdit::dateChanged, this,
            [this](QDate from) { showDays(from, std::max(from, m_to->date())); });
    connect(m_to, &QDateEdit::dateChanged, this, [this](QDate to) { showDays(std::min(to, m_from->date()), to); });
    // A click or a key anywhere but on the armed Close shift takes its first click back.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    retranslate(KeyedTexts());
}

ReportWindow::~ReportWindow() = default;

void ReportWindow::layOut()
{
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
    for (Label* label : {m_chain, m_pending, m_message})
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);

    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        LabelButton* button = m_buttons[i] = new LabelButton(int(i), this);
        button->setFont(designFont(tahoma(9, true)));
        button->setWordWrap(false);
        setColour(button, 0xFFFFFF);
        button->setCursor(handPointer());
        connect(button, &LabelButton::clicked, this, [this](int index) { btnClick(ReportButton(index)); });
        connect(button, &LabelButton::pointerMoved, this, [this, button](int index, float x, float y) {
            hoverLabelButton(*button, x, y, DisarmOnLeave::No);
            if (ReportButton(index) != ReportButton::CloseShift || !button->underline())
                disarm(); // the pointer is off the armed caption
        });
    }
    auto* periodRow = new QHBoxLayout;
    periodRow->setSpacing(14);
    periodRow->addWidget(btn(ReportButton::Today));
    periodRow->addWidget(btn(ReportButton::SinceShift));
    periodRow->addSpacing(16);
    for (QWidget* part : std::initializer_list<QWidget*>{m_fromCaption, m_from, m_toCaption, m_to})
        periodRow->addWidget(part);
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
}

void ReportWindow::open(const KeyedTexts& texts, const QString& unit, const QWidget& board)
{
    if (!isVisible())
        placeBeside(*this, board);
    m_words = ReportWords(texts, unit);
    disarm();
    m_message->clear();
    retranslate(texts);
    const QDate today = m_ledger.now().date();
    showDays(today, today);
    QWidget::show();
    raise();
    activateWindow();
    m_stations->setFocus();
}

void ReportWindow::retranslate(const KeyedTexts& texts)
{
    m_words = ReportWords(texts, m_words.unit());
    setLayoutDirection(m_words.rightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
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
    case ReportButton::Print: {
        const Printed printed = m_printing.print(
            *this, m_folder, QStringLiteral("tallivor-report-") + ReportWords::periodFileName(m_model, m_ledger.now()),
            [this] { return document(); });
        if (!printed.pdfName.isEmpty())
            m_message->setText(m_words.texts()[KeyedText::NoPrinter].arg(printed.pdfName));
        break;
    }
    case ReportButton::Export: exportCsv(); break;
    case ReportButton::CloseShift:
        confirmTwice(
            *btn(ReportButton::CloseShift),
            [this] {
                m_message->clear();
                emit shiftCloseRequested();
            },
            [this] { emit shiftCloseAsked(); });
        break;
    }
}

void ReportWindow::armShiftClose(int unbilled)
{
    m_message->setText(m_words.texts()[KeyedText::CloseShiftAsk].arg(unbilled));
}

void ReportWindow::disarm()
{
    LabelButton* closeShift = btn(ReportButton::CloseShift);
    if (!closeShift->italic())
        return;
    closeShift->setItalic(false);
    m_message->clear();
}

void ReportWindow::showDays(QDate from, QDate to)
{
    const QSignalBlocker blockFrom(m_from), blockTo(m_to);
    m_from->setDate(from);
    m_to->setDate(to);
    show(Period::days(from, to));
}

void ReportWindow::showSinceShift()
{
    show(Period::sinceLastShift());
}

void ReportWindow::show(const Period& period)
{
    m_model.show(period);
    render();
}

void ReportWindow::takeLine(const LedgerRecord& record)
{
    if (m_model.take(record))
        render();
}

void ReportWindow::render()
{
    const KeyedTexts& texts = m_words.texts();
    const PeriodTotals& totals = m_model.totals();
    m_title->setText(texts[KeyedText::Report] + QStringLiteral("   ") + m_words.period(m_model));
    m_bills->setText(texts[KeyedText::Bills] + QStringLiteral(": ") + QString::number(totals.bills));
    m_billed->setText(texts[KeyedText::Billed] + QStringLiteral(": ") + m_words.money(totals.billed.text()));
    m_time->setText(texts[KeyedText::Time] + QStringLiteral(": ") + hoursText(totals.seconds));

    const QStringList findings = m_words.findings(m_model);
    m_chain->setText(findings.isEmpty() ? texts[KeyedText::Intact]
                                        : texts[KeyedText::Altered] + QLatin1Char('\n') + findings.join(u'\n'));
    setColour(m_chain, findings.isEmpty() ? intactColour : alteredColour);
    const int pending = m_ledger.pendingLines();
    m_pending->setText(texts[KeyedText::Pending].arg(pending));
    setColour(m_pending, alteredColour);
    m_pending->setVisible(pending > 0);

    m_stations->setRowCount(int(totals.stations.size()));
    for (int row = 0; row < m_stations->rowCount(); ++row) {
        const QStringList cells = stationCells(totals.stations[std::size_t(row)]);
        for (int column = 0; column < int(cells.size()); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(Qt::AlignVCenter | (column == 0 ? Qt::AlignLeft : Qt::AlignRight));
            m_stations->setItem(row, column, item);
        }
    }
    std::array<double, 24> hours{};
    std::array<QString, 24> amounts;
    for (std::size_t hour = 0; hour < hours.size(); ++hour) {
        amounts[hour] = totals.byHour[hour].text();
        hours[hour] = amounts[hour].toDouble(); // a bar's height: a picture, not money
    }
    m_chart->setValues(hours, amounts);
    m_looks->clear();
    for (const Look& look : totals.looks)
        m_looks->addItem(m_words.look(m_model, look));
}

std::unique_ptr<QTextDocument> ReportWindow::document() const
{
    const KeyedTexts& texts = m_words.texts();
    DocumentBuilder page(m_words.rightToLeft());
    page.heading(m_title->text());
    page.paragraph(QStringList{m_bills->text(), m_billed->text(), m_time->text()}.join(QStringLiteral(" \u00A0 ")),
                   true);
    page.paragraph(m_chain->text());
    std::vector<QStringList> rows;
    for (const StationTotal& station : m_model.totals().stations)
        rows.push_back(stationCells(station));
    page.table({texts[KeyedText::Station], texts[KeyedText::Bills], texts[KeyedText::Time], texts[KeyedText::Overtime],
                texts[KeyedText::Amount]},
               rows);
    // The chart drawn for the page at a size of its own, whatever the window's size, and at three times the pixels so
    // that its small print stays sharp on paper.
    HourChart chart;
    chart.setValues(m_chart->values(), m_chart->amounts());
    chart.resize(480, 180);
    QImage picture(chart.size() * 3, QImage::Format_RGB32);
    picture.setDevicePixelRatio(3);
    chart.render(&picture);
    page.heading(texts[KeyedText::ByHour], 3);
    page.picture(picture, 480, 180);
    page.heading(texts[KeyedText::WorthALook], 3);
    QStringList looks;
    for (const Look& look : m_model.totals().looks)
        looks << m_words.look(m_model, look);
    page.paragraph(looks.join(u'\n'));
    return page.document();
}

void ReportWindow::exportCsv()
{
    const QString suggested = QDir(m_folder).filePath(
        QStringLiteral("tallivor-export-%1.csv").arg(ReportWords::periodFileName(m_model, m_ledger.now())));
    auto* dialog = new QFileDialog(this, m_words.texts()[KeyedText::Export], suggested, QStringLiteral("CSV (*.csv)"));
    dialog->setObjectName(QStringLiteral("exportDialog"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->selectFile(suggested);
    dialog->setWindowModality(Qt::NonModal); // a dialog modal to the report would block the board too
    connect(dialog, &QFileDialog::fileSelected, this, &ReportWindow::exportTo);
    dialog->show();
}

bool ReportWindow::exportTo(const QString& path)
{
    const bool written = replaceFile(path, ledgerFileBytes(m_model.records()));
    if (written)
        m_message->setText(m_words.texts()[KeyedText::Saved].arg(QFileInfo(path).fileName()));
    return written;
}

void ReportWindow::showShiftClosed(const PeriodTotals& shift)
{
    m_message->setText(
        m_words.texts()[KeyedText::ShiftClosed].arg(shift.bills).arg(m_words.money(shift.billed.text())));
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
