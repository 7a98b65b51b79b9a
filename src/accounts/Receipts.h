#pragma once

#include "till/Bill.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace tallivor {

// An earlier bill as the ledger holds it, found by its bill line's check (the number its receipt carries), so that
// the receipt can be printed again. The time, the time spent and the charges are the bill line's; the items are the
// sale lines of its station since the station's previous bill (or its removal), less those voided, the station
// followed back through its renames. When they do not come to what the bill line says the items came to (lines lost
// to a full disk, a tab from before the ledger's first file), the bill has the items' total alone and no items.
// Nothing when no bill line has that check.
std::optional<Bill> billOf(const QString& folder, QByteArrayView check);

} // namespace tallivor
