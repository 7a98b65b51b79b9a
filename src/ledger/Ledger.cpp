#include "ledger/Ledger.h"

#include "ledger/LedgerChain.h"
#include "ledger/SyncedFile.h"
#include "store/DataFile.h"
#include "store/TextCodec.h"

#include <QDir>
#include <QtDebug>

namespace tallivor {

Ledger::Ledger(QString folder, std::function<QDateTime()> now) : m_folder(std::move(folder)), m_now(std::move(now)) {}

QDateTime Ledger::now() const
{
    return m_now ? m_now() : QDateTime::currentDateTime();
}

void Ledger::append(LedgerEntry entry)
{
    entry.time = ledgerTime(now());
    m_pending.push_back(std::move(entry));
    writePending();
}

QByteArray Ledger::head() const
{
    const QString name = ledgerFileName(now().date());
    if (name == m_fileName && !m_lastCheck.isEmpty())
        return m_lastCheck;
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
            qWarning("Cannot open the ledger %s", qPrintable(path));
            return;
        }

        QByteArray bytes;
        QByteArray check = m_lastCheck;
        if (name != m_fileName || file.size() != m_fileSize) {
            const std::optional<QByteArray> content = readWholeFile(path);
            if (!content) {
                qWarning("Cannot read the ledger %s", qPrintable(path));
                return;
            }
            const LedgerTail tail = ledgerTail(*content);
            if (tail.empty)
                bytes += (content->isEmpty() ? QByteArray(utf8ByteOrderMark) : QByteArray()) + ledgerHeading + "\r\n";
            else if (!tail.endsWithLineEnd)
                bytes += "\r\n"; // after a line cut short, the next starts on a line of its own
            check = tail.lastCheck;
        }
        std::vector<QByteArray> checks;
        for (std::size_t i = 0; i < count; ++i) {
            bytes += ledgerLine(m_pending[i], check);
            checks.push_back(check);
        }
        if (!file.append(bytes.constData(), std::size_t(bytes.size()))) {
            qWarning("Cannot write the ledger %s: %zu lines wait for the next write", qPrintable(path),
                     m_pending.size());
            return;
        }
        m_fileName = name;
        m_fileSize = file.size();
        m_lastCheck = check;
        const std::vector<LedgerEntry> written(m_pending.begin(), m_pending.begin() + std::ptrdiff_t(count));
        m_pending.erase(m_pending.begin(), m_pending.begin() + std::ptrdiff_t(count));
        if (m_onWritten) {
            for (std::size_t i = 0; i < written.size(); ++i)
                m_onWritten(written[i], checks[i]);
        }
    }
}

} // namespace tallivor
