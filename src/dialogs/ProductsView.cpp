// The products window's parts and what they show: made and laid out once, re-labelled with the language, drawn
// anew from the till's list after each change.
#include "dialogs/ProductsWindow.h"

#include "board/Board.h"
#include "dialogs/DialogWindow.h"
#include "ui/HandPointer.h"
#include "ui/Hover.h"
#include "ui/Layout.h"
#include "ui/TextBox.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QListWidget>
#include <QTableWidget>

namespace tallivor {
namespace {

constexpr QRgb lowStock = 0xFFD8A0; // a stock down to its reorder count

QString countText(const std::optional<int>& count)
{
    return count ? QString::number(*count) : QString();
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

std::array<QString, 5> ProductsWindow::textsOf(const ProductList& list, qsizetype index)
{
    const Product& product = list.products()[std::size_t(index)];
    return {product.name, list.field(index, u"price"), countText(product.stock), product.code,
            countText(product.reorder)};
}

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

} // namespace tallivor
