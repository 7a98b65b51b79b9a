#include "ui/Layout.h"

#include "ui/Bar.h"
#include "ui/FileList.h"
#include "ui/HandPointer.h"
#include "ui/LabelButton.h"
#include "ui/ListBox.h"
#include "ui/ScrollBar.h"
#include "ui/TextBox.h"
#include "ui/Twips.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QMargins>
#include <QPlainTextEdit>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace tallivor {

QObject* Controls::find(const char* name, int index) const
{
    for (const Entry& entry : m_entries) {
        if (entry.index == index && entry.name == name)
            return entry.object;
    }
    return nullptr;
}

QFont designFont(FontDesign design)
{
    // DejaVu Sans Condensed is close to Tahoma's width, so captions fit their labels, and it draws Arabic script.
    QFont font(QStringList{QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans Condensed"),
                           QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans Arabic")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qRound(design.points * 96.0 / 72.0));
    font.setBold(design.bold);
    return font;
}

namespace {

bool isWindowed(Kind kind)
{
    return kind == Kind::TextBox || kind == Kind::ListBox || kind == Kind::FileList || kind == Kind::ScrollBar ||
           kind == Kind::ComboBox || kind == Kind::MultiLineBox;
}

QWidget* createWidget(const ControlDesign& design, QWidget& window)
{
    const QString text = QString::fromUtf8(design.text ? design.text : "");
    switch (design.kind) {
    case Kind::Label:
    case Kind::LabelButton: {
        Label* label = design.kind == Kind::LabelButton ? new LabelButton(design.index, &window) : new Label(&window);
        label->setText(text);
        label->setAlignment((design.flags & Centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::white);
        label->setPalette(palette);
        return label;
    }
    case Kind::TextBox: {
        auto* box = new TextBox(&window);
        box->setText(text);
        box->setMaxTyped(design.maxLength);
        box->setAlignment(design.flags & Centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
        box->setReadOnly(design.flags & ReadOnly);
        return box;
    }
    case Kind::ListBox: {
        auto* list = new ListBox(&window);
        if (!text.isEmpty())
            for (const QString& row : text.split(QLatin1Char('\n')))
                list->addItem(row);
        return list;
    }
    case Kind::FileList: return new FileList(&window);
    case Kind::ScrollBar: return new ScrollBar(&window);
    case Kind::Bar: return new Bar(QColor(design.fill), &window);
    case Kind::ComboBox: {
        auto* combo = new QComboBox(&window);
        if (!text.isEmpty())
            combo->addItems(text.split(QLatin1Char('\n')));
        return combo;
    }
    case Kind::MultiLineBox: {
        auto* box = new QPlainTextEdit(text, &window);
        box->setTabChangesFocus(true); // Tab goes on to the next box, as in every other box of a dialog
        box->setAcceptDrops(false);
        return box;
    }
    }
    return nullptr;
}

} // namespace

Controls buildLayout(QWidget& window, std::span<const ControlDesign> table)
{
    Controls controls;
    std::vector<QWidget*> widgets(table.size(), nullptr);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const ControlDesign& design = table[i];
        QWidget* widget = createWidget(design, window);
        widget->setGeometry(toPixels(design.left), toPixels(design.top), toPixels(design.width),
                            toPixels(design.height));
        if (design.font.points > 0)
            widget->setFont(designFont(design.font));
        if (design.flags & Hidden)
            widget->setVisible(false);
        if (design.flags & Disabled)
            widget->setEnabled(false);
        if (design.flags & HandPointer)
            widget->setCursor(handPointer());
        widgets[i] = widget;
        QObject* object = widget;
        object->setObjectName(QString::fromLatin1(design.name));
        if (design.index >= 0)
            object->setProperty("index", design.index);
        controls.m_entries.push_back({QByteArray(design.name), design.index, object});
    }

    // Raising from the back of the table to its front leaves the first control on top; windowed controls are raised
    // last, so that they lie above every label and bar.
    for (bool windowed : {false, true}) {
        for (std::size_t i = table.size(); i-- > 0;) {
            if (widgets[i] && isWindowed(table[i].kind) == windowed)
                widgets[i]->raise();
        }
    }
    return controls;
}

void setUpWindow(QWidget& window, int clientWidthTwips, int clientHeightTwips, QColor background)
{
    window.setFixedSize(toPixels(clientWidthTwips), toPixels(clientHeightTwips));
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, background);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
}

void centreOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

QRect besideTheBoard(QSize window, QRect board, QRect available)
{
    const QSize size = window.boundedTo(available.size());
    const int right = board.right() + 1, left = board.left() - size.width();
    int x = available.right() + 1 - size.width(); // no room on either side: over the board, at the area's edge
    if (right + size.width() <= available.right() + 1)
        x = right;
    else if (left >= available.left())
        x = left;
    const int y = std::clamp(board.top(), available.top(), available.bottom() + 1 - size.height());
    return {QPoint(std::max(x, available.left()), y), size};
}

void placeBeside(QWidget& window, const QWidget& board)
{
    const QScreen* screen = board.screen() ? board.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QMargins frame(board.geometry().left() - board.frameGeometry().left(),
                         board.geometry().top() - board.frameGeometry().top(),
                         board.frameGeometry().right() - board.geometry().right(),
                         board.frameGeometry().bottom() - board.geometry().bottom());
    const QSize outer = window.size().grownBy(frame);
    const QRect place = besideTheBoard(outer, board.frameGeometry(), available);
    const QSize inner = place.size().shrunkBy(frame);
    if (place.size() != outer) { // a fixed-size window is never larger than the screen either
        window.setMinimumSize(window.minimumSize().boundedTo(inner));
        window.setMaximumSize(inner);
    }
    window.resize(inner);
    window.move(place.topLeft());
}

void applyLanguage(const Controls& controls, TargetWindow window, const LanguageEntries& entries)
{
    // A caption fits a few dozen characters; a damaged file's megabyte of text would only stall the window.
    constexpr qsizetype longestCaption = 1000;
    for (const EntryTarget& target : languageTargets()) {
        const std::optional<QString>& value = entries[std::size_t(target.entry)];
        if (target.window != window || target.property == TargetProperty::Variable || !value)
            continue;
        const QString shown = value->left(longestCaption);
        QObject* control = controls.find(target.control, target.index);
        if (target.property == TargetProperty::Caption) {
            if (auto* label = qobject_cast<Label*>(control))
                label->setText(shown);
        } else if (target.property == TargetProperty::ToolTip) {
            if (auto* widget = qobject_cast<QWidget*>(control))
                widget->setToolTip(shown);
        } else if (auto* box = qobject_cast<TextBox*>(control)) {
            box->setText(shown);
        }
    }
}

} // namespace tallivor
