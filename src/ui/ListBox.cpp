#include "ui/ListBox.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QScopedValueRollback>
#include <QStyleOptionViewItem>

namespace tallivor {

int StringColumn::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_texts.size());
}

QVariant StringColumn::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_texts.size())
        return {};
    // A list shows a few dozen characters of a row; laying out a text of megabytes (a damaged file) would stall the
    // window. The row keeps its whole text: only what is drawn is cut.
    constexpr qsizetype shown = 1000;
    const QString& text = m_texts.at(index.row());
    return text.size() > shown ? text.first(shown) : text;
}

void StringColumn::announceChanged(int first, int last)
{
    if (first <= last)
        emit dataChanged(index(first), index(last), {Qt::DisplayRole});
}

void StringColumn::append(const QString& text)
{
    const int row = int(m_texts.size());
    beginInsertRows({}, row, row);
    m_texts.append(text);
    endInsertRows();
}

void StringColumn::append(const QStringList& texts)
{
    if (texts.isEmpty())
        return;
    const int first = int(m_texts.size());
    beginInsertRows({}, first, first + int(texts.size()) - 1);
    m_texts.append(texts);
    endInsertRows();
}

void StringColumn::remove(int row)
{
    beginRemoveRows({}, row, row);
    m_texts.removeAt(row);
    endRemoveRows();
}

void StringColumn::clear()
{
    beginResetModel();
    m_texts.clear();
    endResetModel();
}

void StringColumn::replace(int row, const QString& text)
{
    m_texts[row] = text;
    announceChanged(row, row);
}

ListBox::ListBox(QWidget* parent) : QListView(parent)
{
    setModel(&m_column);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setTextElideMode(Qt::ElideNone);
    connect(this, &QAbstractItemView::doubleClicked, this, &ListBox::listDblClick);
}

void ListBox::addItem(const QString& text)
{
    m_column.append(text);
}

void ListBox::removeItem(int index)
{
    if (index < 0 || index >= listCount())
        return;
    QScopedValueRollback guard(m_showing, true);
    m_column.remove(index);
    m_listIndex = -1;
    selectionModel()->clear();
}

void ListBox::clear()
{
    QScopedValueRollback guard(m_showing, true);
    m_column.clear();
    m_listIndex = -1;
    selectionModel()->clear();
}

QString ListBox::list(int index) const
{
    const QStringList& texts = m_column.texts();
    return index >= 0 && index < texts.size() ? texts.at(index) : QString();
}

void ListBox::setList(int index, const QString& text)
{
    if (index >= 0 && index < listCount())
        m_column.replace(index, text);
}

void ListBox::setListIndex(int index)
{
    if (index < -1 || index >= listCount() || index == m_listIndex)
        return;
    m_listIndex = index;
    showListIndex();
    emit listClick();
}

void ListBox::showListIndex()
{
    QScopedValueRollback guard(m_showing, true);
    if (m_listIndex < 0) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex index = m_column.index(m_listIndex);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void ListBox::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles)
{
    // New texts never move a row: rows have one height and no editor is ever open. QListView would still lay out
    // every row again, which at 32,767 rows costs milliseconds once a second; drawing the rows in view anew is enough.
    if (QAccessible::isActive()) {
        QListView::dataChanged(topLeft, bottomRight, roles); // screen readers are told about every change
        return;
    }
    const QModelIndex top = indexAt(QPoint(0, 0));
    const QModelIndex bottom = indexAt(QPoint(0, viewport()->height() - 1));
    const int firstShown = top.isValid() ? top.row() : 0;
    const int lastShown = bottom.isValid() ? bottom.row() : listCount() - 1;
    if (bottomRight.row() >= firstShown && topLeft.row() <= lastShown)
        viewport()->update();
}

void ListBox::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QListView::selectionChanged(selected, deselected);
    if (m_showing)
        return;
    const QModelIndexList rows = selectionModel()->selectedIndexes();
    if (rows.isEmpty()) {
        // The operator moves the selection but never clears it.
        showListIndex();
        return;
    }
    const int row = rows.first().row();
    if (row != m_listIndex) {
        m_listIndex = row;
        emit listClick();
    }
}

QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex& index, const QEvent* event) const
{
    // Ctrl+click would deselect in single-selection mode; a list box only ever moves its selection.
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    const QItemSelectionModel::SelectionFlags flags = QListView::selectionCommand(index, event);
    return flags == QItemSelectionModel::NoUpdate ? flags : QItemSelectionModel::ClearAndSelect;
}

void ListBox::focusInEvent(QFocusEvent* event)
{
    {
        // Qt makes the first entry current when a view without a current entry gets the focus.
        QScopedValueRollback guard(m_showing, true);
        QListView::focusInEvent(event);
    }
    if (m_listIndex < 0 && currentIndex().isValid()) {
        QScopedValueRollback guard(m_showing, true);
        selectionModel()->clear();
    }
}

void ListBox::initViewItemOption(QStyleOptionViewItem* option) const
{
    QListView::initViewItemOption(option);
    // Qt draws the selection of a view without the focus as inactive: grey in the Windows styles, whose native list
    // item (Vista) ignores the palette. The board's four lists show one selected row, and a Windows list box keeps its
    // selection highlighted without the focus too, so every list draws it as the active one does.
    option->state |= QStyle::State_Active;
}

} // namespace tallivor
