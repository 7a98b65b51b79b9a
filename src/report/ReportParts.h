#pragma once

#include "ui/LabelButton.h"

#include <array>

class QDateEdit;
class QLineEdit;
class QListWidget;
class QTableWidget;
class QWidget;

namespace tallivor {

class HourChart;

// The report window's label-buttons.
enum class ReportButton
{
    Today,
    SinceShift,
    Print,
    Export,
    CloseShift,
    Receipt, // prints an earlier bill's receipt again, by the number in the box beside it
};

// The report window's parts, made and laid out once in the window they are given: the title, the period row, the
// figures, the chain's state, the tables per station and per product beside the chart, the lines worth a look, the
// actions and the message. Each part is named for the tests and the screen readers.
struct ReportParts
{
    explicit ReportParts(QWidget& window);

    std::array<LabelButton*, 6> buttons{};
    Label* title;
    Label* fromCaption;
    Label* toCaption;
    QDateEdit* from;
    QDateEdit* to;
    Label* bills;
    Label* billed;
    Label* time;
    Label* takings;
    Label* chain;
    Label* pending;
    QTableWidget* stations;
    QTableWidget* products;
    Label* byHourCaption;
    HourChart* chart;
    Label* looksCaption;
    QListWidget* looks;
    Label* message;
    QLineEdit* receiptNumber;
};

// Fills a table with rows of texts, the first column left, the others right.
void fillTable(QTableWidget& table, const std::vector<QStringList>& rows);
// Colours a label's text.
void setTextColour(QWidget& widget, QRgb colour);

} // namespace tallivor
