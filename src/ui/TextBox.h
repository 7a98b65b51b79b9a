#pragma once

#include <QColor>
#include <QLineEdit>

namespace tallivor {

// A one-line text box. The maximum length bounds only what is typed, never the text set by the program; textChanged
// (the change notification) also runs when the program sets the text. Enter types nothing: it emits returnPressed.
class TextBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    // Lets only the digits 0 to 9 be typed; Backspace and the editing keys still work. Typing is then the only way
    // in: no paste from a menu, no drop, no middle-button paste.
    void setDigitsOnly();
    void setMaxTyped(int length) { m_maxTyped = length; }
    int maxTyped() const { return m_maxTyped; }

    QColor backColor() const;
    void setBackColor(const QColor& color);
    // Shows the box's text as refused (light yellow) or as normal (white).
    void setRefused(bool refused);

signals:
    // A click of the left mouse button on the box.
    void clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_digitsOnly = false;
    int m_maxTyped = 0; // 0: no limit
};

} // namespace tallivor
