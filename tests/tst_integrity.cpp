// Nothing the operator types, pastes or installs gets into the board in a form the station file cannot give back.
#include "BoardTest.h"
#include "Operator.h"
#include "board/Form1.h"
#include "dialogs/EditDialog.h"
#include "dialogs/SettingsDialog.h"
#include "store/StationFile.h"
#include "store/TextCodec.h"
#include "ui/LabelButton.h"
#include "ui/ListBox.h"
#include "ui/TextBox.h"

#include <QClipboard>
#include <QMenu>
#include <QRandomGenerator>
#include <QtTest>

using namespace tallivor;

class TestIntegrity : public BoardTest
{
    Q_OBJECT
private Q_SLOTS:
    void textReachesABoxOnlyThroughItsRules_data();
    void textReachesABoxOnlyThroughItsRules();
    void namesTheFileCannotHoldAreRefused_data();
    void namesTheFileCannotHoldAreRefused();
    void everyRowCanRunAndStop_data();
    void everyRowCanRunAndStop();
    void whatIsWrittenReadsBackAsTheSameBoard();

private:
    TextBox* openBox(const QString& name);
    // The board as the station file written now gives it back.
    StationFile reread();
};

TextBox* TestIntegrity::openBox(const QString& name)
{
    if (name == QLatin1String("Value")) {
        op::click(m_form->btn[Button::Settings]);
        return m_form->settings()->Value;
    }
    op::click(m_form->btn[Button::Add]);
    return m_form->edit()->controls().get<TextBox>(qPrintable(name));
}

StationFile TestIntegrity::reread()
{
    m_form->savefile();
    return parseStationFile(decodeDataFile(m_folder->read(QStringLiteral("tallivor.xml"))));
}

void TestIntegrity::textReachesABoxOnlyThroughItsRules_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("input"); // what is pasted or typed
    QTest::addColumn<QString>("result");
    const QString dirty = QStringLiteral("1,2abc\r\n9");
    QTest::newRow("Ctrl+V into the minutes") << "MIN_TEXT"
                                             << "Ctrl+V" << dirty << "129";
    QTest::newRow("Shift+Insert into the seconds, two at most") << "SEC_TEXT"
                                                                << "Shift+Insert" << dirty << "12";
    QTest::newRow("the menu's Paste into the price") << "Value"
                                                     << "menu" << dirty << "129";
    QTest::newRow("typed into the price") << "Value"
                                          << "typed"
                                          << "1.5 a"
                                          << "15";
    QTest::newRow("a line break pasted into a name") << "computerName"
                                                     << "Ctrl+V"
                                                     << "PC 9\r\nGhost"
                                                     << "PC 9 Ghost";
    QTest::newRow("control characters at a name's ends") << "computerName"
                                                         << "menu"
                                                         << QStringLiteral("\tPC\x01"
                                                                           "9\r\n")
                                                         << "PC 9";
    // Windows gives Delete the text 0x7F: still an editing key, not a character for the digit filter to discard.
    QTest::newRow("Delete in the minutes") << "MIN_TEXT"
                                           << "Delete"
                                           << ""
                                           << "0";
}

void TestIntegrity::textReachesABoxOnlyThroughItsRules()
{
    QFETCH(QString, box);
    QFETCH(QString, way);
    QFETCH(QString, input);
    QFETCH(QString, result);
    m_form = m_folder->startShown(m_platform, englishBoard({}));
    TextBox* target = openBox(box);
    target->setText(way == QLatin1String("Delete") ? QStringLiteral("00") : QString());
    target->setFocus();
    target->setCursorPosition(0);
    QGuiApplication::clipboard()->setText(input);
    if (way == QLatin1String("Ctrl+V")) {
        QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    } else if (way == QLatin1String("Shift+Insert")) {
        QTest::keyClick(target, Qt::Key_Insert, Qt::ShiftModifier);
    } else if (way == QLatin1String("typed")) {
        QTest::keyClicks(target, input);
    } else if (way == QLatin1String("Delete")) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
        QApplication::sendEvent(target, &press);
    } else {
        QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5), target->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(target, &request);
        QMenu* menu = target->findChild<QMenu*>();
        QVERIFY(menu);
        for (QAction* action : menu->actions()) {
            if (action->text().startsWith(QLatin1String("&Paste")))
                action->trigger();
        }
        menu->close();
    }
    QCOMPARE(target->text(), result);
}

void TestIntegrity::namesTheFileCannotHoldAreRefused_data()
{
    QTest::addColumn<bool>("editing");
    QTest::addColumn<QString>("name"); // as an input method or a program could put it into the box
    for (const bool editing : {false, true}) {
        const char* job = editing ? "edit" : "add";
        QTest::addRow("%s, comma", job) << editing << "A,B";
        QTest::addRow("%s, carriage return", job) << editing << "A\rB";
        QTest::addRow("%s, line feed", job) << editing << "A\nB";
        QTest::addRow("%s, tab", job) << editing << "A\tB";
    }
}

void TestIntegrity::namesTheFileCannotHoldAreRefused()
{
    QFETCH(bool, editing);
    QFETCH(QString, name);
    m_form = m_folder->startShown(m_platform, englishBoard({"Stop,A,1:5,10"}));
    op::click(m_form->btn[editing ? Button::Edit : Button::Add]);
    EditDialog* editor = m_form->edit();
    editor->computerName->setText(name);
    op::click(editor->btn[DialogButton::Save]);
    QCOMPARE(editor->computerName->backColor(), yellow);
    QCOMPARE(column(m_form->Namelist), QStringList({"A"}));
    QCOMPARE(m_folder->read(QStringLiteral("tallivor.xml")), englishBoard({"Stop,A,1:5,10"}));
}

void TestIntegrity::everyRowCanRunAndStop_data()
{
    QTest::addColumn<QString>("language"); // the file the header names; "-" for none in the folder
    QTest::addColumn<QByteArray>("words"); // its running and stopped words
    QTest::addColumn<bool>("withEnglish"); // English.xml is in the folder
    QTest::addColumn<QString>("running");
    QTest::addColumn<QString>("stopped");
    QTest::newRow("the named file is missing") << "Klingon.xml" << QByteArray("-") << true << "Start"
                                               << "Stop";
    QTest::newRow("English is missing too: built-in words") << "Klingon.xml" << QByteArray("-") << false << "Start"
                                                            << "Stop";
    QTest::newRow("words with a comma are not taken") << "Odd.xml" << QByteArray("On, now|Off, now") << true << "Start"
                                                      << "Stop";
    QTest::newRow("a word with a line feed is not taken") << "Odd.xml" << QByteArray("Go\nnow|Halt") << true << "Start"
                                                          << "Halt";
    QTest::newRow("empty words are not taken") << "Odd.xml" << QByteArray("|") << true << "Start"
                                               << "Stop";
    QTest::newRow("equal words are not taken") << "Odd.xml" << QByteArray("On|On") << false << "Start"
                                               << "Stop";
    QTest::newRow("usable words are") << "Odd.xml" << QByteArray("Go|Halt") << false << "Go"
                                      << "Halt";
}

void TestIntegrity::everyRowCanRunAndStop()
{
    QFETCH(QString, language);
    QFETCH(QByteArray, words);
    QFETCH(bool, withEnglish);
    QFETCH(QString, running);
    QFETCH(QString, stopped);
    if (words != "-") {
        const QList<QByteArray> pair = words.split('|');
        m_folder->write(language, languageWithWords(QString::fromUtf8(pair[0]), QString::fromUtf8(pair[1])));
    }
    if (!withEnglish)
        QFile::remove(m_folder->filePath(QStringLiteral("English.xml")));
    const QByteArray header = "10," + language.toUtf8();
    m_form = m_folder->startShown(m_platform, crlf({QString::fromUtf8(header), ",A,0:59,00"}));
    QCOMPARE(m_form->Startcaption, running);
    QCOMPARE(m_form->Stopcaption, stopped);
    QCOMPARE(m_form->Eventlist->list(0), stopped); // a row without a word is a stopped one
    op::doubleClickRow(m_form->Eventlist, 0);
    m_form->tick();
    QCOMPARE(m_form->Rellist->list(0), QStringLiteral("10")); // it ran and was charged
    op::doubleClickRow(m_form->Eventlist, 0);
    m_form->tick();
    QCOMPARE(m_form->timeList->list(0), QStringLiteral("1:0")); // and it stopped
    // The header keeps the language the operator chose: once the file is back, it applies again.
    m_form->close();
    QCOMPARE(m_folder->read(QStringLiteral("tallivor.xml")),
             crlf({QString::fromUtf8(header), stopped + QStringLiteral(",A,1:0,10")}));
}

void TestIntegrity::whatIsWrittenReadsBackAsTheSameBoard()
{
    // Random work at the counter: names pasted with any characters, times, starts and stops, prices and language
    // switches through the dialogs, including languages whose words cannot be stored.
    m_folder->copyLanguage(QStringLiteral("Italian.xml"));
    m_folder->write(QStringLiteral("Comma.xml"), languageWithWords(QStringLiteral("Go, on"), QStringLiteral("Halt")));
    m_folder->write(QStringLiteral("Same.xml"), languageWithWords(QStringLiteral("X"), QStringLiteral("X")));
    m_folder->write(QStringLiteral("It, new.xml"), languageWithWords(QStringLiteral("A"), QStringLiteral("B")));
    m_form = m_folder->startShown(m_platform, englishBoard({"Start,PC 1,0:0,00"}));
    QRandomGenerator random(20261207);
    const QString alphabet = QStringLiteral("ab Z9,:=\r\n\t\x01\u00e9\u06a9\u202e");
    const auto text = [&](int longest) {
        QString t;
        for (int n = random.bounded(longest + 1); n > 0; --n)
            t.append(alphabet.at(random.bounded(int(alphabet.size()))));
        return t;
    };
    for (int step = 0; step < 300; ++step) {
        switch (random.bounded(4)) {
        case 0: {
            op::click(m_form->btn[random.bounded(2) ? Button::Add : Button::Edit]);
            EditDialog* editor = m_form->edit();
            for (TextBox* box : {editor->computerName, editor->MIN_TEXT, editor->SEC_TEXT}) {
                box->selectAll();
                QGuiApplication::clipboard()->setText(text(6));
                QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            }
            op::click(editor->btn[DialogButton::Save]);
            break;
        }
        case 1: op::doubleClickRow(m_form->Eventlist, random.bounded(m_form->Eventlist->listCount())); break;
        case 2: {
            op::click(m_form->btn[Button::Settings]);
            SettingsDialog* settings = m_form->settings();
            QString price;
            for (int n = random.bounded(4); n > 0; --n)
                price.append(QStringLiteral("0123456789.a,").at(random.bounded(13)));
            op::retype(settings->Value, price);
            for (int n = random.bounded(6); n > 0; --n)
                QTest::mouseClick(settings->language_text, Qt::LeftButton);
            op::click(settings->btn[DialogButton::Save]);
            if (m_form->hasSettings())
                op::click(settings->btn[DialogButton::Cancel]);
            break;
        }
        default:
            for (int n = random.bounded(70); n > 0; --n)
                m_form->tick();
        }
        const StationFile file = reread();
        QCOMPARE(file.state, column(m_form->Eventlist));
        QCOMPARE(file.name, column(m_form->Namelist));
        QCOMPARE(file.time, column(m_form->timeList));
        QCOMPARE(file.charge, column(m_form->Rellist));
        QCOMPARE(file.price, m_form->REL->text());
        QCOMPARE(file.language, m_form->languageStr);
        QVERIFY(m_form->Startcaption != m_form->Stopcaption);
        for (const QString& word : column(m_form->Eventlist))
            QVERIFY(word == m_form->Startcaption || word == m_form->Stopcaption);
    }
    QVERIFY(m_form->Namelist->listCount() > 10);
}

QTEST_MAIN(TestIntegrity)
#include "tst_integrity.moc"
