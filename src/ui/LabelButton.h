#pragma once

#include "ui/Layout.h"

#include <QLabel>
#include <QStringList>

#include <array>

namespace tallivor {

// A plain text label: transparent, no focus. It swallows pointer moves so that moving over it is not taken as a move
// over the window's surface.
class Label : public QLabel
{
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr);

    bool underline() const { return font().underline(); }
    bool italic() const { return font().italic(); }
    void setUnderline(bool on);
    void setItalic(bool on);
};

// A member of a window's label-button array: a label that serves as a push button. It reports a click (press and
// release on the label) and every pointer move over it, with the position relative to the label in twips.
class LabelButton : public Label
{
    Q_OBJECT
public:
    LabelButton(int index, QWidget* parent = nullptr);

    int index() const { return m_index; }

    // Clicks the label without the pointer: what a screen reader's "press" does.
    void click() { emit clicked(m_index); }
    // Adds the name of a key that does what a click does ("Delete"), for screen readers.
    void addKeyName(const QString& name) { m_keyNames.append(name); }
    const QStringList& keyNames() const { return m_keyNames; }
    // A caption whose click does nothing is read as text, not as a button.
    void setCommand(bool command) { m_command = command; }
    bool isCommand() const { return m_command; }

signals:
    void clicked(int index);
    void pointerMoved(int index, float x, float y);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    int m_index;
    bool m_pressed = false;
    bool m_command = true;
    QStringList m_keyNames;
};

// The two-click confirmation of a destructive command (the board's Reset and Remove, the report's Close shift): the
// first click arms the caption (italic) and does nothing else but armed(); a second click on the still-armed caption
// runs act() and disarms it. Whatever disarms it meanwhile (the pointer leaving it, a click or key meant for
// something else) makes the next click a first one again, so a stray click never acts alone.
template <typename Act, typename Armed>
void confirmTwice(LabelButton& button, Act act, Armed armed)
{
    if (!button.italic()) {
        button.setItalic(true);
        armed();
        return;
    }
    act();
    button.setItalic(false);
}

template <typename Act>
void confirmTwice(LabelButton& button, Act act)
{
    confirmTwice(button, act, [] {});
}

// A window's label-button array, indexed by the window's names for its buttons (an enumeration counting from 0).
template <typename Name, std::size_t Count>
class LabelButtons
{
public:
    explicit LabelButtons(const Controls& controls)
    {
        for (std::size_t i = 0; i < Count; ++i)
            m_buttons[i] = controls.get<LabelButton>("btn", int(i));
    }

    LabelButton* operator[](Name name) const { return m_buttons[std::size_t(name)]; }
    auto begin() const { return m_buttons.begin(); }
    auto end() const { return m_buttons.end(); }

private:
    std::array<LabelButton*, Count> m_buttons{};
};

} // namespace tallivor
