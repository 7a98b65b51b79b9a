#include "LedgerSample.h"

#include "ledger/Events.h"
#include "store/TextCodec.h"

#include <QDateTime>

namespace bench {

using tallivor::LedgerEvent;

QByteArray sampleLedgerMonth(QDate first, QDate last, int lines, bool sales)
{
    QByteArray bytes = QByteArray(tallivor::utf8ByteOrderMark) + tallivor::ledgerHeading + "\r\n";
    bytes.reserve(qsizetype(lines) * 90 + 100);
    QByteArray check = tallivor::ledgerFirstCheck;
    const int days = int(first.daysTo(last)) + 1;
    const qint64 openSeconds = 16 * 3600; // 08:00 to 24:00
    const QString price = QStringLiteral("10");
    for (int i = 0; i < lines; ++i) {
        const qint64 at = qint64(i) * days * openSeconds / lines;
        const QDateTime time(first.addDays(at / openSeconds), QTime(8, 0).addSecs(int(at % openSeconds)),
                             Qt::OffsetFromUTC, 3600);
        const int station = (i / 3) % 14;
        const QString name = station < 12
                                 ? QStringLiteral("PC %1").arg(station + 1, 2, 10, QLatin1Char('0'))
                                 : QStringList{QStringLiteral("VR corner"), QStringLiteral("Console")}[station - 12];
        const int minutes = 10 + (i * 7) % 110;
        const QString spent = QStringLiteral("%1:%2").arg(minutes).arg((i * 13) % 60);
        const QString charge = QString::number(minutes * 10);
        LedgerEvent event = i % 3 == 0 ? LedgerEvent::Start : i % 3 == 1 ? LedgerEvent::Stop : LedgerEvent::Bill;
        QString detail;
        if (i % 97 == 40) {
            event = LedgerEvent::Edit;
            detail = QStringLiteral("time=%1:0; name=%2").arg(minutes + 30).arg(name);
        } else if (i % 199 == 70) {
            event = LedgerEvent::Remove;
            detail = QStringLiteral("state=Stop");
        } else if (i % 499 == 100) {
            event = LedgerEvent::Price;
            detail = QStringLiteral("before=12");
        } else if (i % 997 == 20) {
            event = LedgerEvent::Gap;
            detail = QStringLiteral("seconds=340; running=6");
        }
        if (sales && event == LedgerEvent::Start) {
            const QString product =
                QStringList{QStringLiteral("Cola"), QStringLiteral("Chips"), QStringLiteral("Coffee")}[(i / 3) % 3];
            bytes += tallivor::ledgerLine({tallivor::ledgerTime(time),
                                           QStringLiteral("sale"),
                                           i % 2 ? name : QString(),
                                           {},
                                           QStringLiteral("3"),
                                           QStringLiteral("1.5"),
                                           QStringLiteral("product=%1; quantity=2; stock=%2").arg(product).arg(i % 50)},
                                          check);
            continue;
        }
        const bool row = event != LedgerEvent::Price && event != LedgerEvent::Gap;
        bytes += tallivor::ledgerLine({tallivor::ledgerTime(time), tallivor::eventName(event), row ? name : QString(),
                                       row ? spent : QString(), row ? charge : QString(), price, detail},
                                      check);
    }
    return bytes;
}

} // namespace bench
