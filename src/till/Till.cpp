#include "till/Till.h"

#include "ledger/Events.h"
#include "store/DataFile.h"

#include <QDir>
#include <QFileInfo>

namespace tallivor {
namespace {

QString countText(const std::optional<int>& count)
{
    return count ? QString::number(*count) : QString();
}

} // namespace

Till::Till(const QString& programFolder, Ledger& ledger)
    : m_path(QDir(programFolder).filePath(QLatin1String(productsFileName))), m_ledger(ledger), m_room(programFolder)
{}

void Till::load()
{
    const std::optional<QByteArray> bytes = readWholeFile(m_path);
    if (!bytes)
        return; // no file: no products yet
    m_products = ProductList::fromBytes(*bytes);
    m_saved = *bytes;
    // The ledger is the record: what it holds since the file's last write is the list's too.
    const QString folder = QFileInfo(m_path).absolutePath();
    for (const LedgerRecord& line : ledgerLinesSince(folder, QFileInfo(m_path).lastModified()))
        apply(line);
}

void Till::apply(const LedgerRecord& line)
{
    const LedgerEntry& entry = line.entry;
    const QString name = detailOf(entry, Detail::Product).value_or(QString());
    const qsizetype index = m_products.indexOf(name);
    const QString value = detailOf(entry, Detail::Value).value_or(QString());
    const std::optional<QString> stock = detailOf(entry, Detail::Stock);
    if (line.event == LedgerEvent::Sale || line.event == LedgerEvent::Void) {
        if (stock && index >= 0)
            m_products.setCount(index, *stock);
        return;
    }
    if (line.event != LedgerEvent::Product)
        return;
    const QString change = detailOf(entry, Detail::Change).value_or(QString());
    const QString before = detailOf(entry, Detail::Before).value_or(QString());
    if (change == u"added" && index < 0)
        m_products.add({name, entry.price, value, {}, {}});
    else if (change == u"name" && index < 0)
        m_products.rename(m_products.indexOf(before), name);
    else if (change == u"price")
        m_products.reprice(index, value);
    else if (change == u"place")
        m_products.move(index, value.toLongLong());
    else if (change == u"removed")
        m_products.remove(index);
    else if (change == u"delivery" || change == u"count")
        m_products.setCount(index, stock.value_or(value));
    else if (change == u"code")
        m_products.setCode(index, value);
    else if (change == u"reorder")
        m_products.setReorder(index, value);
    m_listChanged = true;
}

std::optional<TabItem> Till::sell(const QString& station, const QString& product, qint64 quantity)
{
    qsizetype index = m_products.indexOf(product);
    if (index < 0)
        index = m_products.indexOfCode(product);
    if (index < 0 || quantity < 1 || quantity > 999)
        return std::nullopt;
    const Product& sold = m_products.products()[std::size_t(index)];
    const StockLeft left = m_products.changeStock(index, -int(quantity));
    if (left.fault != ProductFault::None)
        return std::nullopt;
    TabItem item{sold.name, quantity, sold.price, sold.price.times(quantity), {}, 0};
    item.saleLine = m_ledger.append(line::sale(station, item.product, quantity, item.price, left.left));
    item.sale = m_ledger.checkOf(item.saleLine);
    if (station.isEmpty())
        m_counter.add(item);
    return item;
}

bool Till::giveBack(const QString& station, const TabItem& item)
{
    const qsizetype index = m_products.indexOf(item.product);
    StockLeft left;
    if (index >= 0) { // a product removed from the list since is given back without a count
        left = m_products.changeStock(index, int(item.quantity));
        if (left.fault != ProductFault::None)
            return false;
    }
    // The sale's check; while the sale line still waits for the disk, the ledger puts it in when it writes both.
    QByteArray sale = item.sale.isEmpty() ? m_ledger.checkOf(item.saleLine) : item.sale;
    if (sale.isEmpty())
        sale = Ledger::checkToBe(item.saleLine).toLatin1();
    m_ledger.append(line::voided(station, item.product, item.quantity, item.price, left.left, sale));
    return true;
}

bool Till::giveBackAtCounter(std::size_t index)
{
    if (index >= m_counter.items().size())
        return false;
    if (!giveBack({}, m_counter.items()[index]))
        return false;
    m_counter.takeAt(index);
    return true;
}

void Till::changed(qsizetype index, const QString& change, const QString& value, const QString& before)
{
    const Product& product = m_products.products()[std::size_t(index)];
    LedgerEntry entry = line::product(product.name, product.price.text(), change, value, before);
    if (product.stock && (change == u"added" || change == u"delivery" || change == u"count"))
        entry.detail += QLatin1String("; ") + detailKey(Detail::Stock) + QLatin1Char('=') + countText(product.stock);
    m_ledger.append(entry);
    m_listChanged = true;
    save(false);
}

ProductFault Till::changeField(qsizetype index, QStringView column, const QString& change, const QString& value,
                               const std::function<ProductFault()>& apply)
{
    const QString before = m_products.field(index, column);
    const ProductFault fault = apply();
    if (fault == ProductFault::None)
        changed(index, change, value, before);
    return fault;
}

ProductFault Till::add(const ProductTexts& texts)
{
    const ProductFault fault = m_products.add(texts);
    if (fault == ProductFault::None)
        changed(qsizetype(m_products.products().size()) - 1, QStringLiteral("added"), texts.stock, {});
    return fault;
}

ProductFault Till::rename(qsizetype index, const QString& name)
{
    const QString before = index >= 0 && index < qsizetype(m_products.products().size())
                               ? m_products.products()[std::size_t(index)].name
                               : QString();
    const ProductFault fault = m_products.rename(index, name);
    if (fault == ProductFault::None)
        changed(index, QStringLiteral("name"), name, before);
    return fault;
}

ProductFault Till::reprice(qsizetype index, const QString& price)
{
    return changeField(index, u"price", QStringLiteral("price"), price,
                       [&] { return m_products.reprice(index, price); });
}

ProductFault Till::move(qsizetype from, qsizetype to)
{
    const ProductFault fault = m_products.move(from, to);
    if (fault == ProductFault::None)
        changed(to, QStringLiteral("place"), QString::number(to), QString::number(from));
    return fault;
}

ProductFault Till::remove(qsizetype index)
{
    if (index < 0 || index >= qsizetype(m_products.products().size()))
        return ProductFault::NoProduct;
    const Product product = m_products.products()[std::size_t(index)];
    const ProductFault fault = m_products.remove(index);
    if (fault == ProductFault::None) {
        m_ledger.append(line::product(product.name, product.price.text(), QStringLiteral("removed"), {}, {}));
        m_listChanged = true;
        save(false);
    }
    return fault;
}

ProductFault Till::deliver(qsizetype index, int quantity)
{
    return changeField(index, u"stock", QStringLiteral("delivery"), QString::number(quantity),
                       [&] { return m_products.deliver(index, quantity); });
}

ProductFault Till::setCount(qsizetype index, const QString& count)
{
    return changeField(index, u"stock", QStringLiteral("count"), count,
                       [&] { return m_products.setCount(index, count); });
}

ProductFault Till::setCode(qsizetype index, const QString& code)
{
    return changeField(index, u"code", QStringLiteral("code"), code, [&] { return m_products.setCode(index, code); });
}

ProductFault Till::setReorder(qsizetype index, const QString& reorder)
{
    return changeField(index, u"reorder", QStringLiteral("reorder"), reorder,
                       [&] { return m_products.setReorder(index, reorder); });
}

void Till::save(bool counts)
{
    const std::optional<QByteArray> bytes = m_products.toBytes();
    if (!bytes || *bytes == m_saved || (!counts && !m_listChanged))
        return; // not a products list, nothing new, or only counts that wait for the minute
    if (m_products.products().empty() && m_saved.isEmpty() && !QFileInfo::exists(m_path))
        return; // a room without products keeps a folder without the file
    if (replaceFile(m_path, *bytes)) {
        m_saved = *bytes;
        m_listChanged = false;
    }
}

} // namespace tallivor
