#include "board/TextColumn.h"

namespace tallivor {

QVariant TextColumn::data(const QModelIndex& index, int role) const
{
    // An index of no row reads as the empty text, as text() gives it.
    if (role == Qt::AccessibleTextRole && m_rowText)
        return m_rowText(index.row());
    if (role != Qt::DisplayRole)
        return {};
    // A list shows a few dozen characters of a row; laying out a text of megabytes (a damaged file) would stall the
    // window. The row keeps its whole text: only what is drawn is cut.
    constexpr qsizetype shown = 1000;
    const QString text = this->text(index.row());
    return text.size() > shown ? text.first(shown) : text;
}

void TextColumn::announceChanged(int first, int last)
{
    if (first >= 0 && first <= last)
        emit dataChanged(index(first), index(last), {Qt::DisplayRole});
}

int StringColumn::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_texts.size());
}

void StringColumn::append(const QString& text)
{
    const int row = int(m_texts.size());
    beginInsertRows({}, row, row);
    m_texts.append(text);
    endInsertRows();
}

} // namespace tallivor
