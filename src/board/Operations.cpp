// The board's operations: every change of the station table, the price and the language happens in one of these.
#include "board/Form1.h"
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
    Namelist->setList(nameRow, name);
    timeList->setList(timeRow, time);
    return true;
}

void Form1::toggleStation(int row)
{
    if (row < 0 || row >= Eventlist->listCount())
        return;
    Eventlist->setList(row, Eventlist->list(row) == Stopcaption ? Startcaption : Stopcaption);
}

void Form1::resetSelectedStation()
{
    if (timeList->listIndex() < 0 || Rellist->listIndex() < 0)
        return;
    timeList->setList(timeList->listIndex(), QStringLiteral("00:00"));
    Rellist->setList(Rellist->listIndex(), QStringLiteral("00"));
}

void Form1::removeSelectedStation()
{
    const std::array<ListBox*, 4> lists{Eventlist, Namelist, timeList, Rellist};
    // Remove only a row that all four lists agree on: a partial removal would shift one column against the others.
    for (ListBox* list : lists) {
        if (list->listIndex() < 0 || list->listIndex() != Namelist->listIndex())
            return;
    }
    for (ListBox* list : lists)
        list->removeItem(list->listIndex());
}

bool Form1::applySettings(const QString& price, const QString& language)
{
    if (!fitsStationField(price) || !fitsStationField(language))
        return false;
    REL->setText(price);
    if (language != languageStr) {
        languageStr = language;
        translate();
    }
    return true;
}

} // namespace tallivor
