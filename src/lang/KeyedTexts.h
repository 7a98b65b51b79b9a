#pragma once

#include <QHash>
#include <QLatin1String>
#include <QString>

#include <array>

namespace tallivor {

// The texts of the report window and of its label-button on the board, and those of paid stations and own prices. They
// are optional entries of a language file, after its 23 numbered lines, found by key ("Report=Report"); a text the file
// does not carry is the built-in English one. Texts with %1 and %2 take values.
enum class KeyedText
{
    Report,
    // The board's paid stations and the editor's boxes for them.
    PaidLeft,
    PaidOver,
    PaidEnds,
    PaidPaused,
    PaidDue,
    PaidKeys,
    EditPrice,
    EditPaid,
    Today,
    SinceShift,
    From,
    To,
    Bills,
    Billed,
    Time,
    Station,
    Amount,
    ByHour,
    WorthALook,
    Intact,
    Altered,
    Pending,
    Print,
    Export,
    CloseShift,
    NoPrinter,
    Saved,
    ShiftClosed,
    Removed,
    Lowered,
    GapCounted,
    GapNotCounted,
    GapPartly,
    PriceChanged,
    AckedLate,
    NeverAcked,
    Overtime,
    CloseShiftAsk,
    Changed,
    Inserted,
    Damaged,
    Cut,
    // What the board says while something is not on the disk, and the report of lines lost.
    DiskWarning,
    DiskLedger,
    DiskStationFile,
    DiskFull,
    DiskDenied,
    DiskOther,
    DiskCloseAgain,
    Lost,
    // Counter products: the sell window, the products list, the bill, the receipt, the room settings, the report.
    TabSpoken,
    SellTitle,
    SellCounter,
    SellFind,
    SellNoProducts,
    SellOnTab,
    SellThisCustomer,
    SellTotal,
    SellStock,
    SellNotSaved,
    SellKeys,
    ProductsTitle,
    ProductsName,
    ProductsPrice,
    ProductsStock,
    ProductsCode,
    ProductsReorder,
    ProductsAdd,
    ProductsRemove,
    ProductsDelivered,
    ProductsCounted,
    ProductsUp,
    ProductsDown,
    ProductsKept,
    ProductsBadName,
    ProductsBadPrice,
    ProductsBadCount,
    ProductsDuplicate,
    ProductsMalformed,
    ProductsNotAList,
    ProductsRefused,
    BillTitle,
    BillTime,
    BillTotal,
    BillPrint,
    ReceiptNumber,
    ReceiptStation,
    ReceiptPrinted,
    ReceiptSaved,
    ReceiptPrint,
    ReceiptUnknown,
    RoomTitle,
    RoomName,
    RoomAddress,
    RoomClosing,
    RoomPrinter,
    RoomWidth,
    RoomDefaultPrinter,
    RoomOpens,
    ReportTakings,
    ReportTimePart,
    ReportProductsPart,
    ReportProducts,
    ReportQuantity,
    ReportCounter,
    ReportVoids,
    ReportItems,
    ReportVoided,
    ReportCounterName,
    ReportStockBelowZero,
    ReportStockLow,
    ReportRemovedItems,
    ReportReceipt,
    // Why the products window refuses a change, beside the reasons a line of the file is kept.
    ProductsBadCode,
    ProductsCodeTaken,
    ProductsNoProduct,
    ProductsNotCounted,
    ProductsBadQuantity,
    ProductsOutOfRange,
};
inline constexpr std::size_t keyedTextCount = std::size_t(KeyedText::ProductsOutOfRange) + 1;

class KeyedTexts
{
public:
    // The texts from a language file's keyed entries, English where it has none.
    explicit KeyedTexts(const QHash<QString, QString>& entries = {});

    const QString& operator[](KeyedText text) const { return m_texts[std::size_t(text)]; }
    // The key of a text in a language file.
    static QLatin1String key(KeyedText text);

private:
    std::array<QString, keyedTextCount> m_texts;
};

} // namespace tallivor
