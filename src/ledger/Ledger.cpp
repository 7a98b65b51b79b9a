#include "ledger/Ledger.h"

#include "ledger/LedgerChain.h"
#include "store/DataFile.h"
#include "store/SyncedFile.h"
#include "store/TextCodec.h"

#include <QDir>
#include <QtDebug>

#include <algorithm>

namespace tallivor {

Ledger::Ledger(QString folder, std::function<QDateTime()> now) : m_folder(std::move(folder)), m_now(std::move(now)) {}

QDateTime Ledger::now() const
{
    return m_now ? m_now() : QDateTime::currentDateTime();
}

namespace {

// The file that keeps how many lines wait, and since when: a fixed size, written in place.
constexpr char waitingFileName[] = "tallivor.waiting";
constexpr qsizetype waitingFileSize = 96;

// Why the disk refused the ledger, told to the debug log as well.
WriteFault refused(WriteFault fault, const char* what, const QString& path, std::size_t waiting)
{
    qWarning("Cannot %s the ledger %s: %zu lines wait for the next write", what, qPrintable(path), waiting);
    return fault;
}

QByteArray waitingBytes(int lines, const QString& since)
{
    QByteArray bytes = "waiting=" + QByteArray::number(lines) + "; from=" + since.toLatin1();
    bytes = bytes.leftJustified(waitingFileSize - 2, ' ', true);
    return bytes + "\r\n";
}

} // namespace

quint64 Ledger::append(LedgerEntry entry)
{
    entry.time = ledgerTime(now());
    m_pending.push_back(std::move(entry));
    m_pendingNumbers.push_back(++m_appended);
    writePending();
    return m_appended;
}

QString Ledger::checkToBe(quint64 line)
{
    return QStringLiteral("\u0001%1\u0001").arg(line);
}

bool Ledger::flush()
{
    writePending();
    return m_pending.empty();
}

std::optional<Ledger::Lost> Ledger::takeLost()
{
    const QString path = QDir(m_folder).filePath(QLatin1String(waitingFileName));
    const std::optional<QByteArray> bytes = readWholeFile(path);
    std::optional<Lost> lost;
    if (bytes && bytes->startsWith("waiting=")) {
        const QString text = QString::fromLatin1(*bytes).trimmed();
        const int lines = text.section(u';', 0, 0).section(u'=', 1).toInt();
        if (lines > 0)
            lost = Lost{lines, text.section(QLatin1String("from="), 1)};
    }
    if (!bytes || bytes->size() != waitingFileSize)
        m_recordedWaiting = replaceFile(path, waitingBytes(0, {})) ? 0 : -1;
    else
        m_recordedWaiting = lost ? lost->lines : 0;
    recordWaiting(); // a count that was lost is written over: this start has said so
    return lost;
}

void Ledger::recordWaiting()
{
    const int waiting = pendingLines();
    if (m_recordedWaiting == -1 || waiting == m_recordedWaiting)
        return;
    const QByteArray bytes = waitingBytes(waiting, waiting > 0 ? m_pending.front().time : QString());
    const QString path = QDir(m_folder).filePath(QLatin1String(waitingFileName));
    if (overwriteInPlace(path.toStdU16String(), bytes.constData(), std::size_t(bytes.size())))
        m_recordedWaiting = waiting;
}

QByteArray Ledger::head() const
{
    const QString name = ledgerFileName(now().date());
    const std::optional<QByteArray> content = readWholeFile(QDir(m_folder).filePath(name));
    return content ? ledgerTail(*content).lastCheck : QByteArray(ledgerFirstCheck);
}

void Ledger::writePending()
{
    while (!m_pending.empty()) {
        // The lines of one month go to its file in one write; a line stamped in the next month starts the next.
        const QString month = m_pending.front().time.left(7);
        std::size_t count = 0;
        while (count < m_pending.size() && m_pending[count].time.startsWith(month))
            ++count;
        const QString name = ledgerFileName(QDate::fromString(month + QLatin1String("-01"), Qt::ISODate));
        const QString path = QDir(m_folder).filePath(name);
        SyncedFile file(path.toStdU16String());
        if (!file.isOpen()) {
            m_fault = refused(faultOfError(file.error()), "open", path, m_pending.size());
            break;
        }

        QByteArray bytes;
        QByteArray check = m_lastCheck;
        if (name != m_fileName || file.size() != m_fileSize) {
            const std::optional<QByteArray> content = readWholeFile(path);
            if (!content) {
                m_fault = refused(WriteFault::Denied, "read", path, m_pending.size());
                break;
            }
            const LedgerTail tail = ledgerTail(*content);
            if (tail.empty)
                bytes += (content->isEmpty() ? QByteArray(utf8ByteOrderMark) : QByteArray()) + ledgerHeading + "\r\n";
            else if (!tail.endsWithLineEnd)
                bytes += "\r\n"; // after a line cut short, the next starts on a line of its own
            check = tail.lastCheck;
        }
        std::vector<QByteArray> checks;
        std::vector<LedgerEntry> written;
        for (std::size_t i = 0; i < count; ++i) {
            LedgerEntry entry = m_pending[i]; // a refused write leaves the line as it was, to be tried again
            // A check that was to be known once its line was written is known now: that line went before.
            for (qsizetype at = entry.detail.indexOf(u'\u0001'); at >= 0; at = entry.detail.indexOf(u'\u0001')) {
                const qsizetype end = entry.detail.indexOf(u'\u0001', at + 1);
                if (end < 0)
                    break;
                const quint64 line = entry.detail.mid(at + 1, end - at - 1).toULongLong();
                QByteArray known = m_checks.value(line);
                const auto earlier = std::find(m_pendingNumbers.begin(), m_pendingNumbers.begin() + i, line);
                if (earlier != m_pendingNumbers.begin() + i)
                    known = checks[std::size_t(earlier - m_pendingNumbers.begin())];
                entry.detail.replace(at, end - at + 1, QString::fromLatin1(known));
            }
            bytes += ledgerLine(entry, check);
            checks.push_back(check);
            written.push_back(std::move(entry));
        }
        if (!file.append(bytes.constData(), std::size_t(bytes.size()))) {
            m_fault = refused(faultOfError(file.error()), "write", path, m_pending.size());
            break;
        }
        m_fileName = name;
        m_fileSize = file.size();
        m_lastCheck = check;
        for (std::size_t i = 0; i < count; ++i)
            m_checks.insert(m_pendingNumbers[i], checks[i]);
        m_pending.erase(m_pending.begin(), m_pending.begin() + std::ptrdiff_t(count));
        m_pendingNumbers.erase(m_pendingNumbers.begin(), m_pendingNumbers.begin() + std::ptrdiff_t(count));
        if (m_onWritten) {
            for (std::size_t i = 0; i < written.size(); ++i)
                m_onWritten(written[i], checks[i]);
        }
    }
    recordWaiting();
}

} // namespace tallivor
