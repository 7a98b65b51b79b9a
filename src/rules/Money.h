#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <compare>
#include <optional>
#include <string>

namespace tallivor {

// An amount of money as an exact decimal: a price, a charge, a product's price, a bill, a total. Sums, differences
// and products are exact (0.1 + 0.2 is 0.3) and never rounded to a currency's smallest unit; no amount overflows.
class Money
{
public:
    Money() = default; // zero
    // A whole amount ("3").
    static Money whole(qint64 units);
    // The amount a charge or price text stands for, read the way the board reads it (the leading-number rule, to 15
    // significant digits): "12.5", "00", "1E-05"; "3 $" is 3, "abc" is 0.
    static Money ofText(QStringView text);
    // A price typed by the price rules: digits and at most one ".", with a digit somewhere ("25", "0.5", ".5", "5.");
    // nothing for any other text.
    static std::optional<Money> parse(QStringView text);

    Money operator+(const Money& other) const;
    Money operator-(const Money& other) const;
    Money operator-() const;
    Money& operator+=(const Money& other) { return *this = *this + other; }
    Money& operator-=(const Money& other) { return *this = *this - other; }
    // Times a whole quantity (three of a product), or an exact decimal factor (half price, a part of a minute).
    Money times(qint64 quantity) const;
    Money times(const Money& factor) const;

    std::strong_ordering operator<=>(const Money& other) const;
    bool operator==(const Money& other) const = default;
    bool isZero() const { return m_digits.empty(); }
    bool isNegative() const { return m_negative; }

    // Written plainly and exactly, with "." and without needless zeros: "12.8", "0", "-3", "1000000000000001".
    QString text() const;
    // Written as the board writes a charge: rounded to 15 significant digits, exponent form from 10^15 and below
    // 10^-4 ("1E+15", "1E-05"), "0" for zero.
    QString chargeText() const;

private:
    bool m_negative = false;
    std::string m_digits; // the magnitude's digits, most significant first, no leading zeros; empty for zero
    int m_scale = 0;      // how many of them stand after the point; the last of those is never 0
    void normalize();
};

// Whether a charge text stands for money owed: any amount but zero, by the board's reading.
bool owesMoney(QStringView charge);

} // namespace tallivor
