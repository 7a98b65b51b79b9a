#include "accounts/ReportWords.h"

#include "rules/Numbers.h"
#include "rules/TimeText.h"

namespace tallivor {
namespace {

// A ledger time stamp as the owner reads it: the local date and time to the minute.
QString readableTime(const QString& stamp)
{
    const QDateTime time = QDateTime::fromString(stamp, Qt::ISODate);
    return time.isValid() ? time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")) : stamp;
}

} // namespace

ReportWords::ReportWords(const KeyedTexts& texts, QString unit)
    : m_texts(texts), m_unit(std::move(unit)), m_rightToLeft(texts[KeyedText::Report].isRightToLeft())
{}

QString ReportWords::isolated(const QString& text) const
{
    // Between the isolates (LRI ... PDI) a date's or a name's digits and signs keep their order in a right-to-left
    // line; a left-to-right line needs none.
    return m_rightToLeft ? QChar(0x2066) + text + QChar(0x2069) : text;
}

QString ReportWords::money(const QString& amount) const
{
    return m_unit.isEmpty() ? amount : amount + QLatin1Char(' ') + m_unit;
}

QString ReportWords::period(const ReportModel& model) const
{
    const Period& period = model.period();
    if (period.sinceShift) {
        return m_texts[KeyedText::SinceShift] +
               (model.shiftTime().isEmpty() ? QString()
                                            : QStringLiteral(" (%1)").arg(isolated(readableTime(model.shiftTime()))));
    }
    const QString from = isolated(period.from.toString(Qt::ISODate));
    return period.from == period.to ? from
                                    : from + QStringLiteral(" \u2013 ") + isolated(period.to.toString(Qt::ISODate));
}

QString ReportWords::periodFileName(const ReportModel& model, const QDateTime& now)
{
    const Period& period = model.period();
    if (period.sinceShift)
        return QStringLiteral("shift-") + now.toString(QStringLiteral("yyyy-MM-dd_HHmmss"));
    const QString from = period.from.toString(Qt::ISODate);
    return period.from == period.to ? from : from + QLatin1Char('_') + period.to.toString(Qt::ISODate);
}

QString ReportWords::title(const ReportModel& model) const
{
    return m_texts[KeyedText::Report] + QStringLiteral("   ") + period(model);
}

QStringList ReportWords::figures(const PeriodTotals& totals) const
{
    return {m_texts[KeyedText::Bills] + QStringLiteral(": ") + QString::number(totals.bills),
            m_texts[KeyedText::Billed] + QStringLiteral(": ") + money(totals.billed.text()),
            m_texts[KeyedText::Time] + QStringLiteral(": ") + hoursText(totals.seconds)};
}

QString ReportWords::takings(const PeriodTotals& totals) const
{
    return QStringLiteral("%1: %2 (%3 %4, %5 %6)")
        .arg(m_texts[KeyedText::ReportTakings], money(totals.takings().text()), m_texts[KeyedText::ReportTimePart],
             money(totals.timeTakings().text()), m_texts[KeyedText::ReportProductsPart],
             money(totals.productTakings().text()));
}

QString ReportWords::chain(const ReportModel& model) const
{
    const QStringList found = findings(model);
    return found.isEmpty() ? m_texts[KeyedText::Intact]
                           : m_texts[KeyedText::Altered] + QLatin1Char('\n') + found.join(u'\n');
}

QStringList ReportWords::stationHeadings() const
{
    return {m_texts[KeyedText::Station],  m_texts[KeyedText::Bills],  m_texts[KeyedText::Time],
            m_texts[KeyedText::Overtime], m_texts[KeyedText::Amount], m_texts[KeyedText::ReportItems]};
}

QStringList ReportWords::stationCells(const StationTotal& station)
{
    return {station.station,
            QString::number(station.bills),
            hoursText(station.seconds),
            numberText(station.overtimeMinutes),
            station.amount.text(),
            station.items.text()};
}

QStringList ReportWords::productHeadings() const
{
    return {m_texts[KeyedText::ReportProducts], m_texts[KeyedText::ReportQuantity], m_texts[KeyedText::Amount],
            m_texts[KeyedText::ReportCounter], m_texts[KeyedText::ReportVoids]};
}

QStringList ReportWords::productCells(const ProductTotal& product)
{
    return {product.product, QString::number(product.quantity), product.amount.text(),
            QString::number(product.counterQuantity),
            QStringLiteral("%1 (%2)").arg(product.voidQuantity).arg(product.voidAmount.text())};
}

QStringList ReportWords::findings(const ReportModel& model) const
{
    QStringList texts;
    for (const FileFinding& found : model.findings()) {
        KeyedText text = KeyedText::Damaged;
        switch (found.finding.what) {
        case Alteration::Changed: text = KeyedText::Changed; break;
        case Alteration::Inserted: text = KeyedText::Inserted; break;
        case Alteration::Cut: text = KeyedText::Cut; break;
        case Alteration::Heading:
        case Alteration::Damaged: break;
        }
        texts << m_texts[text].arg(found.file).arg(found.finding.line);
    }
    return texts;
}

QString ReportWords::look(const ReportModel& model, const Look& look) const
{
    const LedgerEntry& entry = model.records()[std::size_t(look.record)].entry;
    const QString station = isolated(entry.station);
    const QString arrow = QStringLiteral("\u2192");
    QString why;
    switch (look.why) {
    case Notice::RemovedWithCharge: {
        QStringList parts{m_texts[KeyedText::Removed], station, entry.spent, money(entry.charge)};
        if (const std::optional<QString> items = detailOf(entry, Detail::Items))
            parts << QStringLiteral("+") << m_texts[KeyedText::ReportItems] << money(*items);
        why = parts.join(u' ');
        break;
    }
    case Notice::TimeLowered:
        why = QStringList{m_texts[KeyedText::Lowered], station, detailOf(entry, Detail::Time).value_or(QString()),
                          arrow, entry.spent}
                  .join(u' ');
        break;
    case Notice::PriceChanged:
        why = QStringList{m_texts[KeyedText::PriceChanged], detailOf(entry, Detail::Before).value_or(QString()), arrow,
                          entry.price}
                  .join(u' ');
        break;
    case Notice::Gap: {
        // Whether the board counted the gap's seconds afterwards (a hold-up it caught up) or not (sleep, or the
        // program closed): the owner's question is whether those minutes were billed.
        const double length = detailNumber(entry, Detail::Seconds), uncounted = detailNumber(entry, Detail::Uncounted);
        const QString running = QString::number(detailNumber(entry, Detail::Running));
        if (uncounted <= 0)
            why = m_texts[KeyedText::GapCounted].arg(hoursText(length), running);
        else if (uncounted >= length)
            why = m_texts[KeyedText::GapNotCounted].arg(hoursText(length), running);
        else
            why = m_texts[KeyedText::GapPartly].arg(hoursText(length), hoursText(uncounted), running);
        break;
    }
    case Notice::AckedLate: why = m_texts[KeyedText::AckedLate].arg(station, hoursText(look.seconds)); break;
    case Notice::NeverAcked: why = m_texts[KeyedText::NeverAcked].arg(station); break;
    case Notice::Voided:
        why = m_texts[KeyedText::ReportVoided].arg(
            entry.station.isEmpty() ? m_texts[KeyedText::ReportCounterName] : station,
            detailOf(entry, Detail::Quantity).value_or(QString()), detailOf(entry, Detail::Product).value_or(QString()),
            money(entry.charge));
        break;
    case Notice::StockBelowZero:
    case Notice::StockLow:
        why = m_texts[look.why == Notice::StockLow ? KeyedText::ReportStockLow : KeyedText::ReportStockBelowZero].arg(
            detailOf(entry, Detail::Product).value_or(QString()), detailOf(entry, Detail::Stock).value_or(QString()));
        break;
    case Notice::LinesLost:
        why = m_texts[KeyedText::Lost].arg(detailOf(entry, Detail::Lines).value_or(QString()),
                                           isolated(readableTime(detailOf(entry, Detail::Since).value_or(QString()))));
        break;
    }
    return isolated(QString(entry.time).replace(QLatin1Char('T'), QLatin1Char(' ')).left(19)) + QStringLiteral("   ") +
           why;
}

} // namespace tallivor
