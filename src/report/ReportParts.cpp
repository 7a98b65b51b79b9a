#include "report/ReportParts.h"

#include "report/HourChart.h"
#include "ui/HandPointer.h"
#include "ui/Layout.h"

#include <QBoxLayout>
#include <QDateEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>

namespace tallivor {
namespace {

Label* makeLabel(QWidget* parent, const char* name, double points, bool bold = false)
{
    auto* label = new Label(parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(designFont(tahoma(points, bold)));
    setTextColour(*label, 0xFFFFFF);
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

QTableWidget* makeTable(QWidget* parent, const char* name, int columns)
{
    auto* table = new QTableWidget(0, columns, parent);
    table->setObjectName(QLatin1String(name));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->setWordWrap(false);
    // Every column as wide as its texts and the table as wide as its columns, the chart taking the rest: a name is
    // never cut short to make room for a long heading of another language.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(false);
    table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    return table;
}

} // namespace

void setTextColour(QWidget& widget, QRgb colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, QColor(colour));
    widget.setPalette(palette);
}

void fillTable(QTableWidget& table, const std::vector<QStringList>& rows)
{
    table.setRowCount(int(rows.size()));
    for (int row = 0; row < table.rowCount(); ++row) {
        const QStringList& cells = rows[std::size_t(row)];
        for (int column = 0; column < int(cells.size()); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(Qt::AlignVCenter | (column == 0 ? Qt::AlignLeft : Qt::AlignRight));
            table.setItem(row, column, item);
        }
    }
}

ReportParts::ReportParts(QWidget& window)
    : title(makeLabel(&window, "title", 11, true)), fromCaption(makeLabel(&window, "fromCaption", 9)),
      toCaption(makeLabel(&window, "toCaption", 9)), from(makeDateEdit(&window, "from")),
      to(makeDateEdit(&window, "to")), bills(makeLabel(&window, "bills", 11, true)),
      billed(makeLabel(&window, "billed", 11, true)), time(makeLabel(&window, "time", 11, true)),
      takings(makeLabel(&window, "takings", 9)), chain(makeLabel(&window, "chain", 9)),
      pending(makeLabel(&window, "pending", 9)), stations(makeTable(&window, "stations", 6)),
      products(makeTable(&window, "products", 5)), byHourCaption(makeLabel(&window, "byHourCaption", 9, true)),
      chart(new HourChart(&window)), looksCaption(makeLabel(&window, "looksCaption", 9, true)),
      looks(new QListWidget(&window)), message(makeLabel(&window, "message", 9)), receiptNumber(new QLineEdit(&window))
{
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(form1Background));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    window.resize(760, 680);
    title->setAutoFillBackground(true);
    QPalette titlePalette = title->palette();
    titlePalette.setColor(QPalette::Window, Qt::black);
    title->setPalette(titlePalette);
    title->setContentsMargins(10, 6, 10, 6);
    chart->setObjectName(QStringLiteral("chart"));
    looks->setObjectName(QStringLiteral("looks"));
    receiptNumber->setObjectName(QStringLiteral("receiptNumber"));
    receiptNumber->setMaxLength(16); // a receipt's number is a ledger line's check
    receiptNumber->setFixedWidth(receiptNumber->fontMetrics().horizontalAdvance(QStringLiteral("0123456789abcdef__")));
    for (Label* label : {chain, pending, message})
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        LabelButton* button = buttons[i] = new LabelButton(int(i), &window);
        button->setFont(designFont(tahoma(9, true)));
        button->setWordWrap(false);
        setTextColour(*button, 0xFFFFFF);
        button->setCursor(handPointer());
    }

    auto* periodRow = new QHBoxLayout;
    periodRow->setSpacing(14);
    periodRow->addWidget(buttons[std::size_t(ReportButton::Today)]);
    periodRow->addWidget(buttons[std::size_t(ReportButton::SinceShift)]);
    periodRow->addSpacing(16);
    for (QWidget* part : std::initializer_list<QWidget*>{fromCaption, from, toCaption, to})
        periodRow->addWidget(part);
    periodRow->addStretch();
    auto* figures = new QHBoxLayout;
    for (Label* figure : {bills, billed, time})
        figures->addWidget(figure, 1);
    auto* tables = new QVBoxLayout;
    tables->addWidget(stations, 2);
    tables->addWidget(products, 1);
    auto* chartColumn = new QVBoxLayout;
    chartColumn->addWidget(byHourCaption);
    chartColumn->addWidget(chart, 1);
    auto* middle = new QHBoxLayout;
    middle->addLayout(tables);
    middle->addLayout(chartColumn, 1);
    auto* actions = new QHBoxLayout;
    actions->setSpacing(18);
    for (ReportButton action : {ReportButton::Print, ReportButton::Export, ReportButton::CloseShift})
        actions->addWidget(buttons[std::size_t(action)]);
    actions->addSpacing(16);
    actions->addWidget(message, 1);
    actions->addWidget(receiptNumber);
    actions->addWidget(buttons[std::size_t(ReportButton::Receipt)]);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(10, 6, 10, 10);
    body->addLayout(periodRow);
    body->addLayout(figures);
    body->addWidget(takings);
    body->addWidget(chain);
    body->addWidget(pending);
    body->addLayout(middle, 3);
    body->addWidget(looksCaption);
    body->addWidget(looks, 2);
    body->addLayout(actions);
    auto* outer = new QVBoxLayout(&window);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(title);
    outer->addLayout(body, 1);
}

} // namespace tallivor
