#include "rules/Money.h"

#include "rules/Numbers.h"

#include <algorithm>

namespace tallivor {
namespace {

// Two magnitudes at one scale and one length, most significant digit first.
std::pair<std::string, std::string> aligned(const std::string& a, int aScale, const std::string& b, int bScale)
{
    const int scale = std::max(aScale, bScale);
    std::string x = a + std::string(std::size_t(scale - aScale), '0');
    std::string y = b + std::string(std::size_t(scale - bScale), '0');
    const std::size_t length = std::max(x.size(), y.size());
    x.insert(0, length - x.size(), '0');
    y.insert(0, length - y.size(), '0');
    return {x, y};
}

// a + b, both of one length.
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
        const int digit = (a[i] - '0') - (b[i] - '0') - borrow;
        borrow = digit < 0 ? 1 : 0;
        difference[i] = char('0' + digit + 10 * borrow);
    }
    return difference;
}

std::string multiplyDigits(const std::string& a, const std::string& b)
{
    std::string product(a.size() + b.size(), '0');
    for (std::size_t i = a.size(); i-- > 0;) {
        int carry = 0;
        for (std::size_t j = b.size(); j-- > 0;) {
            const int digit = (product[i + j + 1] - '0') + (a[i] - '0') * (b[j] - '0') + carry;
            product[i + j + 1] = char('0' + digit % 10);
            carry = digit / 10;
        }
        product[i] = char(product[i] + carry);
    }
    return product;
}

} // namespace

Money Money::whole(qint64 units)
{
    Money money;
    money.m_negative = units < 0;
    // The magnitude of the smallest qint64 does not fit a qint64: its digits are taken one by one.
    for (qint64 rest = units; rest != 0; rest /= 10)
        money.m_digits.insert(money.m_digits.begin(), char('0' + std::abs(int(rest % 10))));
    return money;
}

Money Money::ofText(QStringView text)
{
    // The board's own reading, written with at most 15 significant digits: "-1.25E-05", "12.5", "1E+15".
    const QString number = numberText(leadingNumber(text));
    Money value;
    const QString mantissa = number.section(u'E', 0, 0);
    const int exponent = number.section(u'E', 1).toInt(); // none: 0
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

std::optional<Money> Money::parse(QStringView text)
{
    Money value;
    bool point = false, digit = false;
    for (const QChar c : text) {
        if (c == u'.' && !point) {
            point = true;
        } else if (c >= u'0' && c <= u'9') {
            digit = true;
            value.m_digits.push_back(char(c.unicode()));
            value.m_scale += point ? 1 : 0;
        } else {
            return std::nullopt;
        }
    }
    if (!digit)
        return std::nullopt;
    value.normalize();
    return value;
}

Money Money::operator+(const Money& other) const
{
    const auto [a, b] = aligned(m_digits, m_scale, other.m_digits, other.m_scale);
    Money sum;
    sum.m_scale = std::max(m_scale, other.m_scale);
    if (m_negative == other.m_negative) {
        sum.m_digits = addDigits(a, b);
        sum.m_negative = m_negative;
    } else if (a >= b) {
        sum.m_digits = subtractDigits(a, b);
        sum.m_negative = m_negative;
    } else {
        sum.m_digits = subtractDigits(b, a);
        sum.m_negative = other.m_negative;
    }
    sum.normalize();
    return sum;
}

Money Money::operator-() const
{
    Money negated = *this;
    negated.m_negative = !m_negative && !isZero();
    return negated;
}

Money Money::operator-(const Money& other) const
{
    return *this + -other;
}

Money Money::times(qint64 quantity) const
{
    return times(whole(quantity));
}

Money Money::times(const Money& factor) const
{
    Money product;
    product.m_digits = multiplyDigits(m_digits, factor.m_digits);
    product.m_scale = m_scale + factor.m_scale;
    product.m_negative = m_negative != factor.m_negative;
    product.normalize();
    return product;
}

std::strong_ordering Money::operator<=>(const Money& other) const
{
    if (m_negative != other.m_negative)
        return m_negative ? std::strong_ordering::less : std::strong_ordering::greater;
    const auto [a, b] = aligned(m_digits, m_scale, other.m_digits, other.m_scale);
    const std::strong_ordering magnitude = a <=> b;
    return m_negative ? 0 <=> magnitude : magnitude;
}

void Money::normalize()
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

QString Money::text() const
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

QString Money::chargeText() const
{
    if (m_digits.empty())
        return QStringLiteral("0");
    // Rounded half away from zero to 15 significant digits; a carry past the first digit adds one.
    constexpr std::size_t significant = 15;
    std::string digits = m_digits;
    int exponent = int(digits.size()) - 1 - m_scale; // of the first digit
    if (digits.size() > significant) {
        const bool up = digits[significant] >= '5';
        digits.resize(significant);
        if (up) {
            std::size_t i = significant;
            while (i-- > 0 && digits[i] == '9')
                digits[i] = '0';
            if (i == std::string::npos) { // all nines: 999... becomes 1000...
                digits.insert(digits.begin(), '1');
                digits.pop_back();
                ++exponent;
            } else {
                ++digits[i];
            }
        }
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::string out = m_negative ? "-" : "";
    if (exponent >= int(significant) || exponent < -4) {
        out += digits[0];
        if (digits.size() > 1)
            out += '.' + digits.substr(1);
        const int size = exponent < 0 ? -exponent : exponent;
        out += exponent < 0 ? "E-" : "E+";
        if (size < 10)
            out += '0';
        out += std::to_string(size);
    } else if (exponent < 0) {
        out += "0." + std::string(std::size_t(-exponent - 1), '0') + digits;
    } else {
        const std::size_t whole = std::size_t(exponent) + 1;
        if (digits.size() <= whole)
            out += digits + std::string(whole - digits.size(), '0');
        else
            out += digits.substr(0, whole) + '.' + digits.substr(whole);
    }
    return QString::fromLatin1(out);
}

bool owesMoney(QStringView charge)
{
    return leadingNumber(charge) != 0;
}

} // namespace tallivor
