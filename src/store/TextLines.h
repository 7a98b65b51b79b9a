#pragma once

#include <QList>
#include <QStringView>

namespace tallivor {

// Splits the text of a data file into its lines. A line ends at CR LF or at a lone CR; a LF that does not follow a
// CR stays part of the line's text. The end of the text ends the last line, and a text that ends with a line end
// has no empty line after it. The views point into text.
QList<QStringView> splitLines(QStringView text);

// The pieces of a line cut at every occurrence of separator; an empty line has no pieces at all.
QList<QStringView> splitFields(QStringView line, QChar separator);

} // namespace tallivor
