#include "report/ReportWindow.h"

#include "ledger/Ledger.h"
#include "report/HourChart.h"
#include "report/ReportDocument.h"
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
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTableWidget>
#include <QTextDocument>

namespace tallivor {
namespace {

constexpr QRgb intactColour = 0x8BE08B;
constexpr QRgb alteredColour = 0xFFB060;

} // namespace

ReportWindow::ReportWindow(const Ledger& ledger, QString folder)
    : QWidget(nullptr, Qt::Window), m_ledger(ledger), m_folder(std::move(folder)), m_model(m_folder),
      m_words(KeyedTexts(), QString()), m_parts(*this)
{
    setObjectName(QStringLiteral("report"));
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    for (LabelButton* button : m_parts.buttons) {
        connect(button, &LabelButton::clicked, this, [this](int index) { btnClick(ReportButton(index)); });
        connect(button, &LabelButton::pointerMoved, this, [this, button](int index, float x, float y) {
            hoverLabelButton(*button, x, y, DisarmOnLeave::No);
            if (ReportButton(index) != ReportButton::CloseShift || !button->underline())
                disarm(); // the pointer is off the armed caption
        });
    }
    connect(m_parts.from, &QDateEdit::dateChanged, this,
            [this](QDate from) { showDays(from, std::max(from, m_parts.to->date())); });
    connect(m_parts.receiptNumber, &QLineEdit::returnPressed, this, [this] { btnClick(ReportButton::Receipt); });
    connect(m_parts.to, &QDateEdit::dateChanged, this,
            [this](QDate to) { showDays(std::min(to, m_parts.from->date()), to); });
    // A click or a key anywhere but on the armed Close shift takes its first click back.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    retranslate(KeyedTexts());
}

ReportWindow::~ReportWindow() = default;

void ReportWindow::open(const KeyedTexts& texts, const QString& unit, const QWidget& board)
{
    if (!isVisible())
        placeBeside(*this, board);
    m_words = ReportWords(texts, unit);
    disarm();
    m_parts.message->clear();
    retranslate(texts);
    const QDate today = m_ledger.now().date();
    showDays(today, today);
    QWidget::show();
    raise();
    activateWindow();
    m_parts.stations->setFocus();
}

void ReportWindow::retranslate(const KeyedTexts& texts)
{
    m_words = ReportWords(texts, m_words.unit());
    setLayoutDirection(m_words.rightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    setWindowTitle(QStringLiteral("Tallivor: ") + texts[KeyedText::Report]);
    const std::pair<ReportButton, KeyedText> captions[] = {
        {ReportButton::Today, KeyedText::Today},           {ReportButton::SinceShift, KeyedText::SinceShift},
        {ReportButton::Print, KeyedText::Print},           {ReportButton::Export, KeyedText::Export},
        {ReportButton::CloseShift, KeyedText::CloseShift}, {ReportButton::Receipt, KeyedText::ReportReceipt}};
    for (const auto& [button, text] : captions)
        btn(button)->setText(texts[text]);
    m_parts.fromCaption->setText(texts[KeyedText::From]);
    m_parts.toCaption->setText(texts[KeyedText::To]);
    m_parts.byHourCaption->setText(texts[KeyedText::ByHour]);
    m_parts.looksCaption->setText(texts[KeyedText::WorthALook]);
    m_parts.receiptNumber->setAccessibleName(texts[KeyedText::ReportReceipt]);
    m_parts.stations->setHorizontalHeaderLabels(m_words.stationHeadings());
    m_parts.products->setHorizontalHeaderLabels(m_words.productHeadings());
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
            m_parts.message->setText(m_words.texts()[KeyedText::NoPrinter].arg(printed.pdfName));
        break;
    }
    case ReportButton::Export: exportCsv(); break;
    case ReportButton::Receipt: emit receiptAsked(m_parts.receiptNumber->text().trimmed().toLower()); break;
    case ReportButton::CloseShift:
        confirmTwice(
            *btn(ReportButton::CloseShift),
            [this] {
                m_parts.message->clear();
                emit shiftCloseRequested();
            },
            [this] { emit shiftCloseAsked(); });
        break;
    }
}

void ReportWindow::showReceiptPrinted(const QString& message)
{
    m_parts.message->setText(message);
}

void ReportWindow::armShiftClose(int unbilled)
{
    m_parts.message->setText(m_words.texts()[KeyedText::CloseShiftAsk].arg(unbilled));
}

void ReportWindow::disarm()
{
    LabelButton* closeShift = btn(ReportButton::CloseShift);
    if (!closeShift->italic())
        return;
    closeShift->setItalic(false);
    m_parts.message->clear();
}

void ReportWindow::showDays(QDate from, QDate to)
{
    const QSignalBlocker blockFrom(m_parts.from), blockTo(m_parts.to);
    m_parts.from->setDate(from);
    m_parts.to->setDate(to);
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
    const PeriodTotals& totals = m_model.totals();
    m_parts.title->setText(m_words.title(m_model));
    const QStringList figures = m_words.figures(totals);
    const std::array labels{m_parts.bills, m_parts.billed, m_parts.time};
    for (std::size_t i = 0; i < labels.size() && qsizetype(i) < figures.size(); ++i)
        labels[i]->setText(figures[qsizetype(i)]);
    m_parts.takings->setText(m_words.takings(totals));
    m_parts.chain->setText(m_words.chain(m_model));
    setTextColour(*m_parts.chain, m_model.findings().empty() ? intactColour : alteredColour);
    const int pending = m_ledger.pendingLines();
    m_parts.pending->setText(m_words.texts()[KeyedText::Pending].arg(pending));
    setTextColour(*m_parts.pending, alteredColour);
    m_parts.pending->setVisible(pending > 0);

    std::vector<QStringList> rows;
    for (const StationTotal& station : totals.stations)
        rows.push_back(ReportWords::stationCells(station));
    fillTable(*m_parts.stations, rows);
    rows.clear();
    for (const ProductTotal& product : totals.products)
        rows.push_back(ReportWords::productCells(product));
    fillTable(*m_parts.products, rows);
    m_parts.products->setVisible(!rows.empty());
    std::array<double, 24> hours{};
    std::array<QString, 24> amounts;
    for (std::size_t hour = 0; hour < hours.size(); ++hour) {
        amounts[hour] = totals.byHour[hour].text();
        hours[hour] = amounts[hour].toDouble(); // a bar's height: a picture, not money
    }
    m_parts.chart->setValues(hours, amounts);
    m_parts.looks->clear();
    for (const Look& look : totals.looks)
        m_parts.looks->addItem(m_words.look(m_model, look));
}

std::unique_ptr<QTextDocument> ReportWindow::document() const
{
    return reportDocument(m_model, m_words, m_parts.chart->values(), m_parts.chart->amounts());
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
        m_parts.message->setText(m_words.texts()[KeyedText::Saved].arg(QFileInfo(path).fileName()));
    return written;
}

void ReportWindow::showShiftClosed(const PeriodTotals& shift)
{
    m_parts.message->setText(
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
        for (LabelButton* button : m_parts.buttons) {
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
    for (LabelButton* button : m_parts.buttons)
        button->setUnderline(false);
    event->accept();
}

} // namespace tallivor
