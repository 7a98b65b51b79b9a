#include "board/StationEdit.h"

#include "board/StationTable.h"
#include "store/StationFile.h"

#include <limits>

namespace tallivor {

Refusal refusalOf(const StationTable& table, int row, const StationEdit& edit)
{
    // Row indices are 16-bit: the board holds at most 32,767 stations. A station keeps its own name, even one that a
    // file edited by hand gave another station too.
    const bool full = row < 0 && table.size() >= std::numeric_limits<qint16>::max();
    const bool renamed = edit.name != table.text(Column::Name, row);
    if (edit.name.isEmpty() || !fitsStationField(edit.name) || full || (renamed && table.isNameTaken(edit.name, row)))
        return Refusal::Name;
    if (edit.spent && !fitsStationField(*edit.spent))
        return Refusal::Spent;
    if (edit.price && *edit.price && !isOwnPrice(**edit.price))
        return Refusal::Price;
    return Refusal::None;
}

} // namespace tallivor
