// What the board says while something is not on the disk: a line in the window's bottom band, in the warning colour,
// read by screen readers, never taking the keyboard.
#include "board/Board.h"
#include "window/Form1.h"

#include <QAccessible>

namespace tallivor {
namespace {

constexpr QRgb warningColour = 0xFFB060;

QString faultText(WriteFault fault, const KeyedTexts& texts)
{
    switch (fault) {
    case WriteFault::Full: return texts[KeyedText::DiskFull];
    case WriteFault::Denied: return texts[KeyedText::DiskDenied];
    case WriteFault::None:
    case WriteFault::Other: break;
    }
    return texts[KeyedText::DiskOther];
}

} // namespace

void Form1::showDiskState(bool closing)
{
    const DiskState& disk = m_board.diskState();
    if (disk.saved()) {
        diskWarning->hide();
        diskWarning->clear();
        m_closeRefused.invalidate();
        return;
    }
    const KeyedTexts& texts = m_board.language().texts();
    QStringList what;
    if (disk.waitingLines > 0)
        what << texts[KeyedText::DiskLedger].arg(faultText(disk.ledger, texts)).arg(disk.waitingLines);
    if (disk.stationFile != WriteFault::None)
        what << texts[KeyedText::DiskStationFile].arg(faultText(disk.stationFile, texts));
    const KeyedText line = closing || m_closeRefused.isValid() ? KeyedText::DiskCloseAgain : KeyedText::DiskWarning;
    const QString text = texts[line].arg(what.join(QLatin1String("; ")));
    if (text == diskWarning->text() && diskWarning->isVisible())
        return;
    diskWarning->setText(text);
    diskWarning->setAccessibleName(text);
    if (!diskWarning->autoFillBackground()) {
        // Over the footer's credits, which it hides while it shows.
        QPalette palette = diskWarning->palette();
        palette.setColor(QPalette::Window, Qt::black);
        palette.setColor(QPalette::WindowText, QColor(warningColour));
        diskWarning->setPalette(palette);
        diskWarning->setAutoFillBackground(true);
        diskWarning->setWordWrap(true);
    }
    diskWarning->show();
    diskWarning->raise();
    QAccessibleEvent alert(diskWarning, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

} // namespace tallivor
