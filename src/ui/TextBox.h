#pragma once

#include <QColor>
#include <QLineEdit>

#include <functional>

namespace tallivor {

// A one-line text box. Each typed character goes through the key-press hook first, which may discard it; the
// maximum length bounds only what is typed, never the text set by the program. textChanged (the change
// notification) also runs when the program sets the text.
class TextBox : public QLineEdit
{
    Q_OBJECT
public:
    // Receives the character code of a typed character (8 for Backspace, 13 for Enter); true lets it through.
    using KeyHook = std::function<bool(int code)>;

    explicit TextBox(QWidget* parent = nullptr);

    // Typing is then the only way in: no paste from a menu, no drop, no middle-button paste.
    void setKeyHook(KeyHook hook);
    void setMaxTyped(int length) { m_maxTyped = length; }
    int maxTyped() const { return m_maxTyped; }

    QColor backColor() const;
    void setBackColor(const QColor& color);

signals:
    // A click of the left mouse button on the box.
    void clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    KeyHook m_keyHook;
    int m_maxTyped = 0; // 0: no limit
};

} // namespace tallivor
