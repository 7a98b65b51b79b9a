// The board's operations: every change of the station table, the price and the language happens in one of these,
// and each writes its line to the ledger before it returns.
#include "board/Form1.h"
#include "report/Totals.h"
#include "store/StationFile.h"
#include "ui/ListBox.h"
#include "ui/ScrollBar.h"
#include "ui/TextBox.h"

#include <limits>

namespace tallivor {

bool Form1::addStation(const QString& name, const QString& time)
{
    // Row indices are 16-bit: the board holds at most 32,767 stations.
    const bool full = Namelist->listCount() >= std::numeric_limits<qint16>::max();
    if (name.isEmpty() || name == Namelist->list(Namelist->listIndex()) || !fitsStationField(name) ||
        !fitsStationField(time) || full)
        return false;
    Eventlist->addItem(Stopcaption);
    Namelist->addItem(name);
    timeList->addItem(time);
    Rellist->addItem(QStringLiteral("00"));
    // Selecting through the scroll bar runs the selection cascade only when its value changes. It already holds the
    // new index when the last row was removed before; the new station is still the one selected, or Enter, Delete and
    // the editor's next Save would act on no station or on another one.
    const int last = Namelist->listCount() - 1;
    VScroll1->setMax(last);
    VScroll1->setValue(last);
    Namelist->setListIndex(last);
    for (ListBox* list : {Namelist, timeList, Eventlist, Rellist})
        NoVertScrollBar(list);
    recordRow(LedgerEvent::Add, last);
    return true;
}

bool Form1::editSelectedStation(const QString& name, const QString& time)
{
    if (name.isEmpty() || !fitsStationField(name) || !fitsStationField(time))
        return false;
    const int nameRow = Namelist->listIndex();
    const int timeRow = timeList->listIndex();
    if (nameRow < 0 || timeRow < 0)
        return true; // no station selected to write to
    const QString nameBefore = Namelist->list(nameRow);
    const QString timeBefore = timeList->list(timeRow);
    Namelist->setList(nameRow, name);
    timeList->setList(timeRow, time);
    if (name != nameBefore || time != timeBefore) {
        // The time first: a name may hold "; ", a time from the editor never does.
        recordRow(LedgerEvent::Edit, nameRow,
                  ledgerDetail({{QLatin1String("time"), timeBefore}, {QLatin1String("name"), nameBefore}}));
    }
    return true;
}

void Form1::toggleStation(int row)
{
    if (row < 0 || row >= Eventlist->listCount())
        return;
    const QString word = Eventlist->list(row) == Stopcaption ? Startcaption : Stopcaption;
    Eventlist->setList(row, word);
    recordRow(word == Startcaption ? LedgerEvent::Start : LedgerEvent::Stop, row);
}

void Form1::resetSelectedStation()
{
    if (timeList->listIndex() < 0 || Rellist->listIndex() < 0)
        return;
    const QString spent = timeList->list(timeList->listIndex());
    const QString charge = Rellist->list(Rellist->listIndex());
    const QString cleared[] = {QStringLiteral("00:00"), QStringLiteral("00")};
    timeList->setList(timeList->listIndex(), cleared[0]);
    Rellist->setList(Rellist->listIndex(), cleared[1]);
    // The values the reset cleared are the bill; a row that was already clear had nothing to bill.
    if (spent != cleared[0] || charge != cleared[1])
        m_ledger.append(LedgerEvent::Bill, Namelist->list(Namelist->listIndex()), spent, charge, REL->text());
}

void Form1::removeSelectedStation()
{
    const std::array<ListBox*, 4> lists{Eventlist, Namelist, timeList, Rellist};
    // Remove only a row that all four lists agree on: a partial removal would shift one column against the others.
    for (ListBox* list : lists) {
        if (list->listIndex() < 0 || list->listIndex() != Namelist->listIndex())
            return;
    }
    const int row = Namelist->listIndex();
    const QString station = Namelist->list(row), spent = timeList->list(row), charge = Rellist->list(row);
    const QString state = Eventlist->list(row);
    for (ListBox* list : lists)
        list->removeItem(list->listIndex());
    m_ledger.append(LedgerEvent::Remove, station, spent, charge, REL->text(),
                    ledgerDetail({{QLatin1String("state"), state}}));
}

bool Form1::applySettings(const QString& price, const QString& language)
{
    if (!fitsStationField(price) || !fitsStationField(language))
        return false;
    const QString priceBefore = REL->text();
    REL->setText(price);
    if (price != priceBefore)
        m_ledger.append(LedgerEvent::Price, {}, {}, {}, price, ledgerDetail({{QLatin1String("before"), priceBefore}}));
    if (language != languageStr) {
        const QString languageBefore = languageStr;
        languageStr = language;
        translate();
        m_ledger.append(
            LedgerEvent::Language, {}, {}, {}, price,
            ledgerDetail({{QLatin1String("language"), language}, {QLatin1String("before"), languageBefore}}));
    }
    return true;
}

PeriodTotals Form1::closeShift()
{
    const PeriodTotals totals = totalsOf(readLedger(m_folder, Period{{}, {}, true}).records);
    m_ledger.append(LedgerEvent::Shift, {}, {}, {}, REL->text(), shiftDetail(totals));
    return totals;
}

void Form1::recordRow(LedgerEvent event, int row, const QString& detail)
{
    m_ledger.append(event, Namelist->list(row), timeList->list(row), Rellist->list(row), REL->text(), detail);
}

} // namespace tallivor
