// Language files and the translation of captions and state words.
#include "Operator.h"
#include "ProgramFolder.h"
#include "board/Form1.h"
#include "dialogs/EditDialog.h"
#include "dialogs/SettingsDialog.h"
#include "lang/KeyedTexts.h"
#include "lang/LanguageFile.h"
#include "ui/LabelButton.h"
#include "ui/ListBox.h"
#include "ui/TextBox.h"

#include <QtTest>

using namespace tallivor;

namespace {

// A language file whose entry k holds "v<k>", so that every target shows which entry it came from.
QByteArray numberedLanguage()
{
    QStringList lines{QStringLiteral("heading")};
    for (int k = 1; k <= 22; ++k)
        lines << QStringLiteral("key%1=v%1").arg(k);
    return crlf(lines);
}

// Every caption and text a language file can reach, and the ones it must not touch.
QStringList visibleTexts(Form1& form)
{
    QStringList texts;
    for (LabelButton* button : form.btn)
        texts << button->text() << button->toolTip();
    texts << form.VALUEUNIT->text() << form.frmcaption->text() << form.windowTitle();
    texts << form.Startcaption << form.Stopcaption << form.AddSavecaption << form.EditSavecaption << form.AddFormcaption
          << form.EditFormcaption << form.AddTitlecaption << form.EditTitlecaption;
    texts << form.Eventlist->column().texts();
    return texts;
}

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void reader_data();
    void reader();
    void everyEntryReachesEveryTarget();
    void nothingChangesWithoutAnOrdinaryFile_data();
    void nothingChangesWithoutAnOrdinaryFile();
    void switchingRelabelsOnlyTheOldWords();
    void swappedWordsKeepEveryState();
    void emptyStoppedWordIsNotTaken();
    void editorShowsTheNewLanguage();
    void shippedLanguagesAreCompleteAndDifferent_data();
    void shippedLanguagesAreCompleteAndDifferent();
};

void TestLanguage::reader_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("entries"); // "k=value" for each entry set, in order
    QTest::addColumn<int>("lineCount");

    // clang-format off
    QTest::newRow("empty file") << QByteArray() << QStringList{} << 0;
    QTest::newRow("heading only") << QByteArray("k=ignored\r\n") << QStringList{} << 1;
    QTest::newRow("value up to the second =") << QByteArray("h\r\na=b=c\r\n") << QStringList{"1=b"} << 1;
    QTest::newRow("blanks kept") << QByteArray("h\r\na= Add \r\n") << QStringList{"1= Add "} << 1;
    QTest::newRow("empty value") << QByteArray("h\r\na=\r\n") << QStringList{"1="} << 1;
    QTest::newRow("line without = sets nothing, later ones still do") << QByteArray("h\r\nno equals\r\n\r\nc=three\r\n") << QStringList{"3=three"} << 3;
    QTest::newRow("key is ignored") << QByteArray("h\r\n=x\r\nwhatever=y") << QStringList{"1=x", "2=y"} << 2;
    QTest::newRow("lone LF stays in the value") << QByteArray("h\ra=x\ny\r") << QStringList{"1=x\ny"} << 1;
    // clang-format on
    QByteArray long30 = "h\r\n";
    QStringList first22;
    for (int k = 1; k <= 30; ++k) {
        long30 += "k=" + QByteArray::number(k) + "\r\n";
        if (k <= 22)
            first22 << QStringLiteral("%1=%1").arg(k);
    }
    // clang-format off
    QTest::newRow("lines after the 23rd ignored") << long30 << first22 << 30;
    QTest::newRow("byte-order mark, UTF-8") << QByteArray("\xEF\xBB\xBFh\r\na=\xD9\x81\r\n") << QStringList{QStringLiteral("1=\u0641")} << 1;
    // clang-format on
}

void TestLanguage::reader()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, entries);
    QFETCH(int, lineCount);
    ProgramFolder folder;
    folder.write(QStringLiteral("x.xml"), bytes);
    const LanguageFile file =
        parseLanguageFile(QString::fromUtf8(bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes));
    QStringList got;
    for (int k = 1; k <= 22; ++k) {
        if (file.entries[k])
            got << QStringLiteral("%1=%2").arg(k).arg(*file.entries[k]);
    }
    QCOMPARE(got, entries);
    QCOMPARE(int(file.lineCount), lineCount);

    // The main window reads the same file and leaves the shared line counter where reading ended.
    FakePlatform platform;
    auto form = folder.start(platform);
    form->languageStr = QStringLiteral("x.xml");
    form->translate();
    QCOMPARE(int(form->lineCount), lineCount);
}

void TestLanguage::everyEntryReachesEveryTarget()
{
    ProgramFolder folder;
    folder.write(QStringLiteral("Numbered.xml"), numberedLanguage());
    folder.write(QStringLiteral("tallivor.xml"), QByteArray("10,Numbered.xml\r\n"));
    FakePlatform platform;
    auto form = folder.start(platform);
    QVERIFY(!form->edit()->isVisible()); // created hidden to take its texts
    QVERIFY(!form->settings()->isVisible());
    EditDialog& edit = *form->edit();
    SettingsDialog& settings = *form->settings();

    const QList<std::pair<QString, QString>> expected = {
        {form->btn[Button::Add]->text(), "v1"},
        {form->btn[Button::Reset]->text(), "v2"},
        {form->btn[Button::Edit]->text(), "v3"},
        {form->btn[Button::Remove]->text(), "v4"},
        {form->btn[Button::Settings]->text(), "v5"},
        {form->btn[Button::StateCaption]->text(), "v6"},
        {form->btn[Button::NameCaption]->text(), "v7"},
        {form->btn[Button::TimeCaption]->text(), "v8"},
        {edit.time_caption->text(), "v8"},
        {form->btn[Button::ChargeCaption]->text(), "v9"},
        {edit.computername_caption->text(), "v10"},
        {form->AddSavecaption, "v11"},
        {edit.btn[DialogButton::Cancel]->text(), "v12"},
        {settings.btn[DialogButton::Cancel]->text(), "v12"},
        {form->EditSavecaption, "v13"},
        {form->EditFormcaption, "v13"},
        {form->EditTitlecaption, "v14"},
        {form->AddFormcaption, "v15"},
        {form->AddTitlecaption, "v16"},
        {settings.Min_Value->text(), "v17"},
        {form->btn[Button::ChargeCaption]->toolTip(), "v17"},
        {settings.Language_caption->text(), "v18"},
        {form->Startcaption, "v19"},
        {form->Stopcaption, "v20"},
        {form->VALUEUNIT->text(), "v21"},
        {settings.VALUEUNIT->text(), "v21"},
        {form->btn[Button::Update]->text(), "v22"},
    };
    for (const auto& [actual, wanted] : expected)
        QCOMPARE(actual, wanted);
    // Not for the language file: window captions, title labels, the credit, the address and the Save labels.
    QCOMPARE(form->windowTitle(), QStringLiteral("Tallivor"));
    QCOMPARE(form->frmcaption->text(), QStringLiteral("Tallivor ver 1.0"));
    QCOMPARE(form->btn[Button::BlankCaption]->text(), QString());
    QCOMPARE(form->btn[Button::Credit]->text(), QStringLiteral("Dunmercal Crop"));
    QCOMPARE(form->btn[Button::Address]->text(), QStringLiteral("tallivor.example"));
    QCOMPARE(edit.btn[DialogButton::Save]->text(), QStringLiteral("Save"));
    QCOMPARE(settings.btn[DialogButton::Save]->text(), QStringLiteral("Save"));
    QCOMPARE(settings.windowTitle(), QStringLiteral("Settings"));
    QCOMPARE(settings.frmcaption->text(), QStringLiteral("Settings"));
    QCOMPARE(edit.frmcaption->text(), QStringLiteral("Edit Computer"));
    QCOMPARE(form->lineCount, qint16(22));
}

void TestLanguage::nothingChangesWithoutAnOrdinaryFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty name") << "";
    QTest::newRow("missing file") << "Klingon.xml";
    QTest::newRow("hidden file") << ".Hidden.xml";
    QTest::newRow("a folder") << "Folder.xml";
    QTest::newRow("a path out of the program folder") << "sub/Numbered.xml";
}

void TestLanguage::nothingChangesWithoutAnOrdinaryFile()
{
    QFETCH(QString, name);
    ProgramFolder folder;
    folder.write(QStringLiteral(".Hidden.xml"), numberedLanguage());
    QDir(folder.path()).mkdir(QStringLiteral("Folder.xml"));
    QDir(folder.path()).mkdir(QStringLiteral("sub"));
    folder.write(QStringLiteral("sub/Numbered.xml"), numberedLanguage());
    folder.write(QStringLiteral("tallivor.xml"), crlf({"10,English.xml", "Start,A,0:0,0", "Stop,B,0:0,0"}));
    FakePlatform platform;
    auto form = folder.start(platform);
    form->lineCount = 7;
    form->Stopcaption = QStringLiteral("Halt"); // the re-labelling step would turn "Stop" into it
    const QStringList before = visibleTexts(*form);
    form->languageStr = name;
    form->translate();
    QCOMPARE(visibleTexts(*form), before);
    QCOMPARE(form->lineCount, qint16(7));
}

void TestLanguage::switchingRelabelsOnlyTheOldWords()
{
    ProgramFolder folder({QStringLiteral("English.xml"), QStringLiteral("Italian.xml")});
    folder.write(QStringLiteral("tallivor.xml"),
                 crlf({"10,English.xml", "Start,A,0:0,0", "Stop,B,0:0,0", "Marche,C,0:0,0", ",D,0:0,0"}));
    FakePlatform platform;
    auto form = folder.start(platform);
    // At the first translation the old words are empty: only the empty word becomes the stopped word.
    QCOMPARE(form->Eventlist->column().texts(), QStringList({"Start", "Stop", "Marche", "Stop"}));
    form->languageStr = QStringLiteral("Italian.xml");
    form->translate();
    QCOMPARE(form->Eventlist->column().texts(), QStringList({"Attivo", "Fermo", "Marche", "Fermo"}));
    QCOMPARE(form->btn[Button::Add]->text(), QStringLiteral("Aggiungi PC"));
    // A running station keeps running under its new word.
    form->tick();
    QCOMPARE(form->timeList->column().texts(), QStringList({"0:1", "0:0", "0:0", "0:0"}));
    form->languageStr = QStringLiteral("English.xml");
    form->translate();
    QCOMPARE(form->Eventlist->column().texts(), QStringList({"Start", "Stop", "Marche", "Stop"}));
}

void TestLanguage::swappedWordsKeepEveryState()
{
    ProgramFolder folder;
    folder.write(QStringLiteral("A.xml"), languageWithWords(QStringLiteral("X"), QStringLiteral("Y")));
    folder.write(QStringLiteral("B.xml"), languageWithWords(QStringLiteral("Y"), QStringLiteral("X")));
    folder.write(QStringLiteral("tallivor.xml"), crlf({"10,A.xml", "X,run,0:0,0", "Y,stop,0:0,0"}));
    FakePlatform platform;
    auto form = folder.start(platform);
    for (const char* next : {"B.xml", "A.xml", "B.xml"}) {
        form->languageStr = QString::fromLatin1(next);
        form->translate();
        QCOMPARE(form->Eventlist->list(0), form->Startcaption);
        QCOMPARE(form->Eventlist->list(1), form->Stopcaption);
    }
    QCOMPARE(form->Eventlist->list(0), QStringLiteral("Y"));
}

void TestLanguage::emptyStoppedWordIsNotTaken()
{
    ProgramFolder folder;
    folder.write(QStringLiteral("NoStop.xml"), languageWithWords(QStringLiteral("Go"), QString()));
    folder.write(QStringLiteral("tallivor.xml"), crlf({"10,English.xml", "Start,A,0:0,0", "Stop,B,0:0,0"}));
    FakePlatform platform;
    auto form = folder.start(platform);
    form->languageStr = QStringLiteral("NoStop.xml");
    form->translate();
    // The stopped word in force stays: an empty one would let no row stop.
    QCOMPARE(form->Startcaption, QStringLiteral("Go"));
    QCOMPARE(form->Stopcaption, QStringLiteral("Stop"));
    QCOMPARE(form->Eventlist->column().texts(), QStringList({"Go", "Stop"}));
}

void TestLanguage::editorShowsTheNewLanguage()
{
    ProgramFolder folder({QStringLiteral("English.xml"), QStringLiteral("Italian.xml")});
    folder.write(QStringLiteral("tallivor.xml"), crlf({"10,English.xml", "Start,A,1:2,0"}));
    FakePlatform platform;
    auto form = folder.start(platform);
    form->show();
    op::click(form->btn[Button::Edit]);
    // An edit-mode caption and Save label from the same entry: English says "Save" for both.
    QCOMPARE(form->edit()->windowTitle(), QStringLiteral("Save"));
    QCOMPARE(form->edit()->btn[DialogButton::Save]->text(), QStringLiteral("Save"));
    form->languageStr = QStringLiteral("Italian.xml");
    form->translate();
    op::click(form->btn[Button::Edit]);
    EditDialog* edit = form->edit();
    QCOMPARE(edit->windowTitle(), QStringLiteral("Salva"));
    QCOMPARE(edit->frmcaption->text(), QStringLiteral("Modifica PC"));
    QCOMPARE(edit->btn[DialogButton::Save]->text(), QStringLiteral("Salva"));
    QCOMPARE(edit->btn[DialogButton::Cancel]->text(), QStringLiteral("Annulla"));
    QCOMPARE(edit->computername_caption->text(), QStringLiteral("Nome PC :"));
    QCOMPARE(edit->time_caption->text(), QStringLiteral("Tempo"));
    op::click(form->btn[Button::Add]);
    QCOMPARE(edit->windowTitle(), QStringLiteral("Aggiungi PC"));
}

void TestLanguage::shippedLanguagesAreCompleteAndDifferent_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("stop");
    // clang-format off
    QTest::newRow("Persian") << "Persian.xml" << QStringLiteral("\u0641\u0639\u0627\u0644") << QStringLiteral("\u0645\u062A\u0648\u0642\u0641");
    QTest::newRow("Italian") << "Italian.xml" << "Attivo" << "Fermo";
    // clang-format on
}

void TestLanguage::shippedLanguagesAreCompleteAndDifferent()
{
    QFETCH(QString, name);
    QFETCH(QString, start);
    QFETCH(QString, stop);
    ProgramFolder folder({QStringLiteral("English.xml"), name});
    const QByteArray bytes = folder.read(name);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));               // reads the same on every system
    QCOMPARE(bytes.count("\r\n"), 23 + int(keyedTextCount)); // the numbered lines, then the keyed entries
    folder.write(QStringLiteral("tallivor.xml"), crlf({"10,English.xml", "Start,A,0:0,0", "Stop,B,0:0,0"}));
    FakePlatform platform;
    auto form = folder.start(platform);
    const QStringList english = visibleTexts(*form);
    form->languageStr = name;
    form->translate();
    QCOMPARE(form->lineCount, qint16(22 + keyedTextCount));
    QCOMPARE(form->Startcaption, start);
    QCOMPARE(form->Stopcaption, stop);
    QCOMPARE(form->Eventlist->column().texts(), QStringList({start, stop}));
    // Every entry is set, and no caption the file reaches is left in English.
    const LanguageFile file = parseLanguageFile(QString::fromUtf8(bytes.mid(3)));
    for (int k = 1; k <= 22; ++k)
        QVERIFY2(file.entries[k] && !file.entries[k]->isEmpty(), qPrintable(QString::number(k)));
    const KeyedTexts builtIn;
    for (std::size_t i = 0; i < keyedTextCount; ++i)
        QVERIFY2(form->keyedTexts()[KeyedText(i)] != builtIn[KeyedText(i)], KeyedTexts::key(KeyedText(i)).data());
    for (LabelButton* button : form->btn) {
        if (button != form->btn[Button::BlankCaption] && button != form->btn[Button::Credit] &&
            button != form->btn[Button::Address])
            QVERIFY(!english.contains(button->text()));
    }
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
