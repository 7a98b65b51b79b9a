#pragma once

#include <QString>

#include <optional>

namespace tallivor {

// What a room sets beside the price and the language: what its receipts say and where they print (and what the till
// and the rates add). They live in tallivor-room.ini in the program folder, in Qt's INI format, which any text editor
// opens; a setting the file does not hold is its default.
class RoomSettings
{
public:
    enum class Key
    {
        ReceiptName,    // the room's name on the receipt
        ReceiptAddress, // its address lines, one a line
        ReceiptClosing, // the receipt's last line: "Not a fiscal receipt" unless the room says otherwise
        ReceiptPrinter, // the receipt printer, by its name among the system's printers; empty: the default printer
        ReceiptWidth,   // the width of its roll in millimetres: 58 or 80
    };
    static constexpr int keyCount = int(Key::ReceiptWidth) + 1;

    explicit RoomSettings(const QString& programFolder);

    QString value(Key key) const;
    // Takes a new value; the value before when it changed it, nothing when it was the same or is refused (a width
    // other than 58 or 80). The file is written at once; false in written when the disk refused it.
    std::optional<QString> set(Key key, const QString& value, bool* written = nullptr);
    // The key's name in the file and in the setting's ledger line ("receipt-name").
    static QLatin1String name(Key key);

private:
    QString m_path;
};

} // namespace tallivor
