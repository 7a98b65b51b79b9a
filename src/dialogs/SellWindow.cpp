#include "dialogs/SellWindow.h"

#include "board/Board.h"
#include "ui/LabelButton.h"
#include "ui/Layout.h"
#include "ui/ListBox.h"
#include "ui/TextBox.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpression>

#include <algorithm>

namespace tallivor {

// A list's texts, replaced whole at each change: a tab or a products list holds a few dozen rows, and a view of them
// rebuilt is simpler than one kept in step.
class SellWindow::Texts : public TextColumn
{
public:
    using TextColumn::TextColumn;

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_texts.size()); }
    QString text(int row) const override { return row >= 0 && row < m_texts.size() ? m_texts.at(row) : QString(); }
    void setTexts(QStringList texts)
    {
        beginResetModel();
        m_texts = std::move(texts);
        endResetModel();
    }

private:
    QStringList m_texts;
};

namespace {

const Tab noTab;

// "3*cola": how many, then the name. Anything else before a "*" is no quantity, and so belongs to the name the
// operator looks for, which no product is likely to match: a mistyped count sells nothing rather than one.
const QRegularExpression quantityFirst(QStringLiteral("^\\s*([1-9][0-9]{0,2})\\s*\\*\\s*(.*)$"));

QLabel* label(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    return label;
}

ListBox* listBox(QWidget* parent, const char* name)
{
    auto* list = new ListBox(parent);
    list->setObjectName(QLatin1String(name));
    return list;
}

} // namespace

SellWindow::SellWindow(Board& board, QWidget& owner)
    : QWidget(&owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      filter(new TextBox(this)), products(listBox(this, "products")), tab(listBox(this, "tab")), m_board(board),
      m_owner(owner), m_productTexts(new Texts(this)), m_tabTexts(new Texts(this)),
      m_noProducts(new LabelButton(0, this)), m_tabCaption(label(this, "tabCaption")), m_total(label(this, "total")),
      m_notSaved(label(this, "notSaved"))
{
    setObjectName(QStringLiteral("sell"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(dialogBackground));
    setPalette(palette);
    setFont(designFont(tahoma(9.75)));
    resize(360, 440);

    filter->setObjectName(QStringLiteral("filter"));
    m_noProducts->setObjectName(QStringLiteral("noProducts"));
    m_noProducts->setWordWrap(true);
    m_noProducts->addKeyName(QStringLiteral("F8"));
    connect(m_noProducts, &LabelButton::clicked, this, &SellWindow::productsRequested);
    products->setColumn(*m_productTexts);
    tab->setColumn(*m_tabTexts);
    // The keyboard stays in the filter box: a click chooses a product, it does not take typing away.
    products->setFocusPolicy(Qt::NoFocus);
    m_notSaved->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(filter);
    layout->addWidget(m_noProducts);
    layout->addWidget(products, 3);
    layout->addWidget(m_tabCaption);
    layout->addWidget(tab, 2);
    layout->addWidget(m_total);
    layout->addWidget(m_notSaved);
    setTabOrder(filter, tab);

    m_productTexts->setRowText([this](int row) {
        if (row < 0 || row >= int(m_shown.size()))
            return QString();
        const ProductList& list = m_board.till().products();
        const qsizetype index = list.indexOf(m_shown[std::size_t(row)]);
        if (index < 0)
            return QString();
        const Product& product = list.products()[std::size_t(index)];
        QStringList said{product.name, product.price.chargeText()};
        if (product.stock)
            said << m_board.language().texts()[KeyedText::SellStock].arg(*product.stock);
        return said.join(QStringLiteral(", "));
    });
    filter->installEventFilter(this);
    tab->installEventFilter(this);
    connect(filter, &QLineEdit::textEdited, this, [this] {
        m_moved = false; // a new search starts at its first product
        showProducts(false);
    });
    connect(products, &QAbstractItemView::clicked, this, [this] { m_moved = true; });
    connect(products, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.row() >= 0 && index.row() < int(m_shown.size()))
            put(m_shown[std::size_t(index.row())], 1);
    });

    connect(&board, &Board::tabChanged, this, [this] {
        showProducts(true); // a sale anywhere moves a count
        showTab();
    });
    connect(&board, &Board::billed, this, &SellWindow::showTab);
    connect(&board, &Board::languageApplied, this, &SellWindow::relabel);
    connect(&board, &Board::diskStateChanged, this, [this] {
        if (m_board.diskState().waitingLines == 0)
            m_waiting = false;
        showDiskState();
    });
    StationColumn& names = board.column(Column::Name);
    connect(&names, &QAbstractItemModel::dataChanged, this, &SellWindow::showTitle); // a rename
    connect(&names, &QAbstractItemModel::rowsRemoved, this, [this] {
        if (!row() && isVisible())
            close(); // its station is gone: nothing can go on its tab any more
    });
    relabel();
}

SellWindow::~SellWindow() = default;

void SellWindow::open(StationId station)
{
    if (station != m_station || !isVisible()) {
        m_put.clear();
        if (station == 0)
            m_board.till().newCustomer(); // the counter's last customer has paid and gone
    }
    m_station = station;
    m_moved = false;
    filter->clear();
    relabel();
    if (!isVisible()) {
        placeBeside(*this, m_owner);
        show();
    }
    raise();
    activateWindow();
    filter->setFocus(Qt::OtherFocusReason);
}

std::optional<int> SellWindow::row() const
{
    if (m_station == 0)
        return -1;
    const int row = m_board.table().rowOf(m_station);
    return row < 0 ? std::nullopt : std::optional(row);
}

const Tab& SellWindow::tabShown() const
{
    const std::optional<int> at = row();
    if (!at)
        return noTab;
    return *at < 0 ? m_board.till().counter() : m_board.table()[*at].record.tab;
}

SellWindow::Typed SellWindow::typed() const
{
    const QRegularExpressionMatch match = quantityFirst.match(filter->text());
    if (match.hasMatch())
        return {match.captured(1).toLongLong(), match.captured(2).trimmed()};
    return {1, filter->text().trimmed()};
}

void SellWindow::showProducts(bool keep)
{
    const int highlighted = products->listIndex();
    const QString kept =
        keep && highlighted >= 0 && highlighted < int(m_shown.size()) ? m_shown[std::size_t(highlighted)] : QString();
    const QString wanted = typed().product;
    const KeyedTexts& texts = m_board.language().texts();
    m_shown.clear();
    QStringList rows;
    for (const Product& product : m_board.till().products().products()) {
        if (!product.name.contains(wanted, Qt::CaseInsensitive) && (product.code.isEmpty() || product.code != wanted))
            continue;
        m_shown.push_back(product.name);
        QString line = product.name + QStringLiteral("   ") + product.price.chargeText();
        if (product.stock)
            line += QStringLiteral("   ") + texts[KeyedText::SellStock].arg(*product.stock);
        rows << line;
    }
    m_productTexts->setTexts(rows);
    m_noProducts->setVisible(m_board.till().products().products().empty());
    const auto found = std::find(m_shown.begin(), m_shown.end(), kept);
    products->setListIndex(found != m_shown.end() ? int(found - m_shown.begin()) : m_shown.empty() ? -1 : 0);
}

void SellWindow::showTab()
{
    const Tab& shown = tabShown();
    QStringList rows;
    for (const TabItem& item : shown.items())
        rows << QStringLiteral("%1 \u00d7 %2   %3").arg(item.quantity).arg(item.product, item.amount.chargeText());
    m_tabTexts->setTexts(rows);
    m_total->setText(m_board.language().texts()[KeyedText::SellTotal].arg(shown.total().chargeText()));
}

void SellWindow::showTitle()
{
    const std::optional<int> at = row();
    if (!at)
        return; // a station removed keeps the name it had
    const KeyedTexts& texts = m_board.language().texts();
    const QString name = *at < 0 ? texts[KeyedText::SellCounter] : m_board.text(Column::Name, *at);
    setWindowTitle(texts[KeyedText::SellTitle].arg(name));
    setAccessibleName(windowTitle());
}

void SellWindow::showDiskState()
{
    m_notSaved->setVisible(m_waiting);
}

void SellWindow::relabel()
{
    const KeyedTexts& texts = m_board.language().texts();
    setLayoutDirection(texts[KeyedText::Report].isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    setAccessibleDescription(texts[KeyedText::SellKeys]);
    filter->setPlaceholderText(texts[KeyedText::SellFind]);
    filter->setAccessibleName(texts[KeyedText::SellFind]);
    products->setAccessibleName(texts[KeyedText::ProductsTitle]);
    m_noProducts->setText(texts[KeyedText::SellNoProducts]);
    m_notSaved->setText(texts[KeyedText::SellNotSaved]);
    m_tabCaption->setText(texts[m_station == 0 ? KeyedText::SellThisCustomer : KeyedText::SellOnTab]);
    tab->setAccessibleName(m_tabCaption->text());
    showTitle();
    showProducts(true);
    showTab();
}

bool SellWindow::put(const QString& product, qint64 quantity)
{
    const std::optional<int> at = row();
    if (!at || !m_board.sell(*at, product, quantity) || tabShown().isEmpty())
        return false;
    // A sale the till took is the last item of the tab it went on.
    m_put.push_back(tabShown().items().back().saleLine);
    m_waiting = m_waiting || m_board.diskState().waitingLines > 0;
    showDiskState();
    return true;
}

void SellWindow::enter()
{
    const Typed wanted = typed();
    const int highlighted = products->listIndex();
    if ((wanted.product.isEmpty() && !m_moved) || highlighted < 0 || highlighted >= int(m_shown.size()))
        return; // nothing chosen yet: an Enter on opening sells nothing
    if (!put(m_shown[std::size_t(highlighted)], wanted.quantity))
        return;
    // The count was for this sale alone; the name stays, so that the next Enter puts one more, and typing replaces it.
    if (wanted.quantity != 1 || filter->text() != wanted.product)
        filter->setText(wanted.product);
    filter->selectAll();
}

void SellWindow::moveHighlight(int by)
{
    if (m_shown.empty())
        return;
    products->setListIndex(std::clamp(products->listIndex() + by, 0, int(m_shown.size()) - 1));
    m_moved = true;
}

void SellWindow::takeBackLast()
{
    const std::optional<int> at = row();
    while (at && !m_put.empty()) {
        // Found by its sale line: items before it may have gone, and a bill may have taken it already.
        const std::vector<TabItem>& items = tabShown().items();
        const auto item = std::find_if(items.begin(), items.end(),
                                       [this](const TabItem& item) { return item.saleLine == m_put.back(); });
        if (item == items.end()) {
            m_put.pop_back();
            continue;
        }
        if (m_board.takeOff(*at, std::size_t(item - items.begin())))
            m_put.pop_back();
        m_waiting = m_waiting || m_board.diskState().waitingLines > 0;
        showDiskState();
        return;
    }
}

void SellWindow::takeOffSelected()
{
    const std::optional<int> at = row();
    if (at && tab->listIndex() >= 0 && m_board.takeOff(*at, std::size_t(tab->listIndex()))) {
        m_waiting = m_waiting || m_board.diskState().waitingLines > 0;
        showDiskState();
    }
}

bool SellWindow::command(const QKeyEvent& event, bool inFilter)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const int key = event.key();
    if (modifiers == Qt::ControlModifier && key == Qt::Key_Z) {
        takeBackLast(); // never the filter box's own undo
        return true;
    }
    if (modifiers != Qt::NoModifier)
        return false;
    switch (key) {
    case Qt::Key_Escape: close(); return true;
    case Qt::Key_F6: emit receiptRequested(m_station); return true;
    case Qt::Key_F8: emit productsRequested(); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (inFilter)
            enter();
        return inFilter;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (inFilter)
            moveHighlight(key == Qt::Key_Up ? -1 : 1);
        return inFilter;
    case Qt::Key_Delete:
        if (inFilter && !filter->text().isEmpty())
            return false; // the box's own editing key
        inFilter ? takeBackLast() : takeOffSelected();
        return true;
    default: return false;
    }
}

bool SellWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && command(static_cast<QKeyEvent&>(*event), watched == filter))
        return true;
    return QWidget::eventFilter(watched, event);
}

void SellWindow::keyPressEvent(QKeyEvent* event)
{
    if (!command(*event, false))
        QWidget::keyPressEvent(event);
}

void SellWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_put.clear();            // what was put on here is the tab's now, taken off from its list
    m_owner.activateWindow(); // the keyboard goes back to the board
}

void SellWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // The products window may have changed the list meanwhile, and a new counter customer begun.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        showProducts(true);
        showTab();
    }
}

} // namespace tallivor
