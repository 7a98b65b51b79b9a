// A ledger month file from any bytes: reading it and checking its chain never fails (the sanitizers watch), and any
// bytes written as a station name read back as that name, in a file whose chain checks.
#include "FuzzSupport.h"
#include "ledger/LedgerChain.h"
#include "ledger/LedgerLine.h"
#include "store/TextCodec.h"

using namespace tallivor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    scanLedger(bytes, [](int, QByteArrayView fields) { parseLedgerFields(fields); });
    const QString name = decodeUtf8Keeping(bytes), expected = QString(name).replace(u'\r', u' ').replace(u'\n', u' ');
    QByteArray file = QByteArray(ledgerHeading) + "\r\n", chain = ledgerFirstCheck;
    for (const char* event : {"bill", "remove"}) {
        file += ledgerLine({QStringLiteral("2026-12-07T14:03:22+01:00"), QLatin1String(event), name,
                            QStringLiteral("1:0"), QStringLiteral("10"), QStringLiteral("10"), name},
                           chain);
    }
    const LedgerScan own = scanLedger(file, [&](int, QByteArrayView fields) {
        const std::optional<LedgerEntry> entry = parseLedgerFields(fields);
        check(entry && entry->station == expected && entry->detail == expected, "a written field does not read back");
    });
    check(own.findings.empty(), "a file the ledger wrote does not check");
    return 0;
}
