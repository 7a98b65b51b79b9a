#include "dialogs/RoomWindow.h"

#include "board/Board.h"
#include "ui/TextBox.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPrinterInfo>

namespace tallivor {
namespace {

using Key = RoomSettings::Key;

// Selects the row whose data is value, adding a row for it when there is none: a printer unplugged since, or a width
// written by hand, is shown as it is and kept unless the operator chooses another.
void choose(QComboBox& box, const QString& value)
{
    int row = box.findData(value);
    if (row < 0) {
        box.addItem(value, value);
        row = box.count() - 1;
    }
    box.setCurrentIndex(row);
}

} // namespace

RoomWindow::RoomWindow(Board& board, QWidget& owner)
    : DialogWindow(owner, roomLayout(), 5400, 4700), nameBox(controls().get<TextBox>("nameBox")),
      addressBox(controls().get<QPlainTextEdit>("addressBox")), closingBox(controls().get<TextBox>("closingBox")),
      printerBox(controls().get<QComboBox>("printerBox")), widthBox(controls().get<QComboBox>("widthBox")),
      m_board(board)
{
    setObjectName(QStringLiteral("room"));
    for (int row = 0; row < widthBox->count(); ++row)
        widthBox->setItemData(row, widthBox->itemText(row));
    setTabOrder(nameBox, addressBox);
    setTabOrder(addressBox, closingBox);
    setTabOrder(closingBox, printerBox);
    setTabOrder(printerBox, widthBox);
    addressBox->setAccessibleDescription(QStringLiteral("one line of the address a line; Tab: next box"));
    connect(&m_board, &Board::languageApplied, this, &RoomWindow::relabel);
    relabel();
}

void RoomWindow::open()
{
    const RoomSettings& room = m_board.till().room();
    nameBox->setText(room.value(Key::ReceiptName));
    addressBox->setPlainText(room.value(Key::ReceiptAddress));
    closingBox->setText(room.value(Key::ReceiptClosing));
    // The printers as the system has them now: one plugged in since the last opening is there.
    printerBox->clear();
    printerBox->addItem(m_board.language().texts()[KeyedText::RoomDefaultPrinter], QString());
    for (const QString& printer : QPrinterInfo::availablePrinterNames())
        printerBox->addItem(printer, printer);
    choose(*printerBox, room.value(Key::ReceiptPrinter));
    choose(*widthBox, room.value(Key::ReceiptWidth));
    showModeless(*nameBox);
}

QString RoomWindow::shown(Key key) const
{
    switch (key) {
    case Key::ReceiptName: return nameBox->text();
    case Key::ReceiptAddress: return addressBox->toPlainText();
    case Key::ReceiptClosing: return closingBox->text();
    case Key::ReceiptPrinter: return printerBox->currentData().toString();
    case Key::ReceiptWidth: return widthBox->currentData().toString();
    }
    return {};
}

void RoomWindow::save()
{
    // Only what the operator changed: a setting left as it stood writes no line. The board itself passes over a
    // value that is the setting's already.
    for (int key = 0; key < RoomSettings::keyCount; ++key)
        m_board.setRoomSetting(Key(key), shown(Key(key)));
    close();
}

void RoomWindow::relabel()
{
    const Language& language = m_board.language();
    const KeyedTexts& texts = language.texts();
    setWindowTitle(texts[KeyedText::RoomTitle]);
    controls().get<Label>("frmcaption")->setText(texts[KeyedText::RoomTitle]);
    const std::pair<const char*, KeyedText> captions[] = {{"nameCaption", KeyedText::RoomName},
                                                          {"addressCaption", KeyedText::RoomAddress},
                                                          {"closingCaption", KeyedText::RoomClosing},
                                                          {"printerCaption", KeyedText::RoomPrinter},
                                                          {"widthCaption", KeyedText::RoomWidth}};
    const std::array<QWidget*, 5> boxes{nameBox, addressBox, closingBox, printerBox, widthBox};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        auto* caption = controls().get<Label>(captions[i].first);
        caption->setText(texts[captions[i].second]);
        boxes[i]->setAccessibleName(nameFrom(*caption));
    }
    if (printerBox->count() > 0)
        printerBox->setItemText(0, texts[KeyedText::RoomDefaultPrinter]);
    for (DialogButton button : {DialogButton::Save, DialogButton::Cancel})
        btn[button]->setText(buttonCaption(language.entries(), button));
}

} // namespace tallivor
