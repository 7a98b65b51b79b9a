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
}};

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
