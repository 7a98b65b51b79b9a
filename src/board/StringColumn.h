#pragma once

#include <QAbstractListModel>
#include <QStringList>

#include <functional>

namespace tallivor {

// The texts of one column of the board: a plain column of strings that list boxes show. The clock rewrites whole
// columns through texts() and then announces the change once, so a tick over thousands of rows costs one
// notification per column.
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
    // The row's text; the empty text for a row that does not exist.
    QString text(int row) const { return row >= 0 && row < m_texts.size() ? m_texts.at(row) : QString(); }
    // Tells the views that rows first..last (inclusive) have new texts.
    void announceChanged(int first, int last);

    void append(const QString& text);
    void append(const QStringList& texts);
    void remove(int row);
    void clear();
    void replace(int row, const QString& text);
    // Gives what a screen reader reads for a row, when that is more than the row's own text.
    void setRowText(std::function<QString(int row)> rowText) { m_rowText = std::move(rowText); }

private:
    QStringList m_texts;
    std::function<QString(int row)> m_rowText;
};

} // namespace tallivor
