#pragma once

#include "lang/KeyedTexts.h"
#include "till/Bill.h"
#include "till/RoomSettings.h"
#include "ui/Document.h"

#include <QString>
#include <QTextDocument>

#include <memory>

namespace tallivor {

// What a receipt is made of beside the bill: its number (the check of the bill line), the room's settings, the words
// of the language in force and the currency unit.
struct ReceiptContext
{
    const RoomSettings& room;
    const KeyedTexts& texts;
    QString unit;
};

// The receipt of a bill as it is printed: the room's name and address, the date and time, the receipt's number, the
// station (or the counter), the time used and its charge, each item with its quantity and amount, the total, and the
// room's closing line; mirrored in a right-to-left language.
std::unique_ptr<QTextDocument> receiptDocument(const Bill& bill, const QString& number, const ReceiptContext& context);

// Prints the receipt at once, without a dialog: on the receipt printer the room names, on a page as wide as its roll
// and as long as the receipt; on the default printer's page when the system has no printer of that name; with no
// printer at all as tallivor-receipt-<number>.pdf in the folder, roll-sized, never over an earlier one.
Printed printReceipt(const Bill& bill, const QString& number, const ReceiptContext& context, const QString& folder);

} // namespace tallivor
