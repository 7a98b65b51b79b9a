#pragma once

#include "board/StationTable.h"

#include <QWidget>

#include <optional>
#include <vector>

class QKeyEvent;
class QLabel;

namespace tallivor {

class Board;
class LabelButton;
class ListBox;
class Tab;
class TextBox;

// Where the operator puts products on a station's tab, or sells them at the counter: a small tool window beside the
// board that never blocks it. The keyboard stays in its filter box: typing narrows the products shown, Up and Down
// choose among them, Enter puts one of the chosen product on (a number and "*" before the name put that many), Ctrl+Z
// takes the last item put on here off again, Delete takes the item selected in the tab's list off, F6 asks for a
// receipt, F8 for the products list, and Escape closes. It belongs to one station by its identity, whatever the board
// selects meanwhile; at the counter (station 0) each item is paid at once and the window adds up what this customer
// bought.
class SellWindow : public QWidget
{
    Q_OBJECT
public:
    SellWindow(Board& board, QWidget& owner);
    ~SellWindow() override;

    // Shows the window for the station (0: the counter) with the keyboard in the filter box; a window not on the
    // screen yet opens beside the board. Opening it for another station forgets what was put on here before, and
    // opening it anew for the counter begins a new customer there.
    void open(StationId station);
    StationId station() const { return m_station; }

    TextBox* const filter;
    ListBox* const products;
    ListBox* const tab;

signals:
    // F6: the station's receipt is to be printed (station 0: the counter customer's).
    void receiptRequested(tallivor::StationId station);
    // F8, or the caption shown while there are no products: the products list is to be opened.
    void productsRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    class Texts; // the texts a list shows, replaced whole

    // A key of the window's own: true when it was one.
    bool command(const QKeyEvent& event, bool inFilter);
    // Enter: one sale of the chosen product, once the operator typed or moved to one.
    void enter();
    void moveHighlight(int by);
    // Puts quantity of the product on the station's tab, remembering the item to take it back.
    bool put(const QString& product, qint64 quantity);
    void takeBackLast();
    void takeOffSelected();

    // The station's row; -1 for the counter, nothing once the station is removed.
    std::optional<int> row() const;
    const Tab& tabShown() const;
    // The typed text read as a quantity and the name or code it is for.
    struct Typed
    {
        qint64 quantity = 1;
        QString product;
    };
    Typed typed() const;
    // Lists the products the filter lets through; keep: the highlight stays on the product it was on.
    void showProducts(bool keep);
    void showTab();
    void showTitle();
    void showDiskState();
    void relabel();

    Board& m_board;
    QWidget& m_owner;
    Texts* const m_productTexts;
    Texts* const m_tabTexts;
    LabelButton* const m_noProducts;
    QLabel* const m_tabCaption;
    QLabel* const m_total;
    QLabel* const m_notSaved;
    StationId m_station = 0;
    std::vector<QString> m_shown; // the names of the products listed, in their order
    std::vector<quint64> m_put;   // the sale lines of the items put on here, oldest first
    bool m_moved = false;         // the operator moved the highlight since the last typing
    bool m_waiting = false;       // a line of this window's waits for the disk
};

} // namespace tallivor
