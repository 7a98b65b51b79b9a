// The editor and the settings dialog, each alone on a plain owner window with a Save that records what it is handed:
// the box that refuses, what typing and pasting bring into a box, Enter and Escape, the language box's walk through
// the program folder, the names screen readers hear, and where a window opened from the board goes.
#include "Operator.h"
#include "ProgramFolder.h"
#include "dialogs/EditDialog.h"
#include "dialogs/SettingsDialog.h"
#include "lang/LanguageFile.h"
#include "store/TextCodec.h"
#include "ui/Layout.h"
#include "ui/TextBox.h"

#include <QAccessible>
#include <QClipboard>
#include <QMenu>
#include <QPointer>
#include <QtTest>

#include <functional>
#include <map>

using namespace tallivor;
Q_DECLARE_METATYPE(tallivor::Refusal)

class TestDialogs : public QObject
{
    Q_OBJECT
    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<QWidget> m_owner;
    QList<QStringList> m_saved;       // what each Save handed on
    Refusal m_answer = Refusal::None; // the opener's answer to the editor's Save

    Refusal record(const QString& first, const QString& second)
    {
        m_saved << QStringList{first, second};
        return m_answer;
    }
    EditDialog* openEditor(const QString& time = {}) // adding without a time
    {
        auto* editor = new EditDialog(m_owner.get());
        const EditorCaptions captions{QStringLiteral("Window"), QStringLiteral("Title"), QStringLiteral("Keep")};
        // A time the operator left as the editor showed it is not handed on: "kept".
        const SaveStation save = [this](const StationEdit& in) {
            return record(in.name, in.spent.value_or(QStringLiteral("kept")));
        };
        if (time.isNull())
            editor->openForAdd(QStringLiteral("A"), captions, save);
        else
            editor->openForEdit({QStringLiteral("A"), time, {}, {}}, captions, save);
        return editor;
    }
    SettingsDialog* openSettings(const QString& price)
    {
        auto* dialog = new SettingsDialog(m_folder->path(), m_owner.get());
        dialog->open(
            price, QStringLiteral("English.xml"), QStringLiteral("Save"),
            [this](const QString& price, const QString& language) { return record(price, language) == Refusal::None; });
        return dialog;
    }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<ProgramFolder>(QStringList{});
        m_owner = std::make_unique<QWidget>();
        m_saved.clear();
        m_answer = Refusal::None;
    }
    void cleanup()
    {
        m_owner.reset();
        m_folder.reset();
    }

    void editorSavesOrMarksTheRefusedBox_data()
    {
        QTest::addColumn<QString>("time");      // the station's time when editing; null when adding
        QTest::addColumn<QStringList>("typed"); // name, minutes, seconds; a null text leaves the box as it opened
        QTest::addColumn<Refusal>("answer");
        QTest::addColumn<QString>("refused");   // the light yellow box; empty for none
        QTest::addColumn<QStringList>("saved"); // what Save handed on; empty when it handed on nothing
        const QString keep, adding;
        // clang-format off
        const Refusal none = Refusal::None;
        QTest::newRow("add") << adding << QStringList{"New", "5", "7"} << none << "" << QStringList{"New", "5:7"};
        QTest::newRow("add refused by the opener") << adding << QStringList{keep, keep, keep} << Refusal::Name << "computerName" << QStringList{"A", "00:00"};
        QTest::newRow("add: empty minutes") << adding << QStringList{"New", "", "5"} << none << "MIN_TEXT" << QStringList{};
        QTest::newRow("add: empty seconds") << adding << QStringList{"New", "5", ""} << none << "SEC_TEXT" << QStringList{};
        QTest::newRow("edit") << "1000:5" << QStringList{"T 4", "12", "30"} << none << "" << QStringList{"T 4", "12:30"};
        QTest::newRow("edit refused whole for its price: the price box shows it") << "1000:5" << QStringList{"T 4", "12", "30"} << Refusal::Price << "PRICE_TEXT" << QStringList{"T 4", "12:30"};
        QTest::newRow("edit refused for its time") << "1000:5" << QStringList{"T 4", "12", "30"} << Refusal::Spent << "MIN_TEXT" << QStringList{"T 4", "12:30"};
        QTest::newRow("edit: a long time kept whole") << "1000:5" << QStringList{keep, keep, keep} << none << "" << QStringList{"A", "kept"};
        QTest::newRow("edit: no colon, so no seconds until typed") << "12" << QStringList{keep, keep, keep} << none << "SEC_TEXT" << QStringList{};
        QTest::newRow("edit: seconds typed") << "12" << QStringList{keep, keep, "3"} << none << "" << QStringList{"A", "12:3"};
        // clang-format on
    }
    void editorSavesOrMarksTheRefusedBox()
    {
        QFETCH(QString, time);
        QFETCH(QStringList, typed);
        QFETCH(Refusal, answer);
        QFETCH(QString, refused);
        QFETCH(QStringList, saved);
        m_answer = answer;
        EditDialog* editor = openEditor(time);
        const std::array boxes{editor->computerName, editor->MIN_TEXT, editor->SEC_TEXT, editor->PRICE_TEXT};
        for (int i = 0; i < 3; ++i) {
            if (!typed[i].isNull())
                boxes[i]->setText(typed[i]); // as typed, or put there by an input method
        }
        op::click(editor->btn[DialogButton::Save]);
        QVERIFY(editor->isVisible()); // Save never closes the editor
        QCOMPARE(m_saved, saved.isEmpty() ? QList<QStringList>() : QList<QStringList>{saved});
        for (TextBox* box : boxes) {
            QCOMPARE(box->backColor(), box->objectName() == refused ? yellow : white);
            QTest::keyClick(box, Qt::Key_1); // typing makes a refused box white again
            QCOMPARE(box->backColor(), white);
        }
    }

    void textReachesABoxOnlyThroughItsRules_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("input"); // what is pasted or typed
        QTest::addColumn<QString>("result");
        const QString dirty = QStringLiteral("1,2abc\r\n9");
        // clang-format off
        QTest::newRow("Ctrl+V into the minutes") << "MIN_TEXT" << "Ctrl+V" << dirty << "129";
        QTest::newRow("Ctrl+V into the seconds, two at most") << "SEC_TEXT" << "Ctrl+V" << dirty << "12";
        QTest::newRow("the menu's Paste into the price: a comma is its decimal mark") << "Value" << "menu" << dirty << "1.29";
        QTest::newRow("typed into the price") << "Value" << "typed" << "0,2 5a" << "0.25";
        QTest::newRow("a second decimal mark is refused whole") << "Value" << "Ctrl+V" << "1,234.50" << "";
        QTest::newRow("a line break pasted") << "computerName" << "Ctrl+V" << "PC 9\r\nGhost" << "PC 9 Ghost";
        QTest::newRow("controls at a name's ends") << "computerName" << "menu" << "\tPC\x01" "9\r\n" << "PC 9";
        // Windows gives Delete the text 0x7F: still an editing key, not a character for the digit filter to discard.
        QTest::newRow("Delete in the minutes") << "MIN_TEXT" << "Delete" << "" << "0";
        QTest::newRow("Ctrl+A is a shortcut, not an A") << "MIN_TEXT" << "Ctrl+A" << "4" << "4";
        // clang-format on
    }
    void textReachesABoxOnlyThroughItsRules()
    {
        QFETCH(QString, box);
        QFETCH(QString, way);
        QFETCH(QString, input);
        QFETCH(QString, result);
        TextBox* target =
            box == QLatin1String("Value") ? openSettings(QString())->Value : openEditor()->findChild<TextBox*>(box);
        target->setText(way == QLatin1String("Ctrl+A") || way == QLatin1String("Delete") ? "00" : "");
        target->setCursorPosition(0);
        QGuiApplication::clipboard()->setText(input);
        QKeyEvent windowsDelete(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
        const std::map<QString, std::function<void()>> ways{
            {"Ctrl+V", [&] { QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier); }},
            {"typed", [&] { QTest::keyClicks(target, input); }},
            {"Ctrl+A",
             [&] {
                 QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
                 QTest::keyClicks(target, input);
             }},
            {"Delete", [&] { QApplication::sendEvent(target, &windowsDelete); }},
            {"menu", [&] {
                 QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5), target->mapToGlobal(QPoint(5, 5)));
                 QApplication::sendEvent(target, &request);
                 for (QAction* action : target->findChild<QMenu*>()->actions()) {
                     if (action->text().startsWith(QLatin1String("&Paste")))
                         action->trigger();
                 }
             }}};
        ways.at(way)();
        QCOMPARE(target->text(), result);
    }

    void settingsHandOnAPriceAndALanguageOrNothing()
    {
        m_folder->copyLanguage(QStringLiteral("English.xml"));
        m_folder->copyLanguage(QStringLiteral("Italian.xml"));
        QPointer<SettingsDialog> dialog = openSettings(QStringLiteral("12345678901.5")); // longer than one may type
        // A price the opener cannot take: the price box shows it, and the dialog stays.
        m_answer = Refusal::Price;
        op::click(dialog->btn[DialogButton::Save]);
        QVERIFY(dialog && !dialog->isDiscarded() && dialog->Value->backColor() == yellow);
        m_answer = Refusal::None;
        op::click(dialog->btn[DialogButton::Save]);
        QVERIFY(!dialog || dialog->isDiscarded());
        // Cancel (Escape from any box) hands on nothing.
        dialog = openSettings(QStringLiteral("10"));
        op::retype(dialog->Value, QStringLiteral("12345678901"));
        QCOMPARE(dialog->Value->text(), QStringLiteral("1234567890")); // ten typed characters at most
        QTest::mouseClick(dialog->language_text, Qt::LeftButton);
        QTest::keyClick(dialog->Value, Qt::Key_Escape);
        QVERIFY(!dialog || dialog->isDiscarded());
        // Empty boxes are refused, the price first, and stay yellow until the dialog closes.
        dialog = openSettings(QStringLiteral("10"));
        dialog->language_text->clear();
        op::retype(dialog->Value, QString());
        op::click(dialog->btn[DialogButton::Save]);
        QCOMPARE(QList<QColor>({dialog->Value->backColor(), dialog->language_text->backColor()}),
                 QList<QColor>({yellow, white}));
        QTest::keyClicks(dialog->Value, QStringLiteral("3"));
        op::click(dialog->btn[DialogButton::Save]);
        QTest::mouseClick(dialog->language_text, Qt::LeftButton); // one step on from the language in force
        QCOMPARE(QList<QColor>({dialog->Value->backColor(), dialog->language_text->backColor()}),
                 QList<QColor>({yellow, yellow}));
        op::click(dialog->btn[DialogButton::Save]);
        QVERIFY(!dialog || dialog->isDiscarded());
        QCOMPARE(m_saved,
                 QList<QStringList>(
                     {{"12345678901.5", "English.xml"}, {"12345678901.5", "English.xml"}, {"3", "Italian.xml"}}));
    }

    void roomSettingsCaptionAsksForTheRoomWindow()
    {
        m_folder->copyLanguage(QStringLiteral("Italian.xml"));
        QPointer<SettingsDialog> dialog = openSettings(QStringLiteral("10"));
        QSignalSpy asked(dialog.data(), &SettingsDialog::roomSettingsRequested);
        op::click(dialog->roomSettings);
        QTest::keyClick(dialog->Value, Qt::Key_F3);
        QCOMPARE(asked.count(), 2);
        QVERIFY(dialog && !dialog->isDiscarded() && m_saved.isEmpty()); // the settings stay as they were
        // Its caption in the language in force, whole, over nothing else of the dialog.
        const LanguageFile italian = parseLanguageFile(decodeDataFile(m_folder->read(QStringLiteral("Italian.xml"))));
        dialog->relabel(italian.entries, KeyedTexts(italian.keyed));
        LabelButton* caption = dialog->roomSettings;
        QCOMPARE(caption->text(), QStringLiteral("Impostazioni della sala (F3)"));
        QVERIFY(caption->heightForWidth(caption->width()) <= caption->height());
        QVERIFY(dialog->rect().contains(caption->geometry()));
        for (const QWidget* other : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY2(other == caption || !other->geometry().intersects(caption->geometry()),
                     qPrintable(other->objectName()));
    }

    void languageClicksWalkTheFileList_data()
    {
        QTest::addColumn<QString>("files"); // the program folder's files, "|" between names
        QTest::addColumn<QString>("by");    // click, double-click, or Space and Down in turn
        QTest::addColumn<QString>("shown"); // the language box after each step
        // clang-format off
        QTest::newRow("from the language in force, passing over the station file")
            << "English.xml|o.xml|tallivor.xml" << "click" << "o.xml|o.xml|English.xml|o.xml|o.xml";
        QTest::newRow("no language file at all") << "" << "click" << "English.xml|English.xml";
        QTest::newRow("any letter case, sorted without regard to case")
            << "b.XML|A.xml|c.Xml|tallivor.xml|notes.txt|.hidden.xml" << "click" << "A.xml|b.XML|c.Xml|c.Xml|A.xml";
        QTest::newRow("passes over a name the header cannot hold") << "English.xml|It, new.xml|Z.xml" << "click"
                                                                   << "English.xml|Z.xml|English.xml|English.xml";
        QTest::newRow("double-click: one step") << "A.xml|B.xml|C.xml" << "double-click" << "A.xml|B.xml|C.xml|A.xml";
        QTest::newRow("Space and Down step too") << "A.xml|B.xml|tallivor.xml" << "keys" << "A.xml|B.xml|B.xml|A.xml";
        // clang-format on
    }
    void languageClicksWalkTheFileList()
    {
        QFETCH(QString, files);
        QFETCH(QString, by);
        QFETCH(QString, shown);
        for (const QString& name : files.split(u'|', Qt::SkipEmptyParts))
            m_folder->write(name, QByteArray("heading\r\n"));
        SettingsDialog* dialog = openSettings(QStringLiteral("10"));
        if (by == QLatin1String("keys")) {
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            op::press(Qt::Key_Tab); // from the price to the language box
        }
        QStringList seen;
        for (int i = 0; i < shown.count(u'|') + 1; ++i, seen << dialog->language_text->text()) {
            if (by == QLatin1String("keys"))
                op::press(i % 2 ? Qt::Key_Down : Qt::Key_Space);
            else if (by == QLatin1String("double-click"))
                QTest::mouseDClick(dialog->language_text, Qt::LeftButton);
            else
                QTest::mouseClick(dialog->language_text, Qt::LeftButton);
        }
        QCOMPARE(seen.join(u'|'), shown);
    }

    // A window opened from the board goes beside it, wholly on the board's screen (here 1280x1024 at the origin).
    void windowsOpenBesideTheBoard_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QRect>("board");
        QTest::addColumn<QRect>("placed");
        // clang-format off
        QTest::newRow("right of the board") << QSize(300, 200) << QRect(371, 319, 537, 400) << QRect(908, 319, 300, 200);
        QTest::newRow("right, just fitting") << QSize(372, 200) << QRect(400, 319, 508, 400) << QRect(908, 319, 372, 200);
        QTest::newRow("a board off the screen's left: at the edge") << QSize(300, 200) << QRect(-600, 100, 500, 400) << QRect(0, 100, 300, 200);
        QTest::newRow("left, where the right has no room") << QSize(400, 300) << QRect(400, 100, 800, 400) << QRect(0, 100, 400, 300);
        QTest::newRow("over the board at the edge, where neither side has") << QSize(400, 300) << QRect(100, -20, 1100, 500) << QRect(880, 0, 400, 300);
        QTest::newRow("up from a board low on the screen") << QSize(300, 400) << QRect(0, 900, 500, 100) << QRect(500, 624, 300, 400);
        QTest::newRow("cut to the screen") << QSize(2000, 2000) << QRect(0, 0, 500, 400) << QRect(0, 0, 1280, 1024);
        // clang-format on
    }
    void windowsOpenBesideTheBoard()
    {
        QFETCH(QSize, window);
        QFETCH(QRect, board);
        QFETCH(QRect, placed);
        QCOMPARE(besideTheBoard(window, board, QRect(0, 0, 1280, 1024)), placed);
        // On a second screen to the right, the same place moved with it.
        QCOMPARE(besideTheBoard(window, board.translated(1280, 0), QRect(1280, 0, 1280, 1024)),
                 placed.translated(1280, 0));
    }

    void screenReadersHearEachBoxByItsCaption()
    {
        m_folder->copyLanguage(QStringLiteral("Italian.xml"));
        const LanguageFile italian = parseLanguageFile(decodeDataFile(m_folder->read(QStringLiteral("Italian.xml"))));
        EditDialog* editor = openEditor();
        SettingsDialog* settings = openSettings(QStringLiteral("10"));
        editor->relabel(italian.entries, KeyedTexts(italian.keyed));
        settings->relabel(italian.entries);
        QStringList names; // and what tells the two time boxes apart
        for (QWidget* box : std::initializer_list<QWidget*>{editor->computerName, editor->MIN_TEXT, editor->SEC_TEXT,
                                                            settings->Value, settings->language_text}) {
            const QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(box);
            names << (reader->text(QAccessible::Name) + ' ' + reader->text(QAccessible::Description)).trimmed();
        }
        QCOMPARE(names, QStringList({"Nome PC", "Tempo minutes", "Tempo seconds", "Prezzo al minuto",
                                     "Lingua Space or Down: next language"}));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
