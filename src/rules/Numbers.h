#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace tallivor {

// The leading number of a text, the way charges and prices are read: blanks, tabs and line feeds anywhere in the
// text are skipped; then an optional sign, digits, an optional "." with more digits and an optional exponent (E,
// optional sign, digits) form the number, and reading stops at the first other character. A text with no leading
// number gives 0 ("", "abc"); "12abc" gives 12; "1,5" gives 1. A magnitude beyond the range of a double gives an
// infinity of that sign, one too small to hold gives 0.
double leadingNumber(QStringView text);

// A number written the way the program writes sums and counts: rounded to 15 significant digits, without a plus
// sign, thousands separators or trailing zeros, always with "." as the decimal point whatever the regional settings
// (the leading-number rule reads only "."); a whole number has no point ("60"). Magnitudes of 10^15 and above and
// below 10^-4 are written in exponent form: "1E+15", "1E-05". Minus zero is "0".
QString numberText(double value);
void appendNumberText(QString& out, double value);

// The value of a text that holds one finite number and nothing else but blanks or tabs around it, such as the
// minutes and seconds pieces of a time; nothing when it holds anything else.
std::optional<double> wholeNumber(QStringView text);

// Whether the text begins with a number by the leading-number rule (after blanks, an optional sign, a digit, or "."
// and a digit), as a price must: "25", "0.5", ".5" do, "abc" and "" do not.
bool hasLeadingNumber(QStringView text);

// What a price box takes of text typed or pasted into it, when the rest of the box already holds a decimal mark or
// not: the digits and one decimal mark, written "." (a "," becomes "."; the station file cannot hold a comma, and
// many operators type one); everything else is dropped. Nothing (the input is refused) when it would give the price
// a second mark: "1,234.50" is no price, and never becomes 1.23450.
std::optional<QString> priceBoxInput(QStringView input, bool boxHasMark);

} // namespace tallivor
