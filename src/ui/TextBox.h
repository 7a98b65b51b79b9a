#pragma once

#include <QClipboard>
#include <QColor>
#include <QLineEdit>

#include <optional>

namespace tallivor {

// A one-line text box. The maximum length bounds only what is typed or pasted, never the text set by the program;
// textChanged (the change notification) also runs when the program sets the text. Enter types nothing: it emits
// returnPressed. However text arrives from the operator (typed, pasted by key, menu or middle button), a box never
// takes a control character, a digit box never takes anything but the digits 0 to 9, and a price box only digits and
// one decimal mark; nothing can be dropped in.
class TextBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    // Lets only the digits 0 to 9 in; Backspace, Delete and the other editing keys still work.
    void setDigitsOnly();
    // Lets only a price in: digits and one decimal mark, kept as "." (a "," typed or pasted becomes "."). Input that
    // would give the box a second mark is refused whole, and the box shows it light yellow.
    void setPriceOnly();
    void setMaxTyped(int length) { m_maxTyped = length; }
    int maxTyped() const { return m_maxTyped; }

    QColor backColor() const;
    void setBackColor(const QColor& color);
    // Shows the box's text as refused (light yellow) or as normal (white).
    void setRefused(bool refused);

    // What a paste of text puts into this box: a digit box keeps the digits alone, a price box the digits and one
    // decimal mark (nothing when the input would make a second one); any other box turns each run of line breaks,
    // tabs and other control characters inside the text into one blank and drops them at its ends.
    std::optional<QString> cleanInput(const QString& text) const;

signals:
    // A click of the left mouse button on the box; the second press of a double-click is not a second click.
    void clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Inserts text from the clipboard at the cursor, cleaned and cut to what the box still takes.
    void pasteCleaned(QClipboard::Mode mode);
    // Inserts text typed or pasted by the operator, within the typed limit.
    void insertTyped(const QString& text);

    enum class Accepts
    {
        Text,
        Digits,
        Price,
    };
    Accepts m_accepts = Accepts::Text;
    bool m_doubleClicked = false;
    int m_maxTyped = 0; // 0: no limit
};

} // namespace tallivor
