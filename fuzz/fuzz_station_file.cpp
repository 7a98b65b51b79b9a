// The station file from any bytes: reading never fails, the bytes are written back as they were read, and the board
// read from them, written and read again, is the same board.
#include "FuzzSupport.h"
#include "store/StationFile.h"
#include "store/TextCodec.h"

using namespace tallivor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = decodeDataFile(bytes);
    // A leading byte-order mark is a marker, not text: such a file may come back without it.
    if (!bytes.startsWith(utf8ByteOrderMark))
        check(encodeDataFile(text) == bytes, "the bytes are not written back as they were read");

    const StationFile file = parseStationFile(text);
    const qsizetype rows = file.name.size();
    check(file.state.size() + file.spent.size() + file.charge.size() == 3 * rows, "the columns differ in length");
    const QString price = file.price.value_or(QString()), language = file.language.value_or(QString());
    const StationFile again = parseStationFile(decodeDataFile(encodeDataFile(formatStationFile(file))));
    check(again.price == price && again.language == language && again.state == file.state && again.name == file.name &&
              again.spent == file.spent && again.charge == file.charge && again.ownPrice == file.ownPrice &&
              again.paid == file.paid,
          "the board changed on the way through the file");
    check(again.lineCount == qint16(std::min<qsizetype>(rows + 1, 32767)), "the line counter is not the lines written");
    return 0;
}
