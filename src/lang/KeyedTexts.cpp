#include "lang/KeyedTexts.h"

namespace tallivor {
namespace {

struct KeyedEntry
{
    const char* key;
    const char* english;
};

// In the order of KeyedText.
constexpr std::array<KeyedEntry, keyedTextCount> entries{{
    {"Report", "Report"},
    {"PaidLeft", "%1 left"},
    {"PaidOver", "%1 over"},
    {"PaidEnds", "ends %1"},
    {"PaidPaused", "paused"},
    {"PaidDue", "time is up"},
    {"PaidKeys", "+ adds 15 paid minutes, - takes 15 off, Escape silences the alarm"},
    {"EditPrice", "Own price :"},
    {"EditPaid", "Paid time :"},
    {"ReportToday", "Today"},
    {"ReportSinceShift", "Since shift close"},
    {"ReportFrom", "From"},
    {"ReportTo", "to"},
    {"ReportBills", "Bills"},
    {"ReportBilled", "Billed"},
    {"ReportTime", "Time billed"},
    {"ReportStation", "Station"},
    {"ReportAmount", "Amount"},
    {"ReportByHour", "Takings per hour"},
    {"ReportLook", "Worth a look"},
    {"ReportIntact", "Ledger intact: no line changed, inserted or deleted"},
    {"ReportAltered", "Ledger altered:"},
    {"ReportPending", "%1 ledger lines wait to be written: the disk refused them"},
    {"ReportPrint", "Print"},
    {"ReportExport", "Export CSV"},
    {"ReportCloseShift", "Close shift"},
    {"ReportNoPrinter", "No printer: saved as %1"},
    {"ReportSaved", "Saved as %1"},
    {"ReportShiftClosed", "Shift closed: %1 bills, %2"},
    {"ReportRemoved", "removed with a charge"},
    {"ReportLowered", "time lowered"},
    {"ReportGapCounted", "gap of %1, all counted (held up, then caught up); stations running: %2"},
    {"ReportGapNotCounted", "gap of %1, not counted (asleep, or the program closed); stations running: %2"},
    {"ReportGapPartly", "gap of %1, %2 of it not counted (asleep); stations running: %3"},
    {"ReportPrice", "price changed"},
    {"ReportAckedLate", "%1: paid time up, acknowledged after %2"},
    {"ReportNeverAcked", "%1: paid time up, never acknowledged"},
    {"ReportOvertime", "Past paid (min)"},
    {"ReportCloseShiftAsk", "Stations with an unbilled charge: %1. Click Close shift again to close the shift."},
    {"ReportChanged", "%1 line %2: changed, or lines before it deleted"},
    {"ReportInserted", "%1 line %2: inserted"},
    {"ReportDamaged", "%1 line %2: damaged"},
    {"ReportCut", "%1 line %2: cut short (a power cut?)"},
    {"DiskWarning", "Not saved: %1. Everything is written as soon as the disk takes it: free some space, or close "
                    "the program that holds the file."},
    {"DiskLedger", "the ledger (%1), %2 lines wait"},
    {"DiskStationFile", "the board (%1)"},
    {"DiskFull", "disk full"},
    {"DiskDenied", "not allowed, or in use"},
    {"DiskOther", "write error"},
    {"DiskCloseAgain", "Not saved: %1. Close again to close anyway."},
    {"ReportLost", "%1 ledger lines lost: the program ended while the disk refused them, the first at %2"},
    {"TabSpoken", "items %1"},
    {"SellTitle", "Sell: %1"},
    {"SellCounter", "counter"},
    {"SellFind", "Type a name or a code; Enter puts one on; 3*cola puts three"},
    {"SellNoProducts", "No products yet: F8 opens the products list"},
    {"SellOnTab", "On the tab"},
    {"SellThisCustomer", "This customer"},
    {"SellTotal", "Total: %1"},
    {"SellStock", "%1 left"},
    {"SellNotSaved", "Not saved yet: the disk refused the line; it is written as soon as it can be"},
    {"SellKeys",
     "Type to find, Up and Down to choose, Enter puts one on, a number and * before the name puts that "
     "many, Ctrl+Z takes the last off, Delete takes the selected item off, F6 prints, F8 opens the products list, "
     "Escape closes"},
    {"ProductsTitle", "Products"},
    {"ProductsName", "Product"},
    {"ProductsPrice", "Price"},
    {"ProductsStock", "Stock"},
    {"ProductsCode", "Code"},
    {"ProductsReorder", "Reorder at"},
    {"ProductsAdd", "Add"},
    {"ProductsRemove", "Remove"},
    {"ProductsDelivered", "Delivered"},
    {"ProductsCounted", "Counted"},
    {"ProductsUp", "Up"},
    {"ProductsDown", "Down"},
    {"ProductsKept", "Line %1 is kept as it stands: %2"},
    {"ProductsBadName", "the name is empty or holds a semicolon, an equals sign or a control character"},
    {"ProductsBadPrice", "the price is no price"},
    {"ProductsBadCount", "a count is not a whole number from -99999 to 99999"},
    {"ProductsDuplicate", "a product of that name is listed above"},
    {"ProductsMalformed", "its quoting is broken"},
    {"ProductsNotAList", "tallivor-products.csv has no heading product,price,stock: it is left as it is"},
    {"ProductsRefused", "Refused: %1"},
    {"BillTitle", "Bill: %1"},
    {"BillTime", "Time %1"},
    {"BillTotal", "Total"},
    {"BillPrint", "F6 prints the receipt"},
    {"ReceiptNumber", "Receipt %1"},
    {"ReceiptStation", "Station %1"},
    {"ReceiptPrinted", "Receipt printed"},
    {"ReceiptSaved", "No printer: the receipt is saved as %1"},
    {"ReceiptPrint", "Print receipt"},
    {"ReceiptUnknown", "No bill has the receipt number %1"},
    {"RoomTitle", "Room settings"},
    {"RoomName", "Name on the receipt"},
    {"RoomAddress", "Address lines"},
    {"RoomClosing", "Last line"},
    {"RoomPrinter", "Receipt printer"},
    {"RoomWidth", "Roll width (mm)"},
    {"RoomDefaultPrinter", "the default printer"},
    {"RoomOpens", "Room settings (F3)"},
    {"ReportTakings", "Takings"},
    {"ReportTimePart", "Time"},
    {"ReportProductsPart", "Products"},
    {"ReportProducts", "Products sold"},
    {"ReportQuantity", "How many"},
    {"ReportCounter", "At the counter"},
    {"ReportVoids", "Taken back"},
    {"ReportItems", "Items"},
    {"ReportVoided", "%1: %2 x %3 taken back, %4"},
    {"ReportCounterName", "counter"},
    {"ReportStockBelowZero", "%1: sold below zero, the count says %2"},
    {"ReportStockLow", "%1: %2 left, at or below its reorder count"},
    {"ReportRemovedItems", "removed with items on its tab"},
    {"ReportReceipt", "Receipt again"},
    {"ProductsBadCode", "the code holds a control character"},
    {"ProductsCodeTaken", "another product has that code"},
    {"ProductsNoProduct", "no product is selected"},
    {"ProductsNotCounted", "the stock of this product is not counted"},
    {"ProductsBadQuantity", "a delivery is a whole number of at least 1"},
    {"ProductsOutOfRange", "the stock would go past 99999"},
}};
static_assert(entries.back().key != nullptr, "a keyed text without its entry");

} // namespace

KeyedTexts::KeyedTexts(const QHash<QString, QString>& file)
{
    // A text fits a line of the window; a damaged file's megabyte of text would only stall it.
    constexpr qsizetype longestText = 1000;
    for (std::size_t i = 0; i < keyedTextCount; ++i)
        m_texts[i] = file.value(QLatin1String(entries[i].key), QString::fromUtf8(entries[i].english)).left(longestText);
}

QLatin1String KeyedTexts::key(KeyedText text)
{
    return QLatin1String(entries[std::size_t(text)].key);
}

} // namespace tallivor
