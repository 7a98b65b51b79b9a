#include "window/BoardKeys.h"

#include <QKeyEvent>

#include <algorithm>
#include <iterator>

namespace tallivor {
namespace {

constexpr BoardKey keys[] = {
    {Qt::Key_Space, std::nullopt, BoardCommand::Toggle},
    {Qt::Key_F6, std::nullopt, BoardCommand::Receipt},
    {Qt::Key_Return, Button::Edit},
    {Qt::Key_Enter, Button::Edit},
    {Qt::Key_F2, Button::Edit},
    {Qt::Key_Insert, Button::Add},
    {Qt::Key_Delete, Button::Remove},
    {Qt::CTRL | Qt::Key_R, Button::Reset},
    {Qt::Key_F9, Button::Settings},
    {Qt::CTRL | Qt::Key_Comma, Button::Settings},
    {Qt::CTRL | Qt::Key_P, Button::Report},
    {Qt::Key_Plus, std::nullopt, BoardCommand::AddPaid},
    {Qt::Key_Minus, std::nullopt, BoardCommand::TakePaid},
    {Qt::Key_Escape, std::nullopt, BoardCommand::Acknowledge},
    {Qt::Key_F4, std::nullopt, BoardCommand::Sell},
    {Qt::SHIFT | Qt::Key_F4, std::nullopt, BoardCommand::SellCounter},
    {Qt::Key_F8, std::nullopt, BoardCommand::Products},
    {Qt::Key_F3, std::nullopt, BoardCommand::Room},
};

} // namespace

std::span<const BoardKey> boardKeys()
{
    return keys;
}

const BoardKey* findBoardKey(const QKeyEvent& event)
{
    Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    // + is Shift and = on many main keyboards, and a key of its own on the keypad: both are the board's +.
    if (event.key() == Qt::Key_Plus || event.key() == Qt::Key_Minus)
        modifiers &= ~Qt::ShiftModifier;
    const QKeyCombination pressed(modifiers, Qt::Key(event.key()));
    const auto* key =
        std::find_if(std::begin(keys), std::end(keys), [pressed](const BoardKey& k) { return k.keys == pressed; });
    return key == std::end(keys) ? nullptr : key;
}

bool isModifierKey(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R: return true;
    default: return false;
    }
}

} // namespace tallivor
