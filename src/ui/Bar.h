#pragma once

#include <QColor>
#include <QWidget>

namespace tallivor {

// A solid-filled rectangle of the window design. It takes no pointer events: a pointer over a bar is over the
// window's surface.
class Bar : public QWidget
{
    Q_OBJECT
public:
    Bar(QColor fill, QWidget* parent = nullptr) : QWidget(parent)
    {
        QPalette p = palette();
        p.setColor(QPalette::Window, fill);
        setPalette(p);
        setAutoFillBackground(true);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
};

} // namespace tallivor
