#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <QStringList>

namespace tallivor {

// The texts of one list box: a plain column of strings. The clock rewrites whole columns through texts() and then
// announces the change once, so a tick over thousands of rows costs one notification per list.
class StringColumn : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    const QStringList& texts() const { return m_texts; }
    // Direct access for bulk edits; call announceChanged() afterwards.
    QStringList& texts() { return m_texts; }
    // Tells the views that rows first..last (inclusive) have new texts.
    void announceChanged(int first, int last);

    void append(const QString& text);
    void append(const QStringList& texts);
    void remove(int row);
    void clear();
    void replace(int row, const QString& text);

private:
    QStringList m_texts;
};

// A list box with the behaviour the station board relies on:
//  - listIndex() is the selected entry, -1 for none; the operator cannot clear it, only move it;
//  - setListIndex() from code runs the click handling (listClick) at once, nested, and only when the index changes;
//  - list(-1) and any index out of range read as the empty text;
//  - removeItem() leaves no entry selected;
//  - gaining the keyboard focus never selects an entry;
//  - the selected entry is drawn alike whether the list has the focus or not.
class ListBox : public QListView
{
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);

    void addItem(const QString& text);
    void removeItem(int index);
    void clear();
    int listCount() const { return int(m_column.texts().size()); }
    QString list(int index) const;
    void setList(int index, const QString& text);

    int listIndex() const { return m_listIndex; }
    void setListIndex(int index);

    StringColumn& column() { return m_column; }
    const StringColumn& column() const { return m_column; }

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

    StringColumn m_column;
    int m_listIndex = -1;
    bool m_showing = false;
};

} // namespace tallivor
