// The three windows as designed: names, geometry, stacking, fonts, colours, pointers and the design-time contents.
#include "BoardTest.h"
#include "board/Form1.h"
#include "dialogs/EditDialog.h"
#include "dialogs/SettingsDialog.h"
#include "ui/Bar.h"
#include "ui/FileList.h"
#include "ui/HandPointer.h"
#include "ui/LabelButton.h"
#include "ui/ListBox.h"
#include "ui/ScrollBar.h"
#include "ui/TextBox.h"

#include <QBitmap>
#include <QtTest>

using namespace tallivor;

class TestLayout : public BoardTest
{
    Q_OBJECT
private Q_SLOTS:
    void init();

    void everyControlIsNamedAsDesigned();
    void geometryInPixels_data();
    void geometryInPixels();
    void listsCoverTheirLeftNeighbourAndLabelsLieBeneath();
    void controlsOutsideTheClientAreaAreNeverSeen();
    void fontsAndAlignment();
    void bandColoursOfTheMainWindow_data();
    void bandColoursOfTheMainWindow();
    void windowStyles();
    void handPointerOverLabelButtonsOnly();
    void designTimeContents();
};

void TestLayout::init()
{
    BoardTest::init();
    m_platform.folder = m_folder->path();
    // A fresh window, before its load step: the design exactly as laid out.
    m_form = std::make_unique<Form1>(m_platform, m_folder->path());
    m_form->Time->stop();
}

void TestLayout::everyControlIsNamedAsDesigned()
{
    const auto verifyNames = [](QWidget& window, std::span<const ControlDesign> table) {
        for (const ControlDesign& design : table) {
            const QList<QObject*> found = window.findChildren<QObject*>(QString::fromLatin1(design.name));
            const bool present = std::any_of(found.begin(), found.end(), [&](QObject* object) {
                return design.index < 0 || object->property("index").toInt() == design.index;
            });
            QVERIFY2(present, design.name);
        }
    };
    verifyNames(*m_form, form1Layout());
    verifyNames(*m_form->edit(), editLayout());
    verifyNames(*m_form->settings(), settingsLayout());
    QCOMPARE(m_form->findChildren<LabelButton*>(QStringLiteral("btn"), Qt::FindDirectChildrenOnly).size(), 14);
    QCOMPARE(m_form->findChildren<Bar*>(QStringLiteral("Shape3")).size(), 4);
    QCOMPARE(m_form->objectName(), QStringLiteral("Form1"));
    QCOMPARE(m_form->edit()->objectName(), QStringLiteral("edit"));
    QCOMPARE(m_form->settings()->objectName(), QStringLiteral("settings"));
}

void TestLayout::geometryInPixels_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("index");
    QTest::addColumn<QRect>("pixels");
    // clang-format off
    QTest::newRow("Rellist") << "Form1" << "Rellist" << -1 << QRect(394, 98, 137, 249);
    QTest::newRow("Eventlist") << "Form1" << "Eventlist" << -1 << QRect(6, 98, 103, 249);
    QTest::newRow("Add Computer") << "Form1" << "btn" << 0 << QRect(10, 40, 99, 17);
    QTest::newRow("Update") << "Form1" << "btn" << 12 << QRect(492, 364, 37, 13);
    QTest::newRow("footer bar starts left of the window") << "Form1" << "Shape4" << -1 << QRect(-14, 356, 733, 31);
    QTest::newRow("blue header bar") << "Form1" << "Shape3" << 1 << QRect(92, 72, 191, 27);
    QTest::newRow("editor minutes") << "edit" << "MIN_TEXT" << -1 << QRect(172, 76, 31, 21);
    QTest::newRow("editor Cancel") << "edit" << "btn" << 1 << QRect(76, 128, 57, 17);
    QTest::newRow("settings price") << "settings" << "Value" << -1 << QRect(40, 78, 83, 21);
    QTest::newRow("settings title") << "settings" << "frmcaption" << -1 << QRect(12, 10, 235, 17);
    // clang-format on
}

void TestLayout::geometryInPixels()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(int, index);
    QFETCH(QRect, pixels);
    QWidget* parent = window == QLatin1String("edit")       ? static_cast<QWidget*>(m_form->edit())
                      : window == QLatin1String("settings") ? static_cast<QWidget*>(m_form->settings())
                                                            : m_form.get();
    QWidget* found = nullptr;
    for (QWidget* widget : parent->findChildren<QWidget*>(control, Qt::FindDirectChildrenOnly)) {
        if (index < 0 || widget->property("index").toInt() == index)
            found = widget;
    }
    QVERIFY(found);
    QCOMPARE(found->geometry(), pixels);
}

namespace {

// Whether a lies in front of b among their window's children.
bool inFront(QWidget* a, QWidget* b)
{
    const QObjectList& order = a->parentWidget()->children(); // back to front
    return order.indexOf(a) > order.indexOf(b);
}

} // namespace

void TestLayout::listsCoverTheirLeftNeighbourAndLabelsLieBeneath()
{
    QVERIFY(inFront(m_form->Rellist, m_form->timeList));
    QVERIFY(inFront(m_form->timeList, m_form->Namelist));
    QVERIFY(inFront(m_form->Namelist, m_form->Eventlist));
    // Where two lists overlap, the pointer reaches the one on the right.
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QVERIFY(m_form->Namelist->isAncestorOf(m_form->childAt(100, 200)));
    QVERIFY(m_form->Rellist->isAncestorOf(m_form->childAt(400, 200)));
    // The label-button over the charge column header covers the wider empty one behind it.
    QCOMPARE(m_form->childAt(465, 80), m_form->btn[Button::ChargeCaption]);

    const auto windowedAboveDrawn = [](QWidget& window) {
        int highestDrawn = -1, lowestWindowed = INT_MAX;
        const QObjectList& order = window.children();
        for (int i = 0; i < order.size(); ++i) {
            if (qobject_cast<Label*>(order[i]) || qobject_cast<Bar*>(order[i]))
                highestDrawn = std::max(highestDrawn, i);
            else if (qobject_cast<TextBox*>(order[i]) || qobject_cast<ListBox*>(order[i]) ||
                     qobject_cast<ScrollBar*>(order[i]))
                lowestWindowed = std::min(lowestWindowed, i);
        }
        return highestDrawn < lowestWindowed;
    };
    QVERIFY(windowedAboveDrawn(*m_form));
    QVERIFY(windowedAboveDrawn(*m_form->edit()));
    QVERIFY(windowedAboveDrawn(*m_form->settings()));
    // Among the drawn ones the table's order holds: the title label lies on the black bar.
    QVERIFY(inFront(m_form->frmcaption, m_form->findChild<Bar*>(QStringLiteral("Shape1"))));
    QVERIFY(inFront(m_form->btn[Button::Add], m_form->findChild<Bar*>(QStringLiteral("Shape2"))));
}

void TestLayout::controlsOutsideTheClientAreaAreNeverSeen()
{
    QVERIFY(!m_form->VScroll1->isVisibleTo(m_form.get()));
    QVERIFY(!m_form->rect().intersects(m_form->REL->geometry()));
    QCOMPARE(m_form->REL->focusPolicy(), Qt::NoFocus);
    QVERIFY(!m_form->settings()->rect().intersects(m_form->settings()->File1->geometry()));
    QCOMPARE(m_form->settings()->File1->focusPolicy(), Qt::NoFocus);
    QVERIFY(!m_form->edit()->Time->isVisibleTo(m_form->edit()));
    QVERIFY(!m_form->edit()->Text1->isEnabled());
    QVERIFY(!m_form->settings()->VALUEUNIT->isEnabled());
    QVERIFY(m_form->settings()->language_text->isReadOnly());
}

void TestLayout::fontsAndAlignment()
{
    QCOMPARE(m_form->btn[Button::Add]->font().pixelSize(), 12); // 9 pt at 96 dots per inch
    QVERIFY(m_form->btn[Button::Add]->font().bold());
    QVERIFY(!m_form->btn[Button::Remove]->font().bold());
    QCOMPARE(m_form->Namelist->font().pixelSize(), 16);
    QCOMPARE(m_form->btn[Button::Update]->font().pixelSize(), 9);
    QCOMPARE(m_form->edit()->time_caption->font().pixelSize(), 13);
    QCOMPARE(m_form->edit()->computerName->font().pixelSize(), 11);
    QCOMPARE(m_form->btn[Button::Add]->font().family(), QStringLiteral("Tahoma"));
    QVERIFY(m_form->btn[Button::Add]->font().families().size() > 1); // a fallback that draws Arabic script
    QVERIFY(m_form->btn[Button::StateCaption]->alignment() & Qt::AlignHCenter);
    QVERIFY(m_form->btn[Button::Edit]->alignment() & Qt::AlignLeft);
    QVERIFY(m_form->settings()->btn[DialogButton::Save]->alignment() & Qt::AlignLeft);
    QCOMPARE(m_form->edit()->MIN_TEXT->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    QCOMPARE(m_form->btn[Button::Reset]->palette().color(QPalette::WindowText), QColor(Qt::white));
    QCOMPARE(m_form->edit()->MIN_TEXT->maxTyped(), 3);
    QCOMPARE(m_form->edit()->SEC_TEXT->maxTyped(), 2);
    QCOMPARE(m_form->settings()->Value->maxTyped(), 10);
    QCOMPARE(m_form->settings()->VALUEUNIT->maxTyped(), 5);
}

void TestLayout::bandColoursOfTheMainWindow_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("black title bar") << QPoint(250, 5) << QColor(Qt::black);
    QTest::newRow("near-black command strip") << QPoint(520, 50) << QColor(0x161A1D);
    QTest::newRow("window between the strip and the headers") << QPoint(300, 66) << QColor(0x404040);
    QTest::newRow("red header") << QPoint(10, 75) << QColor(0xE90707);
    QTest::newRow("blue header") << QPoint(100, 75) << QColor(0x2B86B3);
    QTest::newRow("purple header") << QPoint(290, 75) << QColor(0xB854A7);
    QTest::newRow("orange header") << QPoint(400, 75) << QColor(0xEB9505);
    QTest::newRow("window right of the lists") << QPoint(534, 200) << QColor(0x404040);
    QTest::newRow("black footer") << QPoint(300, 380) << QColor(Qt::black);
}

void TestLayout::bandColoursOfTheMainWindow()
{
    QFETCH(QPoint, point);
    QFETCH(QColor, colour);
    const QImage image = m_form->grab().toImage();
    QCOMPARE(image.size(), QSize(537, 386));
    QCOMPARE(QColor(image.pixel(point)), colour);
}

void TestLayout::windowStyles()
{
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Tallivor"));
    QCOMPARE(m_form->minimumSize(), QSize(537, 386));
    QCOMPARE(m_form->maximumSize(), QSize(537, 386));
    const Qt::WindowFlags flags = m_form->windowFlags();
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QCOMPARE((flags & Qt::WindowType_Mask), Qt::Window);
    const QImage icon = m_form->windowIcon().pixmap(32, 32).toImage();
    QCOMPARE(icon.size(), QSize(32, 32));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            QCOMPARE(qAlpha(icon.pixel(x, y)), 0);

    const auto verifyDialog = [](QWidget& dialog, QSize size) {
        QCOMPARE(dialog.minimumSize(), size);
        QCOMPARE(dialog.maximumSize(), size);
        QCOMPARE(dialog.windowFlags() & Qt::WindowType_Mask, Qt::Tool); // no task-bar button
        QVERIFY(dialog.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(dialog.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(QColor(dialog.grab().toImage().pixel(size.width() - 2, size.height() - 2)), QColor(0x2B86B3));
        QCOMPARE(QColor(dialog.grab().toImage().pixel(size.width() - 2, 5)), QColor(Qt::black));
        QVERIFY(!dialog.isVisible()); // created, not shown
    };
    verifyDialog(*m_form->edit(), QSize(335, 156));
    verifyDialog(*m_form->settings(), QSize(310, 171));
    QCOMPARE(m_form->settings()->windowTitle(), QStringLiteral("Settings"));
    QCOMPARE(m_form->edit()->windowTitle(), QStringLiteral("Edit"));
}

void TestLayout::handPointerOverLabelButtonsOnly()
{
    const QCursor hand = handPointer();
    QCOMPARE(hand.hotSpot(), QPoint(5, 0));
    QCOMPARE(hand.bitmap().size(), QSize(32, 32));
    // Set bits of a bitmap read back as black: the mask is set where the pointer is drawn, the shape where it is black.
    const QImage shape = hand.bitmap().toImage();
    const QImage mask = hand.mask().toImage();
    const auto set = [](const QImage& image, int x, int y) { return QColor(image.pixel(x, y)) == QColor(Qt::black); };
    QVERIFY(set(mask, 5, 0) && set(shape, 5, 0));    // the black outline of the finger tip
    QVERIFY(set(mask, 5, 1) && !set(shape, 5, 1));   // white inside the finger
    QVERIFY(!set(mask, 0, 0) && !set(mask, 31, 31)); // transparent around the hand

    const auto isHand = [](QWidget* widget) { return widget->cursor().shape() == Qt::BitmapCursor; };
    for (LabelButton* button : m_form->btn)
        QVERIFY(isHand(button));
    QVERIFY(isHand(m_form->VALUEUNIT));
    QVERIFY(isHand(m_form->edit()->btn[DialogButton::Save]));
    QVERIFY(isHand(m_form->settings()->btn[DialogButton::Cancel]));
    QVERIFY(!isHand(m_form->frmcaption));
    QVERIFY(!isHand(m_form->Namelist));
    QVERIFY(!isHand(m_form->edit()->computerName));
}

void TestLayout::designTimeContents()
{
    QCOMPARE(m_form->Namelist->listCount(), 9);
    QCOMPARE(m_form->Namelist->list(8), QStringLiteral("Computer 2    "));
    QCOMPARE(m_form->timeList->list(2), QStringLiteral("50:70"));
    QCOMPARE(m_form->Rellist->list(0), QStringLiteral("1000"));
    QCOMPARE(m_form->Eventlist->list(7), QStringLiteral("Stop"));
    QCOMPARE(m_form->REL->text(), QStringLiteral("10"));
    QCOMPARE(m_form->VScroll1->value(), 8);
    QCOMPARE(m_form->VScroll1->max(), 8);
    QCOMPARE(m_form->btn[Button::BlankCaption]->text(), QString());
    QCOMPARE(m_form->btn[Button::Credit]->text(), QStringLiteral("Dunmercal Crop"));
    QCOMPARE(m_form->btn[Button::Address]->text(), QStringLiteral("tallivor.example"));
    QCOMPARE(m_form->frmcaption->text(), QStringLiteral("Tallivor ver 1.0"));
    const QString persian = m_form->edit()->computerName->text();
    QCOMPARE(persian.size(), 17);
    QCOMPARE(persian.at(0).unicode(), char16_t(0x06A9));
    QCOMPARE(persian.at(8), QChar(u' '));
    QCOMPARE(persian.at(16).unicode(), char16_t(0x062A));
    QCOMPARE(m_form->settings()->language_text->text(), QStringLiteral("English"));
    QCOMPARE(m_form->settings()->Value->text(), QStringLiteral("0.1"));
}

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
