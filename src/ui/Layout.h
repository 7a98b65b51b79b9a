#pragma once

#include "lang/Entries.h"
#include "lang/LanguageFile.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QObject>
#include <QRect>

#include <span>
#include <vector>

class QWidget;

namespace tallivor {

enum class Kind
{
    Label,       // text drawn on the window, transparent
    LabelButton, // a label in the window's btn array: a push button without a face
    TextBox,
    ListBox,
    FileList,
    ScrollBar,    // vertical, used as a value holder
    Bar,          // a solid-filled rectangle, never clickable
    ComboBox,     // a drop-down list to choose one of its rows (its sample rows, one per line)
    MultiLineBox, // a plain text box of several lines; Tab leaves it
};

enum Flag : unsigned
{
    NoFlags = 0,
    Centred = 1u << 0,
    Hidden = 1u << 1,
    Disabled = 1u << 2,
    ReadOnly = 1u << 3,
    HandPointer = 1u << 4,
};

struct FontDesign
{
    double points = 0; // 0: the toolkit's default font
    bool bold = false;
};

constexpr FontDesign tahoma(double points, bool bold = false)
{
    return {points, bold};
}

// One control of a window as designed: name (and element index in a control array), kind, design-time caption or
// text (list boxes: their sample rows, one per line), position and size in twips relative to the client area,
// font, fill colour (bars), flags, and the most characters the operator may type (0: no limit).
struct ControlDesign
{
    const char* name;
    int index; // -1 outside a control array
    Kind kind;
    const char* text;
    int left, top, width, height;
    FontDesign font;
    QRgb fill;
    unsigned flags;
    int maxLength;
};

// The controls of one built window, found by name and element index.
class Controls
{
public:
    QObject* find(const char* name, int index = -1) const;
    template <typename T>
    T* get(const char* name, int index = -1) const
    {
        return qobject_cast<T*>(find(name, index));
    }

private:
    friend Controls buildLayout(QWidget& window, std::span<const ControlDesign> table);
    struct Entry
    {
        QByteArray name;
        int index;
        QObject* object;
    };
    std::vector<Entry> m_entries;
};

// Turns a window's table into its controls, children of window. Each control's objectName is its name (with the
// "index" property in a control array). The table lists the controls front to back: a control covers those listed
// after it, and labels and bars always lie beneath text boxes, list boxes and scroll bars.
Controls buildLayout(QWidget& window, std::span<const ControlDesign> table);

// The design font: Tahoma at the given size, falling back to a face that draws Arabic script where Tahoma is missing.
// Sizes are kept in pixels at 96 dots per inch, so that text fits the fixed layout whatever the screen's setting.
QFont designFont(FontDesign design);

// Sets up a fixed-size top-level window with the given client size in twips and background colour.
void setUpWindow(QWidget& window, int clientWidthTwips, int clientHeightTwips, QColor background);

// Moves a window to the centre of its screen.
void centreOnScreen(QWidget& window);

// Where a window of the given frame size goes beside the board's frame, within the available area of the board's
// screen: right of the board where it fits, else left of it, else over the board's right-hand side, and always
// wholly inside the area, at the board's top where that fits. A window larger than the area is cut to it.
QRect besideTheBoard(QSize window, QRect board, QRect available);
// Sizes and moves a window that is not shown yet to its place beside the board (besideTheBoard), taking the board's
// window frame as the measure of its own.
void placeBeside(QWidget& window, const QWidget& board);

// Gives the controls of a window the texts that the language entries set for it (captions, tool tips, box texts);
// an entry that no language file has set leaves its controls as they are.
void applyLanguage(const Controls& controls, TargetWindow window, const LanguageEntries& entries);

// The windows as designed.
std::span<const ControlDesign> form1Layout();
std::span<const ControlDesign> editLayout();
std::span<const ControlDesign> settingsLayout();
std::span<const ControlDesign> roomLayout();

inline constexpr QRgb form1Background = 0x404040;
inline constexpr QRgb dialogBackground = 0x2B86B3;
// The texts of refused input are shown on light yellow (0xC0FFFF as Windows stores it, blue first); normal is white.
inline constexpr QRgb refusedBackground = 0xFFFFC0;
inline constexpr QRgb normalBackground = 0xFFFFFF;

// The maker's web address, shown by the main window's footer and opened by its two links.
inline constexpr char makerAddress[] = "https://tallivor.example";

} // namespace tallivor
