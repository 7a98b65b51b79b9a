#pragma once

#include "board/TextColumn.h"

#include <QListView>

namespace tallivor {

// A list box with the behaviour the station board relies on:
//  - listIndex() is the selected entry, -1 for none; the operator cannot clear it, only move it;
//  - setListIndex() from code runs the click handling (listClick) at once, nested, and only when the index changes;
//  - list(-1) and any index out of range read as the empty text;
//  - removing an entry, by removeItem() or from the column it shows, leaves no entry selected;
//  - gaining the keyboard focus never selects an entry;
//  - the selected entry is drawn alike whether the list has the focus or not.
class ListBox : public QListView
{
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);

    // Shows another column instead of the list's own: the board's, so that there is one copy of its texts. The
    // column outlives the list box.
    void setColumn(TextColumn& column);

    // The list's own entries, while it shows them.
    void addItem(const QString& text);
    const QStringList& items() const { return m_ownColumn.texts(); }
    int listCount() const { return m_column->size(); }
    QString list(int index) const;

    int listIndex() const { return m_listIndex; }
    void setListIndex(int index);

signals:
    // Any change of the selection, by the operator (mouse or keyboard) or from code.
    void listClick();
    // A double-click on an entry.
    void listDblClick();

protected:
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
    void focusInEvent(QFocusEvent* event) override;
    void initViewItemOption(QStyleOptionViewItem* option) const override;

private:
    // Makes the view's selection show m_listIndex without reporting it back as a click.
    void showListIndex();

    // Rows leaving the column take the selection with them, without a click.
    void forgetSelection();

    StringColumn m_ownColumn;
    TextColumn* m_column = &m_ownColumn;
    QList<QMetaObject::Connection> m_columnConnections;
    int m_listIndex = -1;
    bool m_showing = false;
};

} // namespace tallivor
