#pragma once

#include "lang/KeyedTexts.h"
#include "till/Bill.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace tallivor {

// What the customer of the last bill pays, kept in sight beside the board: the time used and its charge, each item,
// the total. It shows the next bill in its place, and never takes the keyboard from the board: a tool window shown
// without being activated. Its Print receipt button asks for the bill's receipt.
class BillWindow : public QWidget
{
    Q_OBJECT
public:
    explicit BillWindow(QWidget& board);

    // Shows the bill in the words of the language in force and the currency unit; a window not on the screen yet
    // opens beside the board.
    void showBill(const Bill& bill, const KeyedTexts& texts, const QString& unit);
    void relabel(const KeyedTexts& texts);
    // Says where the receipt went.
    void showPrinted(const QString& message);

signals:
    void printRequested();

private:
    void render();

    QWidget& m_board;
    Bill m_bill;
    KeyedTexts m_texts;
    QString m_unit;
    QLabel* const m_lines;
    QLabel* const m_printed;
    QPushButton* const m_print;
};

} // namespace tallivor
