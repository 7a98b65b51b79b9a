// The windows as designed: every control front to back, geometry in twips.
#include "ui/Layout.h"

namespace tallivor {
namespace {

// clang-format off

constexpr unsigned C = Centred;
constexpr unsigned H = HandPointer;
constexpr FontDesign none{};

constexpr ControlDesign form1Table[] = {
    {"diskWarning", -1, Kind::Label, nullptr, 150, 5370, 7155, 405, tahoma(6.75), 0, Hidden, 0},
    {"Rellist", -1, Kind::ListBox, "1000\n200\n500\n600\n70\n50\n100\n40\n800",
     5910, 1470, 2055, 3735, tahoma(12), 0, 0, 0},
    {"timeList", -1, Kind::ListBox, "30:40\n20:20\n50:70\n89:10\n20:20\n10:10\n20:20\n50:70\n89:10",
     4230, 1470, 1995, 3735, tahoma(12), 0, 0, 0},
    {"Namelist", -1, Kind::ListBox,
     "Computer 2    \nComputer 2    \nComputer 2    \nComputer 2    \nComputer 2    \n"
     "Computer 2    \nComputer 2    \nComputer 2    \nComputer 2    ",
     1380, 1470, 3345, 3735, tahoma(12), 0, 0, 0},
    {"Eventlist", -1, Kind::ListBox, "Start\nStop\nStart\nStart\nStop\nStart\nStart\nStop\nStart",
     90, 1470, 1545, 3735, tahoma(12), 0, 0, 0},
    {"REL", -1, Kind::TextBox, "10", 180, 7200, 1095, 435, none, 0, 0, 0},
    {"VScroll1", -1, Kind::ScrollBar, nullptr, 8040, 1080, 345, 4155, none, 0, Hidden, 0},
    {"btn", 12, Kind::LabelButton, "Update", 7380, 5460, 555, 195, tahoma(6.75), 0, H, 0},
    {"VALUEUNIT", -1, Kind::Label, "$", 7470, 1170, 285, 270, tahoma(9), 0, C | H, 0},
    {"btn", 11, Kind::LabelButton, nullptr, 1380, 5460, 1155, 195, tahoma(6.75), 0, H, 0},
    {"btn", 10, Kind::LabelButton, "Dunmercal Crop", 210, 5460, 1365, 255, tahoma(6.75), 0, H, 0},
    {"Shape4", -1, Kind::Bar, nullptr, -210, 5340, 10995, 465, none, 0x000000, 0, 0},
    {"btn", 9, Kind::LabelButton, "Value", 6750, 1170, 465, 210, tahoma(9), 0, C | H, 0},
    {"btn", 8, Kind::LabelButton, "", 6270, 1170, 1065, 255, tahoma(9), 0, H, 0},
    {"btn", 7, Kind::LabelButton, "Spent time", 4620, 1170, 945, 210, tahoma(9), 0, C | H, 0},
    {"btn", 6, Kind::LabelButton, "Computers", 2340, 1170, 915, 210, tahoma(9), 0, C | H, 0},
    {"btn", 5, Kind::LabelButton, "State", 480, 1170, 465, 210, tahoma(9), 0, C | H, 0},
    {"Shape3", 3, Kind::Bar, nullptr, 5910, 1080, 2060, 405, none, 0xEB9505, 0, 0},
    {"Shape3", 2, Kind::Bar, nullptr, 4230, 1080, 1695, 405, none, 0xB854A7, 0, 0},
    {"Shape3", 1, Kind::Bar, nullptr, 1380, 1080, 2865, 405, none, 0x2B86B3, 0, 0},
    {"Shape3", 0, Kind::Bar, nullptr, 90, 1080, 1305, 405, none, 0xE90707, 0, 0},
    {"btn", 4, Kind::LabelButton, "Reset Computer", 1710, 600, 1365, 255, tahoma(9), 0, C | H, 0},
    {"btn", 3, Kind::LabelButton, "Edit Computer", 3270, 600, 1215, 255, tahoma(9), 0, H, 0},
    {"btn", 2, Kind::LabelButton, "Settings", 7170, 180, 705, 255, tahoma(9), 0, H, 0},
    {"btn", 13, Kind::LabelButton, "Report", 6420, 600, 1515, 255, tahoma(9), 0, C | H, 0},
    {"btn", 1, Kind::LabelButton, "Remove Computer", 4710, 600, 1635, 255, tahoma(9), 0, C | H, 0},
    {"btn", 0, Kind::LabelButton, "Add Computer", 150, 600, 1485, 255, tahoma(9, true), 0, C | H, 0},
    {"Shape2", -1, Kind::Bar, nullptr, 0, 510, 10995, 405, none, 0x161A1D, 0, 0},
    {"frmcaption", -1, Kind::Label, "Tallivor ver 1.0", 300, 120, 2025, 255, tahoma(9), 0, 0, 0},
    {"Shape1", -1, Kind::Bar, nullptr, -60, 0, 10995, 555, none, 0x000000, 0, 0},
};

// A sample station name in Persian: "computer on the right side".
constexpr char persianSampleName[] = "\u06A9\u0627\u0645\u067E\u064A\u0648\u062A\u0631 \u0633\u0645\u062A "
                                     "\u0631\u0627\u0633\u062A";

constexpr ControlDesign editTable[] = {
    {"Text1", -1, Kind::TextBox, ":", 2970, 1140, 225, 315, tahoma(8.25), 0, C | Disabled, 3},
    {"SEC_TEXT", -1, Kind::TextBox, "00", 3150, 1140, 465, 315, tahoma(8.25), 0, C, 2},
    {"MIN_TEXT", -1, Kind::TextBox, "00", 2580, 1140, 465, 315, tahoma(8.25), 0, C, 3},
    {"Time", -1, Kind::TextBox, "00:00", 2700, 2160, 2055, 315, tahoma(8.25), 0, C | Hidden, 0},
    {"computerName", -1, Kind::TextBox, persianSampleName, 180, 1140, 2055, 315, tahoma(8.25), 0, C, 0},
    {"time_caption", -1, Kind::Label, "Spent time :", 2550, 840, 1605, 255, tahoma(9.75), 0, 0, 0},
    {"btn", 1, Kind::LabelButton, "Cancel", 1140, 1920, 855, 255, tahoma(9.75), 0, C | H, 0},
    {"btn", 0, Kind::LabelButton, "Save", 270, 1920, 645, 255, tahoma(9.75), 0, C | H, 0},
    {"computername_caption", -1, Kind::Label, "Computer name :", 180, 810, 1605, 255, tahoma(9.75), 0, 0, 0},
    {"frmcaption", -1, Kind::Label, "Edit Computer", 150, 150, 2025, 255, tahoma(8.25), 0, 0, 0},
    {"Shape1", -1, Kind::Bar, nullptr, 0, 0, 10995, 555, none, 0x000000, 0, 0},
    // Below the rest: the station's own price and its paid time, both empty for a station without them.
    {"PAID_SEC_TEXT", -1, Kind::TextBox, "", 3150, 2730, 465, 315, tahoma(8.25), 0, C, 2},
    {"Text2", -1, Kind::TextBox, ":", 2970, 2730, 225, 315, tahoma(8.25), 0, C | Disabled, 3},
    {"PAID_MIN_TEXT", -1, Kind::TextBox, "", 2580, 2730, 465, 315, tahoma(8.25), 0, C, 6},
    {"PRICE_TEXT", -1, Kind::TextBox, "", 180, 2730, 1245, 315, tahoma(8.25), 0, C, 10},
    {"paid_caption", -1, Kind::Label, "Paid time :", 2550, 2430, 1935, 255, tahoma(9.75), 0, 0, 0},
    {"price_caption", -1, Kind::Label, "Own price :", 180, 2430, 2205, 255, tahoma(9.75), 0, 0, 0},
};

constexpr ControlDesign settingsTable[] = {
    {"File1", -1, Kind::FileList, nullptr, 210, 2730, 1905, 615, none, 0, 0, 0},
    {"VALUEUNIT", -1, Kind::TextBox, "$", 150, 1170, 435, 315, tahoma(8.25), 0, C | Disabled, 5},
    {"language_text", -1, Kind::TextBox, "English", 2250, 1170, 1575, 315, tahoma(8.25), 0, C | ReadOnly, 0},
    {"Value", -1, Kind::TextBox, "0.1", 600, 1170, 1245, 315, tahoma(8.25), 0, C, 10},
    {"btn", 0, Kind::LabelButton, "Save", 360, 2040, 525, 255, tahoma(9.75), 0, H, 0},
    {"btn", 1, Kind::LabelButton, "Cancel", 1110, 2040, 705, 255, tahoma(9.75), 0, H, 0},
    // Right of Cancel, two lines high so that a longer language's caption wraps instead of being cut.
    {"roomSettings", -1, Kind::LabelButton, "Room settings (F3)", 2010, 2040, 2550, 450, tahoma(8.25), 0, H, 0},
    {"Language_caption", -1, Kind::Label, "Language :", 2430, 810, 1065, 255, tahoma(9.75), 0, 0, 0},
    {"Min_Value", -1, Kind::Label, "Min's Value :", 210, 810, 1605, 255, tahoma(9.75), 0, 0, 0},
    {"frmcaption", -1, Kind::Label, "Settings", 180, 150, 3525, 255, tahoma(8.25), 0, 0, 0},
    {"Shape1", -1, Kind::Bar, nullptr, 0, 0, 10995, 555, none, 0x000000, 0, 0},
};

constexpr ControlDesign roomTable[] = {
    {"nameBox", -1, Kind::TextBox, "", 210, 960, 4980, 315, tahoma(8.25), 0, 0, 60},
    {"addressBox", -1, Kind::MultiLineBox, "", 210, 1650, 4980, 960, tahoma(8.25), 0, 0, 0},
    {"closingBox", -1, Kind::TextBox, "", 210, 3000, 4980, 315, tahoma(8.25), 0, 0, 60},
    {"printerBox", -1, Kind::ComboBox, nullptr, 210, 3690, 3300, 345, tahoma(8.25), 0, 0, 0},
    {"widthBox", -1, Kind::ComboBox, "58\n80", 3720, 3690, 1470, 345, tahoma(8.25), 0, 0, 0},
    {"btn", 0, Kind::LabelButton, "Save", 360, 4260, 645, 255, tahoma(9.75), 0, H, 0},
    {"btn", 1, Kind::LabelButton, "Cancel", 1140, 4260, 855, 255, tahoma(9.75), 0, H, 0},
    {"nameCaption", -1, Kind::Label, "Name on the receipt", 210, 690, 4980, 255, tahoma(9.75), 0, 0, 0},
    {"addressCaption", -1, Kind::Label, "Address lines", 210, 1380, 4980, 255, tahoma(9.75), 0, 0, 0},
    {"closingCaption", -1, Kind::Label, "Last line", 210, 2730, 4980, 255, tahoma(9.75), 0, 0, 0},
    {"printerCaption", -1, Kind::Label, "Receipt printer", 210, 3420, 3300, 255, tahoma(9.75), 0, 0, 0},
    {"widthCaption", -1, Kind::Label, "Roll width (mm)", 3720, 3420, 1470, 255, tahoma(9.75), 0, 0, 0},
    {"frmcaption", -1, Kind::Label, "Room settings", 180, 150, 3525, 255, tahoma(8.25), 0, 0, 0},
    {"Shape1", -1, Kind::Bar, nullptr, 0, 0, 10995, 555, none, 0x000000, 0, 0},
};

// clang-format on

} // namespace

std::span<const ControlDesign> form1Layout()
{
    return form1Table;
}

std::span<const ControlDesign> editLayout()
{
    return editTable;
}

std::span<const ControlDesign> settingsLayout()
{
    return settingsTable;
}

std::span<const ControlDesign> roomLayout()
{
    return roomTable;
}

} // namespace tallivor
