#include "rules/Numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace tallivor {
namespace {

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Reads the longest number at the start of chars (no blanks inside): sign, digits, "." and digits, exponent. Returns
// how many characters it takes, 0 when there is no digit in the mantissa.
template <typename Chars>
std::size_t scanNumber(const Chars& chars, std::size_t size)
{
    std::size_t i = 0;
    if (i != size && (chars[i] == u'+' || chars[i] == u'-'))
        ++i;
    std::size_t digits = 0;
    while (i != size && isDigit(chars[i]))
        ++i, ++digits;
    if (i != size && chars[i] == u'.') {
        ++i;
        while (i != size && isDigit(chars[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    if (i != size && (chars[i] == u'E' || chars[i] == u'e')) {
        std::size_t k = i + 1;
        if (k != size && (chars[k] == u'+' || chars[k] == u'-'))
            ++k;
        if (k != size && isDigit(chars[k])) {
            while (k != size && isDigit(chars[k]))
                ++k;
            i = k;
        }
    }
    return i;
}

// The decimal exponent of the first significant digit of a number in ASCII ("123" is 2, "0.05" is -2, "1E400" is
// 400), to tell an overflow from an underflow.
long long leadingExponent(const std::string& ascii)
{
    const std::string::size_type e = ascii.find_first_of("Ee");
    long long exponent = 0;
    if (e != std::string::npos) {
        const std::string digits = ascii.substr(e + 1);
        const bool below = digits[0] == '-';
        const std::string::size_type firstDigit = digits.find_first_of("0123456789");
        // More than 15 digits of exponent cannot be held, and need not be: any such number is far out of range.
        const std::string::size_type firstSignificant = digits.find_first_not_of('0', firstDigit);
        const std::string magnitude =
            firstSignificant == std::string::npos ? std::string("0") : digits.substr(firstSignificant);
        const long long size = magnitude.size() > 15 ? 1000000000000000LL : std::stoll(magnitude);
        exponent = below ? -size : size;
    }
    const std::string mantissa = ascii.substr(0, e);
    const std::string::size_type point = std::min(mantissa.find('.'), mantissa.size());
    const std::string::size_type first = mantissa.find_first_of("123456789");
    if (first == std::string::npos)
        return 0;
    return first < point ? exponent + (long long)(point - first) - 1 : exponent - (long long)(first - point);
}

// The value of a number already checked by scanNumber, in plain ASCII. from_chars keeps "." whatever the locale.
double toDouble(const std::string& ascii)
{
    const char* first = ascii.data();
    const char* last = first + ascii.size();
    const bool negative = *first == '-';
    if (*first == '+' || *first == '-')
        ++first; // from_chars takes no plus sign; the minus is put back below
    double value = 0;
    if (std::from_chars(first, last, value).ec == std::errc::result_out_of_range)
        value = leadingExponent(ascii) > 0 ? HUGE_VAL : 0.0;
    return negative ? -value : value;
}

} // namespace

double leadingNumber(QStringView text)
{
    // Gather the characters that may form the number, skipping blanks, tabs and line feeds, until one that cannot.
    std::string ascii;
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == u' ' || c == u'\t' || c == u'\n')
            continue;
        if (!(isDigit(c) || c == u'+' || c == u'-' || c == u'.' || c == u'E' || c == u'e'))
            break;
        ascii.push_back(char(c));
    }
    const std::size_t length = scanNumber(ascii, ascii.size());
    if (length == 0)
        return 0.0;
    ascii.resize(length);
    return toDouble(ascii);
}

std::optional<double> wholeNumber(QStringView text)
{
    // Only blanks and tabs may surround the number.
    const auto isBlank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    if (text.isEmpty())
        return std::nullopt;
    std::string ascii;
    ascii.reserve(text.size());
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c > 0x7F)
            return std::nullopt;
        ascii.push_back(char(c));
    }
    if (scanNumber(ascii, ascii.size()) != ascii.size())
        return std::nullopt;
    const double value = toDouble(ascii);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

void appendNumberText(QString& out, double value)
{
    if (value == 0 || !std::isfinite(value)) {
        out.append(u'0');
        return;
    }
    std::array<char, 40> buffer{};
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, 15);
    (void)error; // 40 characters hold every double at 15 digits
    for (const char* p = buffer.data(); p != end; ++p)
        out.append(QLatin1Char(*p == 'e' ? 'E' : *p));
}

QString numberText(double value)
{
    QString text;
    appendNumberText(text, value);
    return text;
}

bool hasLeadingNumber(QStringView text)
{
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; };
    while (!text.isEmpty() && blank(text.front()))
        text = text.sliced(1);
    if (text.startsWith(u'+') || text.startsWith(u'-'))
        text = text.sliced(1);
    const auto digitAt = [&text](qsizetype k) { return text.size() > k && isDigit(text[k].unicode()); };
    return digitAt(0) || (text.startsWith(u'.') && digitAt(1));
}

std::optional<QString> priceBoxInput(QStringView input, bool boxHasMark)
{
    QString taken;
    bool mark = boxHasMark;
    for (const QChar c : input) {
        if (isDigit(c.unicode())) {
            taken.append(c);
        } else if (c == u'.' || c == u',') {
            if (mark)
                return std::nullopt;
            mark = true;
            taken.append(u'.');
        }
    }
    return taken;
}

} // namespace tallivor
