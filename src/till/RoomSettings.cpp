#include "till/RoomSettings.h"

#include <QDir>
#include <QSettings>

#include <array>

namespace tallivor {
namespace {

struct Setting
{
    const char* name;
    const char* byDefault;
};

constexpr std::array<Setting, RoomSettings::keyCount> settings{{
    {"receipt-name", ""},
    {"receipt-address", ""},
    {"receipt-closing", "Not a fiscal receipt"},
    {"receipt-printer", ""},
    {"receipt-width", "80"},
}};

} // namespace

RoomSettings::RoomSettings(const QString& programFolder)
    : m_path(QDir(programFolder).filePath(QStringLiteral("tallivor-room.ini")))
{}

QLatin1String RoomSettings::name(Key key)
{
    return QLatin1String(settings[std::size_t(key)].name);
}

QString RoomSettings::value(Key key) const
{
    const QSettings file(m_path, QSettings::IniFormat);
    const QVariant value = file.value(name(key), QString::fromUtf8(settings[std::size_t(key)].byDefault));
    // A comma in a hand-edited file makes a list of the value: it is the text as written all the same.
    return value.typeId() == QMetaType::QStringList ? value.toStringList().join(QLatin1String(", ")) : value.toString();
}

std::optional<QString> RoomSettings::set(Key key, const QString& value, bool* written)
{
    if (written)
        *written = true;
    if (key == Key::ReceiptWidth && value != QLatin1String("58") && value != QLatin1String("80"))
        return std::nullopt;
    const QString before = this->value(key);
    if (before == value)
        return std::nullopt;
    QSettings file(m_path, QSettings::IniFormat);
    file.setValue(name(key), value);
    file.sync();
    if (written)
        *written = file.status() == QSettings::NoError;
    return before;
}

} // namespace tallivor
