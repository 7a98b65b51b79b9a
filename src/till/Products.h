#pragma once

#include "rules/Money.h"
#include "store/Csv.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <vector>

namespace tallivor {

// The products list, in the program folder.
inline constexpr char productsFileName[] = "tallivor-products.csv";
// A stock, a delivery's result and a reorder count stay within -stockLimit..stockLimit.
inline constexpr int stockLimit = 99999;

// Why a line of the file is not a product, or why an operation is refused.
enum class ProductFault
{
    None,       // read, or done
    Malformed,  // not a well-formed record of as many fields as the heading has columns
    Name,       // an empty name, or one that holds a ";", "=" or control character (it goes into ledger details)
    Duplicate,  // another product has the name
    Price,      // not a price by the price rules
    Stock,      // neither empty (not counted) nor a whole number within the stock limit
    Code,       // a code that holds a control character
    CodeTaken,  // another product has the code: a scanner's code names one product
    Reorder,    // neither empty nor a whole number within the stock limit
    NoProduct,  // no product at that place
    NotCounted, // a delivery of a product whose stock is not counted
    Quantity,   // a delivery of less than one
    Range,      // the stock would leave the stock limit
    Foreign,    // the file is not a products list: nothing is added, and it is never written over
};

struct Product
{
    QString name;
    Money price;
    std::optional<int> stock; // nothing: not counted
    QString code;             // what a scanner types; empty: none
    std::optional<int> reorder;
    // The product's fields in the file's columns, those the program does not know among them: each as read or as
    // last set, so that an untouched product is written back as it stood ("2.50" stays "2.50").
    QStringList fields;

    // Whether the stock is down to the reorder count, and so worth a look.
    bool low() const { return stock && reorder && *stock <= *reorder; }
};

// A new product's texts as typed; stock, code and reorder may be empty.
struct ProductTexts
{
    QString name, price, stock, code, reorder;
};

// A line of the file that is not a product: shown, and written back in its place among the products.
struct KeptLine
{
    CsvRecord record; // its line number and raw text
    ProductFault reason = ProductFault::Malformed;
    qsizetype place = 0; // how many products stand before it
};

// What a sale or a sale taken back leaves in stock: nothing for a product whose stock is not counted.
struct StockLeft
{
    ProductFault fault = ProductFault::None;
    std::optional<int> left;
};

// Whether a text can name a product.
bool isProductName(QStringView text);

// The products offered, in their order, with the lines of the file that are not products. Each operation checks
// everything first and either refuses, changing nothing, or applies; the ledger lines are the caller's.
class ProductList
{
public:
    // No products, with the three columns every list has: the list of a folder that has no file yet.
    ProductList();
    // The list a file holds. A file whose heading lacks product, price or stock is not a products list: nothing of
    // it is read, and isProductsList() says it must not be written over.
    static ProductList fromBytes(QByteArrayView bytes);
    // The file to write: nothing for a file that is not a products list.
    std::optional<QByteArray> toBytes() const;
    bool isProductsList() const { return !m_foreign; }

    const std::vector<Product>& products() const { return m_products; }
    const std::vector<KeptLine>& kept() const { return m_kept; }
    // The columns as written, those the program does not know in their places.
    const QStringList& heading() const { return m_heading; }
    // A product's text in a column (the price as written, a column the program does not know); empty without one.
    QString field(qsizetype index, QStringView column) const;
    // Where the product of that name or code is; -1 for none.
    qsizetype indexOf(QStringView name) const;
    qsizetype indexOfCode(QStringView code) const;

    // A new product at the end of the list.
    ProductFault add(const ProductTexts& texts);
    ProductFault rename(qsizetype index, const QString& name);
    ProductFault reprice(qsizetype index, QStringView price);
    // To another place in the order; the lines kept stay where they are among the places.
    ProductFault move(qsizetype from, qsizetype to);
    ProductFault remove(qsizetype index);
    // Adds a delivery to a counted stock.
    ProductFault deliver(qsizetype index, int quantity);
    // A count corrected by hand; empty: the stock is no longer counted.
    ProductFault setCount(qsizetype index, QStringView count);
    // Empty: no code.
    ProductFault setCode(qsizetype index, const QString& code);
    // Empty: no reorder count.
    ProductFault setReorder(qsizetype index, QStringView reorder);
    // A sale (below zero) or a sale taken back: the stock may go below zero, not beyond the stock limit.
    StockLeft changeStock(qsizetype index, int by);

private:
    QStringList m_heading;
    qsizetype m_name = 0, m_price = 1, m_stock = 2, m_code = -1, m_reorder = -1; // columns; -1: none
    std::vector<Product> m_products;
    std::vector<KeptLine> m_kept;
    QChar m_separator = u',';
    bool m_foreign = false;

    bool has(qsizetype index) const { return index >= 0 && index < qsizetype(m_products.size()); }
    // Fills product's values from texts, or says why they are no product.
    ProductFault check(const ProductTexts& texts, Product& product) const;
    ProductFault checkCode(QStringView code, qsizetype index) const;
    // Sets a product's text in a column, adding the column to the heading (and an empty field to every product)
    // when it is missing and the text is not empty.
    void put(Product& product, qsizetype& column, const char* name, const QString& text);
    // Sets a count of the product (its stock or reorder count) from its text; refused: the fault of a bad text.
    ProductFault setCountColumn(qsizetype index, QStringView text, std::optional<int> Product::*field,
                                qsizetype& column, const char* name, ProductFault refused);
};

} // namespace tallivor
