#pragma once

#include <QAbstractListModel>
#include <QStringList>

#include <functional>

namespace tallivor {

// A column of texts that list boxes show, one text a row. Whoever holds the texts tells the views of a change of
// many rows once, so a tick over thousands of rows costs one notification per column.
class TextColumn : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    // The row's text; the empty text for a row that does not exist.
    virtual QString text(int row) const = 0;
    int size() const { return rowCount(); }

    QVariant data(const QModelIndex& index, int role) const override;
    // Tells the views that rows first..last (inclusive) have new texts; nothing for a first of -1.
    void announceChanged(int first, int last);
    // Gives what a screen reader reads for a row, when that is more than the row's own text.
    void setRowText(std::function<QString(int row)> rowText) { m_rowText = std::move(rowText); }

private:
    std::function<QString(int row)> m_rowText;
};

// A column that holds its texts itself: a list box's own entries.
class StringColumn : public TextColumn
{
    Q_OBJECT
public:
    using TextColumn::TextColumn;

    int rowCount(const QModelIndex& parent = {}) const override;
    QString text(int row) const override { return row >= 0 && row < m_texts.size() ? m_texts.at(row) : QString(); }
    const QStringList& texts() const { return m_texts; }

    void append(const QString& text);

private:
    QStringList m_texts;
};

} // namespace tallivor
