// The number rules: the leading number of any text, the one-number rule of time pieces, and number text.
//
// The input is read twice: as the text of a data file for leadingNumber and wholeNumber, and its first 8 bytes as a
// double for numberText.
#include "FuzzSupport.h"
#include "board/Numbers.h"
#include "store/TextCodec.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

using namespace tallivor;
using namespace fuzzing;

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Length of the longest number at the start of ascii: sign, digits, "." and digits (one digit at least in all), then
// an exponent only when it has digits. 0 when there is none.
std::size_t referenceNumberLength(const std::string& ascii)
{
    std::size_t i = 0;
    if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-'))
        ++i;
    const std::size_t integerStart = i;
    while (i < ascii.size() && isDigit(ascii[i]))
        ++i;
    bool anyDigit = i > integerStart;
    if (i < ascii.size() && ascii[i] == '.') {
        const std::size_t fractionStart = ++i;
        while (i < ascii.size() && isDigit(ascii[i]))
            ++i;
        anyDigit = anyDigit || i > fractionStart;
    }
    if (!anyDigit)
        return 0;
    std::size_t k = i;
    if (k < ascii.size() && (ascii[k] == 'E' || ascii[k] == 'e')) {
        ++k;
        if (k < ascii.size() && (ascii[k] == '+' || ascii[k] == '-'))
            ++k;
        const std::size_t exponentStart = k;
        while (k < ascii.size() && isDigit(ascii[k]))
            ++k;
        if (k > exponentStart)
            i = k;
    }
    return i;
}

// The C library's reading of a complete number: correctly rounded, an infinity past the largest double, 0 below the
// smallest one. The fuzzer never changes the C locale, so "." is the point.
double referenceValue(const std::string& number)
{
    return std::strtod(number.c_str(), nullptr);
}

double referenceLeadingNumber(QStringView text)
{
    std::string ascii;
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == u' ' || c == u'\t' || c == u'\n')
            continue; // skipped anywhere, even between digits
        if (!((c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.' || c == u'E' || c == u'e'))
            break;
        ascii.push_back(char(c));
    }
    const std::size_t length = referenceNumberLength(ascii);
    return length == 0 ? 0.0 : referenceValue(ascii.substr(0, length));
}

std::optional<double> referenceWholeNumber(QStringView text)
{
    while (!text.isEmpty() && (text.front() == u' ' || text.front() == u'\t'))
        text = text.sliced(1);
    while (!text.isEmpty() && (text.back() == u' ' || text.back() == u'\t'))
        text.chop(1);
    std::string ascii;
    for (const QChar c : text) {
        if (c.unicode() > 0x7F)
            return std::nullopt;
        ascii.push_back(char(c.unicode()));
    }
    if (ascii.empty() || referenceNumberLength(ascii) != ascii.size())
        return std::nullopt;
    const double value = referenceValue(ascii);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

// Same value and, for zeros, the same sign.
bool same(double a, double b)
{
    return a == b && std::signbit(a) == std::signbit(b);
}

std::string show(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g (%a)", value, value);
    return buffer;
}

void checkTextRules(QStringView text)
{
    const std::string where = "text \"" + printable(text) + "\"";

    const double leading = leadingNumber(text);
    const double expectedLeading = referenceLeadingNumber(text);
    check(same(leading, expectedLeading), "leadingNumber misreads the text",
          where + "\ngot " + show(leading) + ", expected " + show(expectedLeading));

    const std::optional<double> whole = wholeNumber(text);
    const std::optional<double> expectedWhole = referenceWholeNumber(text);
    check(whole.has_value() == expectedWhole.has_value(),
          whole ? "wholeNumber takes a text that is not one finite number" : "wholeNumber refuses a finite number",
          where + (whole ? "\ngot " + show(*whole) : std::string()));
    if (!whole)
        return;
    check(same(*whole, *expectedWhole), "wholeNumber misreads the number",
          where + "\ngot " + show(*whole) + ", expected " + show(*expectedWhole));
    check(std::isfinite(*whole), "wholeNumber gives a number that is not finite", where);
    // A text that holds one number with nothing but blanks or tabs around it reads the same both ways: leadingNumber
    // skips those blanks and tabs too, and stops after the number. (The converse does not hold: leadingNumber also
    // skips blanks inside the number and line feeds, and ignores whatever follows it.)
    check(same(*whole, leading), "wholeNumber and leadingNumber disagree on one number",
          where + "\nwholeNumber " + show(*whole) + ", leadingNumber " + show(leading));
}

// v rounded to 15 significant digits, as a double: an infinity when the rounding goes past the largest double. Also
// gives the decimal exponent of the rounded value.
double roundedTo15Digits(double value, int& exponent)
{
    std::array<char, 64> buffer{};
    const auto written =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::scientific, 14);
    check(written.ec == std::errc(), "to_chars failed in the test's own rounding");
    const char* e = std::find(buffer.data(), written.ptr, 'e');
    exponent = std::atoi(e + 1);
    double rounded = 0;
    const auto read = std::from_chars(buffer.data(), written.ptr, rounded, std::chars_format::scientific);
    if (read.ec == std::errc::result_out_of_range)
        return std::copysign(HUGE_VAL, value);
    check(read.ec == std::errc() && read.ptr == written.ptr, "from_chars failed in the test's own rounding");
    return rounded;
}

void checkNumberText(double value)
{
    const QString text = numberText(value);
    const std::string where = "value " + show(value) + ", text \"" + printable(QStringView(text)) + "\"";

    check(!text.isEmpty(), "numberText is empty", where);
    check(!text.contains(u','), "numberText contains a comma", where);
    check(!text.contains(u'e'), "numberText has a lower-case exponent", where);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        check((c >= u'0' && c <= u'9') || c == u'-' || c == u'.' || c == u'E' || c == u'+',
              "numberText has a stray character", where);
        // A plus sign belongs to an exponent only, never to the number.
        if (c == u'+')
            check(i > 0 && text[i - 1] == u'E', "numberText has a plus sign before the digits", where);
    }

    QString appended = QStringLiteral("x:");
    appendNumberText(appended, value);
    check(appended == QStringLiteral("x:") + text, "appendNumberText does not append numberText", where);

    const double back = leadingNumber(text);
    if (value == 0) {
        check(text == QLatin1String("0"), "zero is not written as 0", where);
        return;
    }
    int exponent = 0;
    const double rounded = roundedTo15Digits(value, exponent);
    check(same(back, rounded), "numberText does not read back as the value rounded to 15 digits",
          where + "\nread back " + show(back) + ", expected " + show(rounded));

    // Exponent form exactly for magnitudes (after rounding) of 10^15 and above or below 10^-4, with a signed exponent
    // of two digits at least.
    const qsizetype e = text.indexOf(u'E');
    const bool exponentForm = exponent >= 15 || exponent < -4;
    check((e >= 0) == exponentForm, exponentForm ? "numberText lacks the exponent form" : "numberText has an exponent",
          where);
    if (e >= 0) {
        const QStringView tail = QStringView(text).sliced(e + 1);
        check(tail.size() >= 3 && (tail[0] == u'+' || tail[0] == u'-'),
              "numberText's exponent is not signed with two digits at least", where);
    }
    // No trailing zeros after the point and no bare point; 15 significant digits at most.
    const QStringView mantissa = QStringView(text).first(e >= 0 ? e : text.size());
    if (mantissa.contains(u'.'))
        check(!mantissa.endsWith(u'0') && !mantissa.endsWith(u'.'), "numberText has trailing zeros", where);
    int significant = 0;
    bool started = false;
    for (const QChar c : mantissa) {
        started = started || (c >= u'1' && c <= u'9');
        significant += started && (c >= u'0' && c <= u'9');
    }
    // (Counted from the first non-zero digit, trailing zeros of a whole number included: those are written only below
    // 10^15, so there are 15 digits at most either way.)
    check(significant <= 15, "numberText has more than 15 significant digits", where);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    checkTextRules(decodeDataFile(bytesOf(data, size)));

    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        if (std::isfinite(value))
            checkNumberText(value);
    }
    return 0;
}
