#include "dialogs/ProductsWindow.h"

#include "board/Board.h"
#include "dialogs/DialogWindow.h"
#include "ui/HandPointer.h"
#include "ui/Hover.h"
#include "ui/Layout.h"
#include "ui/TextBox.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QListWidget>
#include <QMouseEvent>
#include <QTableWidget>

namespace tallivor {
namespace {

constexpr QRgb lowStock = 0xFFD8A0; // a stock down to its reorder count

// The five texts of a product, as its boxes show them: the price as the file writes it ("2.50" stays "2.50").
enum class Field
{
    Name,
    Price,
    Stock,
    Code,
    Reorder,
};

QString countText(const std::optional<int>& count)
{
    return count ? QString::number(*count) : QString();
}

std::array<QString, 5> textsOf(const ProductList& list, qsizetype index)
{
    const Product& product = list.products()[std::size_t(index)];
    return {product.name, list.field(index, u"price"), countText(product.stock), product.code,
            countText(product.reorder)};
}

// One field's change, on the till (with its product line) or on a copy of its list (a trial, with none): the two
// take the same operations with the same checks.
template <typename Target>
ProductFault change(Target& target, qsizetype index, Field field, const QString& text)
{
    switch (field) {
    case Field::Name: return target.rename(index, text);
    case Field::Price: return target.reprice(index, text);
    case Field::Stock: return target.setCount(index, text);
    case Field::Code: return target.setCode(index, text);
    case Field::Reorder: return target.setReorder(index, text);
    }
    return ProductFault::None;
}

TextBox* makeBox(QWidget* window, const char* name, int maxTyped)
{
    auto* box = new TextBox(window);
    box->setObjectName(QLatin1String(name));
    box->setFont(designFont(tahoma(8.25)));
    box->setMaxTyped(maxTyped);
    // Any change of a refused box's text, typed or filled in by the window, makes it white again.
    QObject::connect(box, &QLineEdit::textChanged, box, [box] { box->setRefused(false); });
    return box;
}

Label* makeLabel(QWidget* window, const char* name, double points)
{
    auto* label = new Label(window);
    label->setObjectName(QLatin1String(name));
    label->setFont(designFont(tahoma(points)));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    return label;
}

} // namespace

ProductsWindow::ProductsWindow(Board& board, QWidget& owner)
    : QWidget(&owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      table(new QTableWidget(0, 5, this)), nameBox(makeBox(this, "nameBox", 0)),
      priceBox(makeBox(this, "priceBox", 10)), stockBox(makeBox(this, "stockBox", 6)),
      codeBox(makeBox(this, "codeBox", 0)), reorderBox(makeBox(this, "reorderBox", 6)),
      deliveredBox(makeBox(this, "deliveredBox", 5)), message(makeLabel(this, "message", 8.25)),
      kept(new QListWidget(this)), m_board(board)
{
    setObjectName(QStringLiteral("products"));
    build();
    connect(table, &QTableWidget::itemSelectionChanged, this, &ProductsWindow::fillBoxes);
    // A sale or a sale taken back moves a count while the window is open.
    connect(&m_board, &Board::tabChanged, this, &ProductsWindow::redrawList);
    connect(&m_board, &Board::languageApplied, this, [this] {
        relabel();
        redrawList();
    });
    for (LabelButton* button : m_buttons) {
        connect(button, &LabelButton::clicked, this, [this](int index) { btnClick(ProductsButton(index)); });
        connect(button, &LabelButton::pointerMoved, this, [this, button](int index, float x, float y) {
            hoverLabelButton(*button, x, y, DisarmOnLeave::No);
            if (ProductsButton(index) != ProductsButton::Remove || !button->underline())
                disarm(); // the pointer is off the armed caption
        });
    }
    // A click or a key anywhere but on the armed Remove takes its first click back; the keys of the window's
    // commands are seen before the table or a box takes them.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    relabel();
}

void ProductsWindow::build()
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(dialogBackground));
    setPalette(palette);
    setAutoFillBackground(true);
    resize(640, 520);

    Label* title = makeLabel(this, "frmcaption", 8.25);
    title->setAutoFillBackground(true);
    QPalette titlePalette = title->palette();
    titlePalette.setColor(QPalette::Window, Qt::black);
    title->setPalette(titlePalette);
    title->setContentsMargins(10, 8, 10, 8);

    table->setObjectName(QStringLiteral("productTable"));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setTabKeyNavigation(false);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    kept->setObjectName(QStringLiteral("kept"));
    kept->setFocusPolicy(Qt::NoFocus);
    kept->setWordWrap(true); // a long reason in its width, not behind a scroll bar
    kept->setResizeMode(QListView::Adjust);
    kept->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    priceBox->setPriceOnly();
    deliveredBox->setDigitsOnly();
    message->setTextInteractionFlags(Qt::TextSelectableByMouse);

    const char* const captionNames[] = {"nameCaption", "priceCaption", "stockCaption", "codeCaption", "reorderCaption"};
    const std::array<TextBox*, 5> boxes{nameBox, priceBox, stockBox, codeBox, reorderBox};
    auto* editor = new QGridLayout;
    editor->setColumnStretch(0, 3);
    for (int i = 0; i < 5; ++i) {
        m_captions[std::size_t(i)] = makeLabel(this, captionNames[i], 9);
        editor->addWidget(m_captions[std::size_t(i)], 0, i);
        editor->addWidget(boxes[std::size_t(i)], 1, i);
        editor->setColumnStretch(i, i == 0 ? 3 : 1);
    }
    auto* commands = new QHBoxLayout;
    commands->setSpacing(16);
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        LabelButton* button = m_buttons[i] = new LabelButton(int(i), this);
        button->setObjectName(QStringLiteral("btn"));
        button->setProperty("index", int(i));
        button->setFont(designFont(tahoma(9.75)));
        button->setWordWrap(false);
        QPalette white = button->palette();
        white.setColor(QPalette::WindowText, Qt::white);
        button->setPalette(white);
        button->setCursor(handPointer());
        if (ProductsButton(i) == ProductsButton::Delivered)
            commands->addStretch();
        commands->addWidget(button);
    }
    deliveredBox->setFixedWidth(60);
    commands->addWidget(deliveredBox);
    btn(ProductsButton::Save)->addKeyName(QKeySequence(Qt::Key_Return).toString(QKeySequence::NativeText));
    btn(ProductsButton::Remove)->addKeyName(QKeySequence(Qt::Key_Delete).toString(QKeySequence::NativeText));
    btn(ProductsButton::Up)->addKeyName(QKeySequence(Qt::CTRL | Qt::Key_Up).toString(QKeySequence::NativeText));
    btn(ProductsButton::Down)->addKeyName(QKeySequence(Qt::CTRL | Qt::Key_Down).toString(QKeySequence::NativeText));
    setTabOrder(table, nameBox);
    for (std::size_t i = 1; i < boxes.size(); ++i)
        setTabOrder(boxes[i - 1], boxes[i]);
    setTabOrder(reorderBox, deliveredBox);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(10, 8, 10, 10);
    body->addWidget(table, 3);
    body->addWidget(message);
    body->addLayout(editor);
    body->addLayout(commands);
    body->addWidget(kept, 1);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(title);
    outer->addLayout(body, 1);
}

void ProductsWindow::open()
{
    const bool first = !isVisible();
    if (first) {
        placeBeside(*this, *parentWidget());
        show();
    }
    raise();
    activateWindow();
    message->clear();
    const bool empty = m_board.till().products().products().empty();
    refresh(first ? (empty ? -1 : 0) : selected());
    (empty ? static_cast<QWidget*>(nameBox) : table)->setFocus(Qt::OtherFocusReason);
}

const KeyedTexts& ProductsWindow::texts() const
{
    return m_board.language().texts();
}

void ProductsWindow::relabel()
{
    const KeyedTexts& texts = this->texts();
    setLayoutDirection(texts[KeyedText::ProductsTitle].isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    setWindowTitle(texts[KeyedText::ProductsTitle]);
    findChild<Label*>(QStringLiteral("frmcaption"))->setText(texts[KeyedText::ProductsTitle]);
    const KeyedText headings[] = {KeyedText::ProductsName, KeyedText::ProductsPrice, KeyedText::ProductsStock,
                                  KeyedText::ProductsCode, KeyedText::ProductsReorder};
    const std::array<TextBox*, 5> boxes{nameBox, priceBox, stockBox, codeBox, reorderBox};
    QStringList labels;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        labels << texts[headings[i]];
        m_captions[i]->setText(texts[headings[i]]);
        boxes[i]->setAccessibleName(texts[headings[i]]);
    }
    table->setHorizontalHeaderLabels(labels);
    table->setAccessibleName(texts[KeyedText::ProductsTitle]);
    deliveredBox->setAccessibleName(texts[KeyedText::ProductsDelivered]);
    const std::pair<ProductsButton, QString> captions[] = {
        {ProductsButton::Add, texts[KeyedText::ProductsAdd]},
        {ProductsButton::Save, buttonCaption(m_board.language().entries(), DialogButton::Save)},
        {ProductsButton::Remove, texts[KeyedText::ProductsRemove]},
        {ProductsButton::Up, texts[KeyedText::ProductsUp]},
        {ProductsButton::Down, texts[KeyedText::ProductsDown]},
        {ProductsButton::Delivered, texts[KeyedText::ProductsDelivered]}};
    for (const auto& [button, caption] : captions)
        btn(button)->setText(caption);
}

qsizetype ProductsWindow::selected() const
{
    const QModelIndexList rows = table->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return -1;
    const qsizetype row = rows.first().row();
    return row < qsizetype(m_board.till().products().products().size()) ? row : -1;
}

void ProductsWindow::refresh(qsizetype place)
{
    {
        const QSignalBlocker quiet(table->selectionModel()); // the boxes are filled once, below
        table->clearSelection();
        redrawList();
        if (place >= 0 && place < table->rowCount())
            table->selectRow(int(place));
    }
    fillBoxes();
}

void ProductsWindow::redrawList()
{
    const ProductList& list = m_board.till().products();
    const KeyedTexts& texts = this->texts();
    table->setRowCount(int(list.products().size()));
    for (int row = 0; row < table->rowCount(); ++row) {
        const std::array<QString, 5> cells = textsOf(list, row);
        for (int column = 0; column < 5; ++column) {
            auto* item = new QTableWidgetItem(cells[std::size_t(column)]);
            const bool number = Field(column) != Field::Name && Field(column) != Field::Code;
            item->setTextAlignment(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
            if (Field(column) == Field::Stock && list.products()[std::size_t(row)].low())
                item->setBackground(QColor(lowStock));
            table->setItem(row, column, item);
        }
    }
    kept->clear();
    for (const KeptLine& line : list.kept())
        kept->addItem(texts[KeyedText::ProductsKept].arg(line.record.line).arg(reason(line.reason)));
    kept->setVisible(kept->count() > 0);
    // A file that is no products list is never written over: nothing here may change it.
    const bool changeable = list.isProductsList();
    for (QWidget* part : findChildren<TextBox*>())
        part->setEnabled(changeable);
    for (LabelButton* button : m_buttons)
        button->setEnabled(changeable);
    if (!changeable)
        message->setText(texts[KeyedText::ProductsNotAList]);
}

void ProductsWindow::fillBoxes()
{
    const qsizetype index = selected();
    const std::array<TextBox*, 5> boxes{nameBox, priceBox, stockBox, codeBox, reorderBox};
    const std::array<QString, 5> shown =
        index < 0 ? std::array<QString, 5>{} : textsOf(m_board.till().products(), index);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        boxes[i]->setText(shown[i]);
        boxes[i]->setRefused(false);
    }
    deliveredBox->clear();
}

void ProductsWindow::btnClick(ProductsButton button)
{
    if (button != ProductsButton::Remove)
        disarm();
    switch (button) {
    case ProductsButton::Add: add(); break;
    case ProductsButton::Save: save(); break;
    case ProductsButton::Remove:
        if (selected() >= 0)
            confirmTwice(*btn(ProductsButton::Remove), [this] { remove(); });
        break;
    case ProductsButton::Up: move(-1); break;
    case ProductsButton::Down: move(1); break;
    case ProductsButton::Delivered: deliver(); break;
    }
}

bool ProductsWindow::accepted(ProductFault fault, TextBox* box)
{
    if (fault == ProductFault::None) {
        message->clear();
        return true;
    }
    if (box)
        box->setRefused(true);
    message->setText(texts()[KeyedText::ProductsRefused].arg(reason(fault)));
    return false;
}

void ProductsWindow::add()
{
    const ProductFault fault =
        m_board.till().add({nameBox->text(), priceBox->text(), stockBox->text(), codeBox->text(), reorderBox->text()});
    TextBox* box = nullptr;
    switch (fault) {
    case ProductFault::Name:
    case ProductFault::Duplicate: box = nameBox; break;
    case ProductFault::Price: box = priceBox; break;
    case ProductFault::Stock: box = stockBox; break;
    case ProductFault::Code:
    case ProductFault::CodeTaken: box = codeBox; break;
    case ProductFault::Reorder: box = reorderBox; break;
    default: break;
    }
    if (accepted(fault, box))
        refresh(qsizetype(m_board.till().products().products().size()) - 1);
}

void ProductsWindow::save()
{
    const qsizetype index = selected();
    if (index < 0) {
        add();
        return;
    }
    // What differs between the boxes and the product, in the order the till applies it.
    const std::array<TextBox*, 5> boxes{nameBox, priceBox, stockBox, codeBox, reorderBox};
    const std::array<QString, 5> before = textsOf(m_board.till().products(), index);
    std::vector<Field> changed;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (boxes[i]->text() != before[i])
            changed.push_back(Field(i));
    }
    // Each change is an operation of its own; tried first on a copy of the list, a Save refused by its third box
    // has not applied the first two.
    ProductList trial = m_board.till().products();
    for (Field field : changed) {
        TextBox* box = boxes[std::size_t(field)];
        if (!accepted(change(trial, index, field, box->text()), box))
            return;
    }
    for (Field field : changed)
        change(m_board.till(), index, field, boxes[std::size_t(field)]->text());
    message->clear();
    refresh(index);
}

void ProductsWindow::move(int by)
{
    const qsizetype from = selected(), to = from + by;
    if (from < 0 || to < 0 || to >= qsizetype(m_board.till().products().products().size()))
        return; // the first product goes no higher, the last no lower
    if (accepted(m_board.till().move(from, to), nullptr))
        refresh(to);
}

void ProductsWindow::remove()
{
    const qsizetype index = selected();
    if (!accepted(m_board.till().remove(index), nullptr))
        return;
    const qsizetype left = qsizetype(m_board.till().products().products().size());
    refresh(std::min(index, left - 1)); // the product that took its place, or the new last one
}

void ProductsWindow::deliver()
{
    const qsizetype index = selected();
    // Five digits at most: an empty box is no delivery, and the till says so.
    if (accepted(m_board.till().deliver(index, deliveredBox->text().toInt()), index < 0 ? nullptr : deliveredBox))
        refresh(index);
}

void ProductsWindow::disarm()
{
    btn(ProductsButton::Remove)->setItalic(false);
}

QString ProductsWindow::reason(ProductFault fault) const
{
    const KeyedTexts& texts = this->texts();
    switch (fault) {
    case ProductFault::None: return {};
    case ProductFault::Malformed: return texts[KeyedText::ProductsMalformed];
    case ProductFault::Name: return texts[KeyedText::ProductsBadName];
    case ProductFault::Duplicate: return texts[KeyedText::ProductsDuplicate];
    case ProductFault::Price: return texts[KeyedText::ProductsBadPrice];
    case ProductFault::Stock:
    case ProductFault::Reorder: return texts[KeyedText::ProductsBadCount];
    case ProductFault::Code: return texts[KeyedText::ProductsBadCode];
    case ProductFault::CodeTaken: return texts[KeyedText::ProductsCodeTaken];
    case ProductFault::NoProduct: return texts[KeyedText::ProductsNoProduct];
    case ProductFault::NotCounted: return texts[KeyedText::ProductsNotCounted];
    case ProductFault::Quantity: return texts[KeyedText::ProductsBadQuantity];
    case ProductFault::Range: return texts[KeyedText::ProductsOutOfRange];
    case ProductFault::Foreign: return texts[KeyedText::ProductsNotAList];
    }
    return {};
}

bool ProductsWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (modifiers == Qt::ControlModifier && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            btnClick(key->key() == Qt::Key_Up ? ProductsButton::Up : ProductsButton::Down);
            return true;
        }
        // In a box Delete deletes a character; in the table it is the Remove caption's click.
        if (watched == table && modifiers == Qt::NoModifier && key->key() == Qt::Key_Delete) {
            btnClick(ProductsButton::Remove);
            return true;
        }
        disarm();
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (watched != btn(ProductsButton::Remove))
            disarm();
        // A click below the last product leaves none selected: the boxes are then for a new one.
        if (watched == table->viewport() && !table->indexAt(static_cast<QMouseEvent*>(event)->pos()).isValid()) {
            table->clearSelection();
            return true;
        }
        break;
    case QEvent::Leave:
        if (auto* button = qobject_cast<LabelButton*>(watched)) {
            button->setUnderline(false);
            if (button == btn(ProductsButton::Remove))
                disarm();
        }
        break;
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

void ProductsWindow::keyPressEvent(QKeyEvent* event)
{
    // The table and the boxes pass Enter and Escape on.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        btnClick(focusWidget() == deliveredBox ? ProductsButton::Delivered : ProductsButton::Save);
        return;
    }
    if (modifiers == Qt::NoModifier && event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ProductsWindow::mousePressEvent(QMouseEvent* event)
{
    disarm();
    event->accept();
}

void ProductsWindow::changeEvent(QEvent* event)
{
    // A click in another window, the board's among them, takes the first click on Remove back too.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        disarm();
    QWidget::changeEvent(event);
}

void ProductsWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_discarded = true;
    deleteLater();
    if (QWidget* owner = parentWidget())
        owner->activateWindow(); // the keyboard goes back to the board
}

} // namespace tallivor
