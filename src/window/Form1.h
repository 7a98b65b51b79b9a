#pragma once

#include "board/StationEdit.h"
#include "board/StationTable.h"
#include "lang/Entries.h"
#include "ui/LabelButton.h"
#include "ui/Layout.h"
#include "window/BoardKeys.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

class QKeyEvent;

namespace tallivor {

class AlarmBell;
struct Bill;
class BillWindow;
class Board;
class BoardLock;
class EditDialog;
class ListBox;
class Platform;
class ProductsWindow;
class ReportWindow;
class RoomWindow;
class ScrollBar;
class SellWindow;
class SettingsDialog;
class TextBox;

// The main window: the view of the Board and its controller. Its four lists show the Board's columns (one row per
// station: state word, name, time spent, charge), REL the price per minute, VScroll1 the selected row. It turns the
// selection, the clicks and the keys into the Board's operations, opens the dialogs and the report for the selected
// station, and re-labels itself in the language in force.
class Form1 : public QWidget
{
    Q_OBJECT

    Controls m_controls; // built first: the control pointers below are taken from it

public:
    Form1(Platform& platform, Board& board, QWidget* parent = nullptr);
    ~Form1() override;

    // The load step, run once before the window is first shown. Without administrator rights it asks the shell for
    // an elevated copy and closes the window, which ends the process; so does a copy started while another one shows
    // this folder's board, after asking that one to come to the front. Otherwise the Board loads and the last row is
    // selected.
    void load();
    // True once the close step has run: the process is to end.
    bool hasEnded() const { return m_ended; }
    // Closes the window whatever waits for the disk, after every write is tried once more: a shutdown.
    void closeAnyway();

    // A click on a label-button.
    void btnClick(Button button);
    // A pointer move over a label-button, at (x, y) twips relative to the label.
    void btnMouseMove(Button button, float x, float y);
    // A pointer move over the window's own surface: its background and bars.
    void surfaceMouseMove();
    // Hides the list's own vertical scroll bar.
    void NoVertScrollBar(ListBox* list);
    // Applies the language file in force: the Board reads it, and the windows re-label themselves from it.
    void translate();

    Board& board() const { return m_board; }
    // The dialogs, each created (hidden) on first access and discarded when closed.
    EditDialog* edit();
    SettingsDialog* settings();
    bool hasEdit() const;
    bool hasSettings() const;
    // The report window, created on first access and discarded when closed.
    ReportWindow* report();
    bool hasReport() const { return !m_report.isNull(); }
    // The till's windows, each created on first access: the sell window, kept when closed for the next station it is
    // opened for, and the products list and the room's settings, discarded when closed.
    SellWindow* sell();
    ProductsWindow* products();
    RoomWindow* room();
    // The window of the last bill, while it is open.
    BillWindow* billWindow() const;

public slots:
    // Prints the receipt of a station's customer: at the counter (station 0), what was sold there since the last
    // new customer; at a station, its bill when it was the last one. Says where it went; no receipt when there is
    // nothing to print. The sell window asks for it.
    QString printReceipt(tallivor::StationId station);

signals:
    // The close step has run; the process ends.
    void processEnded();

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
    // Takes the texts of the language the Board applied, and hands them to the open windows.
    void relabel();
    // The bill window and the receipts (Receipts.cpp): shown at every bill, printed by F6, its button, the sell
    // window and the report's Receipt again.
    void setUpReceipts();
    void showBill();
    QString printLastReceipt();
    QString printBill(const Bill& bill, const QString& number);
    void printReceiptAgain(const QString& number);

    // The row that all four lists select; -1 when they do not agree on one.
    int selectedRow() const;
    // The editor's Save when adding: the Board adds the station, and the new row is selected.
    Refusal addStation(const StationEdit& edit);
    void endProcess();
    // F4: the sell window for the selected station; Shift+F4 (atCounter): for the counter.
    void openSell(bool atCounter);
    void deleteTillWindows();
    void comeForward();
    // Shows what is not on the disk in the bottom band, or nothing once all of it is; closing: the close waits for
    // a second one.
    void showDiskState(bool closing = false);

    ListBox* const Eventlist;
    ListBox* const Namelist;
    ListBox* const timeList;
    ListBox* const Rellist;
    ScrollBar* const VScroll1;
    TextBox* const REL;
    Label* const VALUEUNIT;
    Label* const diskWarning;
    const LabelButtons<Button, buttonCount> btn;

    Platform& m_platform;
    Board& m_board;
    QPointer<EditDialog> m_edit;
    QPointer<SettingsDialog> m_settings;
    QPointer<ReportWindow> m_report;
    QPointer<SellWindow> m_sell;
    QPointer<ProductsWindow> m_products;
    QPointer<RoomWindow> m_room;
    QPointer<BillWindow> m_bill;
    BoardLock* const m_boardLock; // held from the load step to the close step by the copy that owns the board
    AlarmBell* const m_alarm;
    bool m_ended = false;
    bool m_closingAnyway = false;
    QElapsedTimer m_closeRefused; // since the first close that found something not on the disk
};

} // namespace tallivor
