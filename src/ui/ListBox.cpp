#include "ui/ListBox.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QScopedValueRollback>
#include <QStyleOptionViewItem>

#include <algorithm>

namespace tallivor {

ListBox::ListBox(QWidget* parent) : QListView(parent)
{
    setColumn(m_ownColumn);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setTextElideMode(Qt::ElideNone);
    connect(this, &QAbstractItemView::doubleClicked, this, &ListBox::listDblClick);
}

void ListBox::setColumn(TextColumn& column)
{
    for (const QMetaObject::Connection& connection : std::as_const(m_columnConnections))
        disconnect(connection);
    m_columnConnections.clear();
    m_column = &column;
    m_listIndex = -1;
    // Connected before the view is: the selection is gone before the view and its selection model see the rows go,
    // so that what they do on the way is no click of the operator's.
    const auto leaving = [this] {
        m_showing = true;
        forgetSelection();
    };
    const auto gone = [this] {
        forgetSelection();
        m_showing = false;
    };
    m_columnConnections = {
        connect(&column, &QAbstractItemModel::rowsAboutToBeRemoved, this, leaving),
        connect(&column, &QAbstractItemModel::modelAboutToBeReset, this, leaving),
    };
    {
        QScopedValueRollback guard(m_showing, true);
        setModel(&column);
    }
    m_columnConnections << connect(&column, &QAbstractItemModel::rowsRemoved, this, gone)
                        << connect(&column, &QAbstractItemModel::modelReset, this, gone);
}

void ListBox::forgetSelection()
{
    m_listIndex = -1;
    if (selectionModel())
        selectionModel()->clear();
}

void ListBox::addItem(const QString& text)
{
    m_ownColumn.append(text);
}

QString ListBox::list(int index) const
{
    return m_column->text(index);
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
    const QModelIndex index = m_column->index(m_listIndex);
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
    // Only the changed rows in view are drawn: one station's change does not repaint the whole list.
    const QModelIndex top = indexAt(QPoint(0, 0));
    const QModelIndex bottom = indexAt(QPoint(0, viewport()->height() - 1));
    const int first = std::max(topLeft.row(), top.isValid() ? top.row() : 0);
    const int last = std::min(bottomRight.row(), bottom.isValid() ? bottom.row() : listCount() - 1);
    if (first > last)
        return;
    const QRect from = visualRect(m_column->index(first)), to = visualRect(m_column->index(last));
    viewport()->update(QRect(0, from.top(), viewport()->width(), to.bottom() - from.top() + 1));
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
