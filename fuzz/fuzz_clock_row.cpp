// One clock tick of one station row, with any time, charge and price text, and many seconds at once.
//
// The input is "time NUL charge NUL price", each piece read as data-file text; missing pieces are empty.
#include "FuzzSupport.h"
#include "board/ClockRule.h"
#include "board/Numbers.h"
#include "store/TextCodec.h"

using namespace tallivor;
using namespace fuzzing;

namespace {

const char* changeName(RowChange change)
{
    switch (change) {
    case RowChange::None: return "None";
    case RowChange::Time: return "Time";
    case RowChange::TimeAndCharge: return "TimeAndCharge";
    }
    return "(not a RowChange)";
}

struct Row
{
    QString time, charge;
};

std::string describe(const Row& before, const Row& after, RowChange change, QStringView price)
{
    return "time \"" + printable(QStringView(before.time)) + "\" -> \"" + printable(QStringView(after.time)) +
           "\"\ncharge \"" + printable(QStringView(before.charge)) + "\" -> \"" + printable(QStringView(after.charge)) +
           "\"\nprice \"" + printable(price) + "\", change " + changeName(change);
}

// The minutes and seconds pieces of a time as the clock reads them: before the first ":", and from there to the
// second ":" or the end. Nothing when there is no ":" or a piece is not one number.
struct Pieces
{
    double minutes, seconds;
};

std::optional<Pieces> readPieces(QStringView time)
{
    const qsizetype colon = time.indexOf(u':');
    if (colon < 0)
        return std::nullopt;
    const qsizetype next = time.indexOf(u':', colon + 1);
    const std::optional<double> minutes = wholeNumber(time.first(colon));
    const std::optional<double> seconds =
        wholeNumber(time.sliced(colon + 1, (next < 0 ? time.size() : next) - colon - 1));
    if (!minutes || !seconds)
        return std::nullopt;
    return Pieces{*minutes, *seconds};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QList<QByteArrayView> parts;
    QByteArrayView rest = bytesOf(data, size);
    for (int k = 0; k < 2; ++k) {
        const qsizetype nul = rest.indexOf('\0');
        parts.append(nul < 0 ? rest : rest.first(nul));
        rest = nul < 0 ? QByteArrayView() : rest.sliced(nul + 1);
    }
    parts.append(rest);
    const Row before{decodeDataFile(parts[0]), decodeDataFile(parts[1])};
    const QString priceText = decodeDataFile(parts[2]);

    // A stopped row stays as it is.
    {
        Row row = before;
        PriceReader price(priceText);
        const RowChange change = tickRow(row.time, row.charge, false, price);
        check(change == RowChange::None && row.time == before.time && row.charge == before.charge,
              "a stopped row changed", describe(before, row, change, priceText));
    }

    // Many seconds at once, as after a stall, end exactly as that many single seconds.
    {
        const qint64 seconds = 2 + qint64(size % 200);
        Row single = before, many = before;
        for (qint64 k = 0; k < seconds; ++k) {
            PriceReader price(priceText);
            tickRow(single.time, single.charge, true, price);
        }
        PriceReader price(priceText);
        const RowChange change = advanceRow(many.time, many.charge, true, price, seconds);
        check(many.time == single.time && many.charge == single.charge, "many seconds at once differ from single ones",
              describe(before, many, change, priceText) + "\n" + std::to_string(seconds) +
                  " seconds; single ones give \"" + printable(QStringView(single.time)) + "\", \"" +
                  printable(QStringView(single.charge)) + "\"");
    }

    Row row = before;
    PriceReader price(priceText);
    const RowChange change = tickRow(row.time, row.charge, true, price);
    const std::string where = describe(before, row, change, priceText);

    const std::optional<Pieces> pieces = readPieces(before.time);
    if (!pieces) {
        // No ":", or minutes or seconds that are not a number: the row is not a running clock.
        check(change == RowChange::None && row.time == before.time && row.charge == before.charge,
              before.time.contains(u':') ? "a row whose time pieces are not numbers changed"
                                         : "a row whose time has no \":\" changed",
              where);
        return 0;
    }
    check(change != RowChange::None, "a running row with a valid time did not tick", where);

    const double nextSecond = pieces->seconds + 1;
    if (!(nextSecond > 59)) {
        // One more second; the minutes keep their text, pieces after a second ":" are dropped.
        const QString expected = before.time.first(before.time.indexOf(u':') + 1) + numberText(nextSecond);
        check(change == RowChange::Time && row.time == expected && row.charge == before.charge,
              "a second was not added as it should",
              where + "\nexpected time \"" + printable(QStringView(expected)) + "\"");
    } else {
        // A completed minute: the seconds start again at 0 and the price is added to the charge, unless the sum is
        // not a finite number.
        const QString expectedTime = numberText(pieces->minutes + 1) + QLatin1String(":0");
        check(row.time == expectedTime, "a completed minute did not roll the time over",
              where + "\nexpected time \"" + printable(QStringView(expectedTime)) + "\"");
        const double sum = leadingNumber(before.charge) + leadingNumber(priceText);
        if (std::isfinite(sum))
            check(change == RowChange::TimeAndCharge && row.charge == numberText(sum),
                  "a completed minute was not charged as it should",
                  where + "\nexpected charge \"" + printable(QStringView(numberText(sum))) + "\"");
        else
            check(change == RowChange::Time && row.charge == before.charge,
                  "a charge whose sum is not finite was changed", where);
    }

    // Whatever a tick writes, the next tick can read: a running row never stops counting by itself.
    check(readPieces(row.time).has_value(), "the time written by a tick cannot be read by the next one", where);
    return 0;
}
