#pragma once

#include "board/SteadySeconds.h"
#include "lang/KeyedTexts.h"
#include "ledger/Ledger.h"
#include "ui/LabelButton.h"
#include "ui/Layout.h"

#include <QByteArray>
#include <QPointer>
#include <QWidget>

class QKeyEvent;
class QTimer;

namespace tallivor {

class BoardLock;
class EditDialog;
struct EntryTarget;
class ListBox;
struct PeriodTotals;
class Platform;
class ReportWindow;
class ScrollBar;
class SettingsDialog;
class TextBox;

// The main window's label-buttons, by their place in its btn array.
enum class Button
{
    Add,
    Remove,
    Settings,
    Edit,
    Reset,
    StateCaption,
    NameCaption,
    TimeCaption,
    BlankCaption, // over the charge column, never given a text
    ChargeCaption,
    Credit,
    Address,
    Update,
    Report, // right of Remove Computer: opens the report window
};
inline constexpr std::size_t buttonCount = std::size_t(Button::Report) + 1;

// The main window: the station board. Its controls are the program's state: the four lists are the station table
// (one row per station: state word, name, time used, charge), REL holds the price per minute, VScroll1 the selected
// row. Only the main window changes them, each change through one of the board's operations below; the dialogs and
// the label-buttons call those operations. Each operation also writes its line to the ledger.
class Form1 : public QWidget
{
    Q_OBJECT

    Controls m_controls; // built first: the control pointers below are taken from it

public:
    Form1(Platform& platform, QString programFolder, QWidget* parent = nullptr);

    // The load step, run once before the window is first shown. Without administrator rights it asks the shell for
    // an elevated copy and closes the window, which ends the process; so does a copy started while another one shows
    // this folder's board, after asking that one to come to the front. Otherwise it loads the board and its language.
    void load();
    // True once the close step has run: the process is to end.
    bool hasEnded() const { return m_ended; }

    // The board's operations: each is the one place where that change of the board happens.

    // Appends a stopped station with the name, the time ("minutes:seconds") and no charge, and selects it. Refuses
    // (false, nothing changes) an empty name, the selected row's name, a name the station file cannot hold and a
    // full board.
    bool addStation(const QString& name, const QString& time);
    // Gives the selected station a new name and time; its state and charge stay. Refuses (false) an empty name and a
    // name the station file cannot hold; with no row selected nothing changes.
    bool editSelectedStation(const QString& name, const QString& time);
    // Starts or stops the station in the row (what a double-click on its state word does): the stopped word becomes
    // the running word, any other word the stopped word. Time and charge stay; the clock takes the new state.
    void toggleStation(int row);
    // Sets the selected station's time to "00:00" and its charge to "00": the bill is settled.
    void resetSelectedStation();
    // Removes the selected station from the board; afterwards no row is selected.
    void removeSelectedStation();
    // Takes a new price per minute and, when it names another file, a new language, applied at once. Refuses (false,
    // nothing changes) a price or a file name the station file cannot hold.
    bool applySettings(const QString& price, const QString& language);
    // Closes the operator's shift: writes a shift line with the totals of the bills since the last one, and returns
    // them.
    PeriodTotals closeShift();

    // A click on a label-button.
    void btnClick(Button button);
    // A pointer move over a label-button, at (x, y) twips relative to the label.
    void btnMouseMove(Button button, float x, float y);
    // A pointer move over the window's own surface: its background and bars.
    void surfaceMouseMove();

    // Hides the list's own vertical scroll bar.
    void NoVertScrollBar(ListBox* list);
    // Writes the station file: the price, the language and every row.
    void savefile();
    // Writes the station file when it no longer holds the board, the price or the language; run once a minute while
    // the program runs, so that a crash or a power cut costs at most the last minute.
    void autosave();
    // Applies the language file named by languageStr and re-labels the state words on the board.
    void translate();
    // Seconds of the clock, one unless told: running stations count up and are charged at each completed minute,
    // exactly as that many single seconds would do it.
    void tick(qint64 seconds = 1);
    // The clock's timer event: applies the seconds that the steady clock says have passed since those last applied.
    void clockTimeout();

    // The dialogs, each created (hidden) on first access and discarded when closed.
    EditDialog* edit();
    SettingsDialog* settings();
    bool hasEdit() const;
    bool hasSettings() const;
    // The report window, created on first access and discarded when closed.
    ReportWindow* report();
    bool hasReport() const;

    // The ledger of bills and events, beside the station file.
    const Ledger& ledger() const { return m_ledger; }
    // The report's texts in the language in force.
    const KeyedTexts& keyedTexts() const { return m_keyedTexts; }

    const QString& programFolder() const { return m_folder; }
    QString stationFilePath() const;

    ListBox* const Eventlist;
    ListBox* const Namelist;
    ListBox* const timeList;
    ListBox* const Rellist;
    ScrollBar* const VScroll1;
    TextBox* const REL;
    QTimer* const Time;
    Label* const VALUEUNIT;
    Label* const frmcaption;
    const LabelButtons<Button, buttonCount> btn;

    QString languageStr;
    QString Startcaption;
    QString Stopcaption;
    QString AddSavecaption;
    QString EditSavecaption;
    QString AddFormcaption;
    QString EditFormcaption;
    QString AddTitlecaption;
    QString EditTitlecaption;
    QString OldStopcaption;
    QString OldStartcaption;
    qint16 lineCount = 0; // shared by the station file reader and the language file reader

signals:
    // The close step has run; the process ends.
    void processEnded();
    // More than a minute passed between two events of the clock: counted seconds were applied at once, the computer
    // slept for slept seconds, which were not.
    void clockGap(qint64 counted, qint64 slept);

protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Eventlist_Click();
    void Rellist_Click();
    void timeList_Click();
    void Namelist_Click();
    void VScroll1_Change();
    void Eventlist_DblClick();
    void keepListsScrolledTogether();
    void setUpKeyboard();
    // A key pressed while one of the four lists has the keyboard: the board's keys run the label-buttons' commands,
    // any other key is the list's own (moving the selection, searching). True when the board took the key.
    bool boardKeyPress(const QKeyEvent& event);
    // Disarms Reset and Remove, but for kept: a key or a click meant for something else cancels a confirmation.
    void disarmExcept(const LabelButton* kept);
    // What a screen reader reads for a station row, whichever of the four lists it is in.
    QString stationRowText(int row) const;
    // Names the lists and boxes after the captions in force, for screen readers.
    void nameForScreenReaders();

    void readStationFile();
    QByteArray stationFileBytes() const;
    void writeStationFile(const QByteArray& bytes);
    void endProcess();
    void comeForward();

    void applyLanguageTarget(const EntryTarget& target, const QString& value);
    // Writes a ledger line with the row's name, time and charge and the price in force.
    void recordRow(LedgerEvent event, int row, const QString& detail = {});
    // The detail of the open and close lines: how many stations the board holds and how many of them run.
    QString boardDetail() const;
    int runningStations() const;

    Platform& m_platform;
    const QString m_folder;
    QPointer<EditDialog> m_edit;
    QPointer<SettingsDialog> m_settings;
    QPointer<ReportWindow> m_report;
    BoardLock* const m_boardLock; // held from the load step to the close step by the copy that owns the board
    Ledger m_ledger;
    KeyedTexts m_keyedTexts;
    bool m_ended = false;
    QTimer* const m_autosaveTimer;
    SteadySeconds m_seconds{SteadyTime{}}; // started with the clock's timer
    QByteArray m_savedBytes;               // what the station file holds as this copy last wrote or read it
};

} // namespace tallivor
