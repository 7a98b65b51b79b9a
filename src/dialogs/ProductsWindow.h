#pragma once

#include "lang/KeyedTexts.h"
#include "till/Products.h"
#include "ui/LabelButton.h"

#include <QWidget>

#include <array>

class QListWidget;
class QTableWidget;

namespace tallivor {

class Board;
class TextBox;

// The products window's label-buttons.
enum class ProductsButton
{
    Add,
    Save,
    Remove,
    Up,
    Down,
    Delivered,
};

// The products the room sells, as a tool window beside the board that never blocks it: the list in its order (name,
// price, stock, code, reorder count), boxes for the selected product, and the commands that change the list, each
// one operation of the till with its product line. A refused change changes nothing; the box that caused it turns
// light yellow and the line under the table says why. Below, the lines of the file that are no product, with the
// reason; a file that is no products list is shown as such and nothing can be changed.
// Keys: Enter saves (adds while no product is selected; in the delivery box it delivers), Escape closes, Delete twice
// in the table removes, Ctrl+Up and Ctrl+Down move the selected product.
class ProductsWindow : public QWidget
{
    Q_OBJECT
public:
    ProductsWindow(Board& board, QWidget& owner);

    // Shows the window with the list as it stands, beside the board when it is not on the screen yet.
    void open();
    // True once the window has been closed: it is on its way out.
    bool isDiscarded() const { return m_discarded; }
    // A click on a label-button. Remove acts on its second click.
    void btnClick(ProductsButton button);
    // The selected product's place in the list; -1 for none (the boxes then make a new product).
    qsizetype selected() const;

    LabelButton* btn(ProductsButton button) const { return m_buttons[std::size_t(button)]; }

    QTableWidget* const table;
    TextBox* const nameBox;
    TextBox* const priceBox;
    TextBox* const stockBox;
    TextBox* const codeBox;
    TextBox* const reorderBox;
    TextBox* const deliveredBox;
    Label* const message;
    QListWidget* const kept;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // The five texts of a product, in the order of its boxes.
    enum class Field
    {
        Name,
        Price,
        Stock,
        Code,
        Reorder,
    };
    // A product's texts as its boxes show them: the price as the file writes it ("2.50" stays "2.50").
    static std::array<QString, 5> textsOf(const ProductList& list, qsizetype index);
    template <typename Target>
    static ProductFault change(Target& target, qsizetype index, Field field, const QString& text);

    // The window's parts, made and laid out once.
    void build();
    void relabel();
    // Draws the list and the lines kept anew, keeping the selected product at place (-1: none), and fills the boxes
    // from it.
    void refresh(qsizetype place);
    // Draws the list and the lines kept anew, leaving the boxes as they are.
    void redrawList();
    void fillBoxes();
    void add();
    void save();
    void move(int by);
    void remove();
    void deliver();
    // Shows a refusal, marking box; true when fault is none.
    bool accepted(ProductFault fault, TextBox* box);
    // Takes back the first click on Remove.
    void disarm();
    QString reason(ProductFault fault) const;
    const KeyedTexts& texts() const;

    Board& m_board;
    std::array<LabelButton*, 6> m_buttons{};
    std::array<Label*, 5> m_captions{}; // over the five boxes of a product
    bool m_discarded = false;
};

} // namespace tallivor
