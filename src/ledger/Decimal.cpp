#include "ledger/Decimal.h"

#include "rules/Numbers.h"

#include <algorithm>

namespace tallivor {
namespace {

// a + b, both magnitudes as digit strings of one length.
std::string addDigits(const std::string& a, const std::string& b)
{
    std::string sum(a.size() + 1, '0');
    int carry = 0;
    for (std::size_t i = a.size(); i-- > 0;) {
        const int digit = (a[i] - '0') + (b[i] - '0') + carry;
        sum[i + 1] = char('0' + digit % 10);
        carry = digit / 10;
    }
    sum[0] = char('0' + carry);
    return sum;
}

// a - b, both of one length, a not smaller than b.
std::string subtractDigits(const std::string& a, const std::string& b)
{
    std::string difference(a.size(), '0');
    int borrow = 0;
    for (std::size_t i = a.size(); i-- > 0;) {
        int digit = (a[i] - '0') - (b[i] - '0') - borrow;
        borrow = digit < 0 ? 1 : 0;
        difference[i] = char('0' + digit + 10 * borrow);
    }
    return difference;
}

} // namespace

Decimal Decimal::fromText(QStringView text)
{
    // The board's own reading, written with at most 15 significant digits: "-1.25E-05", "12.5", "1E+15".
    const QString number = numberText(leadingNumber(text));
    Decimal value;
    const qsizetype e = number.indexOf(u'E');
    const QStringView mantissa = QStringView(number).first(e < 0 ? number.size() : e);
    const int exponent = e < 0 ? 0 : QStringView(number).sliced(e + 1).toInt();
    const qsizetype point = mantissa.indexOf(u'.');
    for (const QChar c : mantissa) {
        if (c.isDigit())
            value.m_digits.push_back(char(c.unicode()));
    }
    value.m_negative = mantissa.startsWith(u'-');
    value.m_scale = (point < 0 ? 0 : int(mantissa.size() - point - 1)) - exponent;
    if (value.m_scale < 0) {
        value.m_digits.append(std::size_t(-value.m_scale), '0');
        value.m_scale = 0;
    }
    value.normalize();
    return value;
}

Decimal& Decimal::operator+=(const Decimal& other)
{
    // Both magnitudes at one scale and one length, then added or the smaller taken from the larger.
    const int scale = std::max(m_scale, other.m_scale);
    std::string a = m_digits + std::string(std::size_t(scale - m_scale), '0');
    std::string b = other.m_digits + std::string(std::size_t(scale - other.m_scale), '0');
    const std::size_t length = std::max(a.size(), b.size());
    a.insert(0, length - a.size(), '0');
    b.insert(0, length - b.size(), '0');
    if (m_negative == other.m_negative) {
        m_digits = addDigits(a, b);
    } else if (a >= b) {
        m_digits = subtractDigits(a, b);
    } else {
        m_digits = subtractDigits(b, a);
        m_negative = other.m_negative;
    }
    m_scale = scale;
    normalize();
    return *this;
}

void Decimal::normalize()
{
    m_digits.erase(0, std::min(m_digits.find_first_not_of('0'), m_digits.size()));
    while (m_scale > 0 && !m_digits.empty() && m_digits.back() == '0') {
        m_digits.pop_back();
        --m_scale;
    }
    if (m_digits.empty()) {
        m_negative = false;
        m_scale = 0;
    }
}

QString Decimal::text() const
{
    if (m_digits.empty())
        return QStringLiteral("0");
    std::string out = m_digits;
    if (m_scale > 0) {
        if (out.size() <= std::size_t(m_scale))
            out.insert(0, std::size_t(m_scale) - out.size() + 1, '0');
        out.insert(out.size() - std::size_t(m_scale), 1, '.');
    }
    if (m_negative)
        out.insert(0, 1, '-');
    return QString::fromLatin1(out);
}

double Decimal::toDouble() const
{
    return text().toDouble();
}

} // namespace tallivor
