#include "till/Products.h"

#include <algorithm>

namespace tallivor {
namespace {

bool hasControl(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

// A count as a file or a box holds it: empty for none, or an optional sign and digits within the stock limit;
// nothing for any other text.
std::optional<std::optional<int>> readCount(QStringView text)
{
    if (text.isEmpty())
        return std::optional<int>();
    const bool negative = text[0] == u'-';
    const QStringView digits = text.sliced(negative || text[0] == u'+' ? 1 : 0);
    if (digits.isEmpty())
        return std::nullopt;
    int value = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > stockLimit)
            return std::nullopt;
    }
    return negative ? -value : value;
}

QString countText(std::optional<int> count)
{
    return count ? QString::number(*count) : QString();
}

} // namespace

bool isProductName(QStringView text)
{
    return !text.isEmpty() && !text.contains(u';') && !text.contains(u'=') && !hasControl(text);
}

ProductList::ProductList() : m_heading{QStringLiteral("product"), QStringLiteral("price"), QStringLiteral("stock")} {}

ProductList ProductList::fromBytes(QByteArrayView bytes)
{
    ProductList list;
    const CsvFile file = parseCsv(bytes);
    if (file.heading.line == 0) // no line at all: a list begun with an empty file
        return list;
    const QStringList& heading = file.heading.fields;
    list.m_heading = heading;
    list.m_name = heading.indexOf(QLatin1String("product"));
    list.m_price = heading.indexOf(QLatin1String("price"));
    list.m_stock = heading.indexOf(QLatin1String("stock"));
    list.m_code = heading.indexOf(QLatin1String("code"));
    list.m_reorder = heading.indexOf(QLatin1String("reorder"));
    list.m_separator = file.separator;
    if (list.m_name < 0 || list.m_price < 0 || list.m_stock < 0) {
        list.m_foreign = true;
        return list;
    }
    for (const CsvRecord& record : file.records) {
        Product product;
        ProductFault fault = ProductFault::Malformed; // a record that is not well-formed has no fields
        if (record.fields.size() == heading.size()) {
            const auto at = [&](qsizetype column) { return column < 0 ? QString() : record.fields[column]; };
            fault = list.check(
                {at(list.m_name), at(list.m_price), at(list.m_stock), at(list.m_code), at(list.m_reorder)}, product);
        }
        if (fault == ProductFault::None) {
            product.fields = record.fields;
            list.m_products.push_back(std::move(product));
        } else {
            list.m_kept.push_back({record, fault, qsizetype(list.m_products.size())});
        }
    }
    return list;
}

std::optional<QByteArray> ProductList::toBytes() const
{
    if (m_foreign)
        return std::nullopt;
    std::vector<CsvLine> lines;
    auto kept = m_kept.begin();
    const auto keptUpTo = [&](qsizetype place) {
        // A line of a ";" file that is a record still is written in its columns, so that it lines up with the rest
        // in a spreadsheet; one that is not is written as it stood.
        for (; kept != m_kept.end() && kept->place <= place; ++kept)
            lines.push_back(kept->record.wellFormed && m_separator != u',' ? CsvLine(kept->record.fields)
                                                                           : CsvLine(kept->record.raw));
    };
    for (qsizetype i = 0; i < qsizetype(m_products.size()); ++i) {
        keptUpTo(i);
        lines.push_back(m_products[i].fields);
    }
    keptUpTo(qsizetype(m_products.size()));
    return formatCsv(m_heading, lines);
}

QString ProductList::field(qsizetype index, QStringView column) const
{
    const qsizetype at = m_heading.indexOf(column);
    return has(index) && at >= 0 ? m_products[index].fields[at] : QString();
}

qsizetype ProductList::indexOf(QStringView name) const
{
    const auto found =
        std::find_if(m_products.begin(), m_products.end(), [&](const Product& p) { return p.name == name; });
    return found == m_products.end() ? -1 : found - m_products.begin();
}

qsizetype ProductList::indexOfCode(QStringView code) const
{
    const auto found =
        std::find_if(m_products.begin(), m_products.end(), [&](const Product& p) { return p.code == code; });
    return code.isEmpty() || found == m_products.end() ? -1 : found - m_products.begin();
}

ProductFault ProductList::check(const ProductTexts& texts, Product& product) const
{
    if (!isProductName(texts.name))
        return ProductFault::Name;
    if (indexOf(texts.name) >= 0)
        return ProductFault::Duplicate;
    const std::optional<Money> price = Money::parse(texts.price);
    if (!price)
        return ProductFault::Price;
    const std::optional<std::optional<int>> stock = readCount(texts.stock);
    if (!stock)
        return ProductFault::Stock;
    if (const ProductFault fault = checkCode(texts.code, -1); fault != ProductFault::None)
        return fault;
    const std::optional<std::optional<int>> reorder = readCount(texts.reorder);
    if (!reorder)
        return ProductFault::Reorder;
    product.name = texts.name;
    product.price = *price;
    product.stock = *stock;
    product.code = texts.code;
    product.reorder = *reorder;
    return ProductFault::None;
}

ProductFault ProductList::checkCode(QStringView code, qsizetype index) const
{
    if (hasControl(code))
        return ProductFault::Code;
    const qsizetype other = indexOfCode(code);
    return other >= 0 && other != index ? ProductFault::CodeTaken : ProductFault::None;
}

void ProductList::put(Product& product, qsizetype& column, const char* name, const QString& text)
{
    if (column < 0) {
        if (text.isEmpty())
            return;
        m_heading.append(QLatin1String(name));
        for (Product& each : m_products)
            each.fields.append(QString());
        column = m_heading.size() - 1;
    }
    product.fields[column] = text;
}

ProductFault ProductList::add(const ProductTexts& texts)
{
    if (m_foreign)
        return ProductFault::Foreign;
    Product product;
    if (const ProductFault fault = check(texts, product); fault != ProductFault::None)
        return fault;
    product.fields = QStringList(m_heading.size());
    Product& added = m_products.emplace_back(std::move(product));
    // Written as the program writes them: a price typed "5." is "5".
    put(added, m_name, "product", added.name);
    put(added, m_price, "price", added.price.text());
    put(added, m_stock, "stock", countText(added.stock));
    put(added, m_code, "code", added.code);
    put(added, m_reorder, "reorder", countText(added.reorder));
    return ProductFault::None;
}

ProductFault ProductList::rename(qsizetype index, const QString& name)
{
    if (!has(index))
        return ProductFault::NoProduct;
    if (!isProductName(name))
        return ProductFault::Name;
    const qsizetype other = indexOf(name);
    if (other >= 0 && other != index)
        return ProductFault::Duplicate;
    m_products[index].name = name;
    put(m_products[index], m_name, "product", name);
    return ProductFault::None;
}

ProductFault ProductList::reprice(qsizetype index, QStringView price)
{
    if (!has(index))
        return ProductFault::NoProduct;
    const std::optional<Money> parsed = Money::parse(price);
    if (!parsed)
        return ProductFault::Price;
    m_products[index].price = *parsed;
    put(m_products[index], m_price, "price", parsed->text());
    return ProductFault::None;
}

ProductFault ProductList::move(qsizetype from, qsizetype to)
{
    if (!has(from) || !has(to))
        return ProductFault::NoProduct;
    Product product = std::move(m_products[from]);
    m_products.erase(m_products.begin() + from);
    m_products.insert(m_products.begin() + to, std::move(product));
    return ProductFault::None;
}

ProductFault ProductList::remove(qsizetype index)
{
    if (!has(index))
        return ProductFault::NoProduct;
    m_products.erase(m_products.begin() + index);
    for (KeptLine& line : m_kept) {
        if (line.place > index)
            --line.place;
    }
    return ProductFault::None;
}

ProductFault ProductList::deliver(qsizetype index, int quantity)
{
    if (!has(index))
        return ProductFault::NoProduct;
    if (!m_products[index].stock)
        return ProductFault::NotCounted;
    if (quantity < 1)
        return ProductFault::Quantity;
    return changeStock(index, quantity).fault;
}

ProductFault ProductList::setCount(qsizetype index, QStringView count)
{
    return setCountColumn(index, count, &Product::stock, m_stock, "stock", ProductFault::Stock);
}

ProductFault ProductList::setCountColumn(qsizetype index, QStringView text, std::optional<int> Product::*field,
                                         qsizetype& column, const char* name, ProductFault refused)
{
    if (!has(index))
        return ProductFault::NoProduct;
    const std::optional<std::optional<int>> value = readCount(text);
    if (!value)
        return refused;
    m_products[index].*field = *value;
    put(m_products[index], column, name, countText(*value));
    return ProductFault::None;
}

ProductFault ProductList::setCode(qsizetype index, const QString& code)
{
    if (!has(index))
        return ProductFault::NoProduct;
    if (const ProductFault fault = checkCode(code, index); fault != ProductFault::None)
        return fault;
    m_products[index].code = code;
    put(m_products[index], m_code, "code", code);
    return ProductFault::None;
}

ProductFault ProductList::setReorder(qsizetype index, QStringView reorder)
{
    return setCountColumn(index, reorder, &Product::reorder, m_reorder, "reorder", ProductFault::Reorder);
}

StockLeft ProductList::changeStock(qsizetype index, int by)
{
    if (!has(index))
        return {ProductFault::NoProduct, std::nullopt};
    Product& product = m_products[index];
    if (!product.stock)
        return {};
    const qint64 left = qint64(*product.stock) + by;
    if (left < -stockLimit || left > stockLimit)
        return {ProductFault::Range, product.stock};
    product.stock = int(left);
    put(product, m_stock, "stock", countText(product.stock));
    return {ProductFault::None, product.stock};
}

} // namespace tallivor
