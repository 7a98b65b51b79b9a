#include "ledger/LedgerChain.h"

#include "ledger/LedgerLine.h"
#include "store/TextCodec.h"

#include <QCryptographicHash>

#include <algorithm>

namespace tallivor {
namespace {

// One line of the file split at its last comma: the field bytes and the check, when it has a well-formed one.
struct Link
{
    QByteArrayView fields;
    QByteArrayView check;
    bool valid = false;
};

Link linkOf(QByteArrayView line)
{
    const qsizetype comma = line.lastIndexOf(',');
    if (comma < 0)
        return {};
    const QByteArrayView check = line.sliced(comma + 1);
    return {line.first(comma), check, isLedgerCheck(check)};
}

// Whether the line's check is the one computed on previous; hash is reused from line to line.
bool chains(QCryptographicHash& hash, QByteArrayView previous, const Link& link)
{
    if (!link.valid)
        return false;
    hash.reset();
    hash.addData(previous);
    hash.addData(QByteArrayView(","));
    hash.addData(link.fields);
    const QByteArrayView digest = hash.resultView();
    constexpr char hex[] = "0123456789abcdef";
    for (qsizetype i = 0; i < 8; ++i) {
        const auto byte = static_cast<unsigned char>(digest[i]);
        if (link.check[2 * i] != hex[byte >> 4] || link.check[2 * i + 1] != hex[byte & 15])
            return false;
    }
    return true;
}

// The lines of the file, each without its line end.
std::vector<QByteArrayView> linesOf(QByteArrayView bytes, bool& endsWithLineEnd)
{
    if (bytes.startsWith(utf8ByteOrderMark))
        bytes = bytes.sliced(3);
    std::vector<QByteArrayView> lines;
    endsWithLineEnd = bytes.isEmpty() || bytes.endsWith('\n');
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0)
            end = bytes.size();
        QByteArrayView line = bytes.sliced(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        lines.push_back(line);
        start = next;
    }
    return lines;
}

} // namespace

LedgerScan scanLedger(QByteArrayView bytes, const std::function<void(int, QByteArrayView)>& take)
{
    bool endsWithLineEnd = true;
    const std::vector<QByteArrayView> lines = linesOf(bytes, endsWithLineEnd);
    LedgerScan scan;
    if (lines.empty())
        return scan;
    if (lines[0] != QByteArrayView(ledgerHeading))
        scan.findings.push_back({1, Alteration::Heading});

    // Each line checked against the check stored on the line before it (damaged lines passed over).
    std::vector<Link> links(lines.size());
    std::vector<QByteArrayView> stored(lines.size());
    QByteArrayView last(ledgerFirstCheck);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        links[i] = linkOf(lines[i]);
        stored[i] = last;
        if (links[i].valid)
            last = links[i].check;
    }
    std::vector<char> chained(lines.size(), 0);
    {
        QCryptographicHash hash(QCryptographicHash::Sha256);
        for (std::size_t i = 1; i < lines.size(); ++i)
            chained[i] = chains(hash, stored[i], links[i]);
    }

    // Then in order, telling what a broken link means from the line after it.
    QCryptographicHash hash(QCryptographicHash::Sha256);
    QByteArrayView previous(ledgerFirstCheck);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const int number = int(i) + 1;
        const Link& link = links[i];
        const bool lastLine = i + 1 == lines.size();
        if (!link.valid) {
            scan.findings.push_back({number, lastLine && !endsWithLineEnd ? Alteration::Cut : Alteration::Damaged});
            continue;
        }
        if (take)
            take(number, link.fields);
        if (previous == stored[i] ? chained[i] : chains(hash, previous, link)) {
            previous = link.check;
            continue;
        }
        // An inserted line: the line after it chains on the line before it.
        if (!lastLine && chains(hash, previous, links[i + 1])) {
            scan.findings.push_back({number, Alteration::Inserted});
            continue;
        }
        scan.findings.push_back({number, lastLine && !endsWithLineEnd ? Alteration::Cut : Alteration::Changed});
        previous = link.check;
    }
    return scan;
}

LedgerTail ledgerTail(QByteArrayView bytes)
{
    LedgerTail tail;
    const std::vector<QByteArrayView> lines = linesOf(bytes, tail.endsWithLineEnd);
    tail.empty = lines.empty();
    tail.lastCheck = ledgerFirstCheck;
    for (std::size_t i = lines.size(); i-- > 1;) {
        const Link link = linkOf(lines[i]);
        if (link.valid) {
            tail.lastCheck = link.check.toByteArray();
            break;
        }
    }
    return tail;
}

} // namespace tallivor
