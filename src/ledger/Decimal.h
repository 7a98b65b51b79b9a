#pragma once

#include <QString>
#include <QStringView>

#include <string>

namespace tallivor {

// An exact decimal amount, for adding up charges without the residue of binary fractions: 0.1 + 0.2 is 0.3.
class Decimal
{
public:
    Decimal() = default;
    // The amount a charge or price text stands for, read the way the board reads it (the leading-number rule, to 15
    // significant digits): "12.5", "00", "1E-05", "3 $" is 3, "abc" is 0.
    static Decimal fromText(QStringView text);

    Decimal& operator+=(const Decimal& other);
    bool isZero() const { return m_digits.empty(); }
    // Written plainly, with "." and without needless zeros: "12.8", "0", "-3", "1000000000000001".
    QString text() const;
    double toDouble() const;

private:
    bool m_negative = false;
    std::string m_digits; // the magnitude's digits, most significant first, no leading zeros; empty for zero
    int m_scale = 0;      // how many of them stand after the point; the last of those is never 0
    void normalize();
};

} // namespace tallivor
