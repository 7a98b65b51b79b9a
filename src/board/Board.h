#pragma once

#include "board/BoardClock.h"
#include "board/BoardFiles.h"
#include "board/PaidDesk.h"
#include "board/TabDesk.h"
#include "lang/Language.h"
#include "ledger/Ledger.h"
#include "ledger/LedgerReader.h"

#include <QObject>

#include <optional>

namespace tallivor {

struct PeriodTotals;

// The station board without any window, the one object the windows call: the station table, the price per minute,
// the language in force, the clock, the station file and the ledger. Every change of the board is one of the
// operations below: each checks all it will do first, then applies all of it and writes its lines to the ledger, or
// refuses and changes nothing. Each takes the row it acts on and does nothing for a row that does not exist.
class Board : public QObject
{
    Q_OBJECT
public:
    Board(Clocks& clocks, QString programFolder, QObject* parent = nullptr);
    ~Board() override;

    // The load step, run once: reads the station file, applies its language, starts the clock and writes the open line
    // (and a gap line for stations left running while the program was not). The close step counts the seconds up to
    // now, writes the station file and the close line, and stops; stop() alone writes nothing: the process ends.
    void load();
    void close();
    void stop() { m_clock->stop(); }

    const StationTable& table() const { return m_table; }
    // A column of the table, as list boxes show it.
    StationColumn& column(Column column) { return m_table.column(column); }
    int rowCount() const { return m_table.size(); }
    QString text(Column column, int row) const { return m_table.text(column, row); }
    // Whether the row runs: its state word is the running word.
    bool isRunning(int row) const;
    int runningStations() const { return m_table.count(Column::State, m_language.words().running); }
    // The price the station is charged: its own, or the board's.
    const QString& priceOf(int row) const;

    // Appends a stopped station with the name, the time spent ("00:00" unless given), no charge, and the own price
    // and paid time given. Refused: a name that is empty, another station's or that the station file cannot hold, a
    // time or price it cannot hold, a full board.
    Refusal addStation(const StationEdit& edit);
    // Gives the station in the row what the edit gives: name, time spent, own price, paid time. Refused as an add is,
    // but a station keeps its own name even when a hand-edited file gave it to another one too.
    Refusal editStation(int row, const StationEdit& edit);
    // Starts or stops the station: the stopped word becomes the running word, any other word the stopped word.
    void toggleStation(int row);
    // Bills the station: its time, charge and paid time are the bill, cleared to "00:00" and "00". Its own price stays.
    void billStation(int row);
    void removeStation(int row);
    // Puts quantity of the product (by its name or code) on the tab of the station in the row, or sells it at the
    // counter (row -1): its sale line. False when the till refuses it.
    bool sell(int row, const QString& product, qint64 quantity);
    // Takes the item at an index of the station's tab (row -1: of the counter's customer) off again: its void line.
    bool takeOff(int row, std::size_t item);
    // Adds PaidTime::step to the paid time, or (add false) takes it off.
    void topUp(int row, bool add);
    // The operator has seen that the station is due: its alarm stops, the row stays red.
    void acknowledge(int row);
    void acknowledgeAll();
    // Takes a new price per minute and, when it names another file, a new language, applied at once. Refuses (false,
    // nothing changes) a price or a file name the station file cannot hold.
    bool applySettings(const QString& price, const QString& language);
    // Gives a room setting a new value, with its setting line. False when refused (a roll width but 58 or 80) or
    // when it was the value already.
    bool setRoomSetting(RoomSettings::Key key, const QString& value);
    // Closes the operator's shift: writes a shift line with the totals of the bills since the last one, and returns
    // them.
    PeriodTotals closeShift();

    // Seconds of the clock, one unless told: running stations count up and are charged at each completed minute,
    // exactly as that many single seconds would do it.
    void tick(qint64 seconds = 1);
    // The clock's event: applies the seconds that the steady clock says have passed since those last applied.
    void clockTimeout();
    // Applies the language file in force, re-labelling the state words already on the board.
    void translate();

    // Every operation is on the disk before it returns: its ledger lines first, then the station file. persist()
    // writes what waits (the lines the disk refused, a station file that no longer holds the board): the operations,
    // the minute's save of the clock's seconds and the retries call it. savefile() writes the station file in any case.
    void persist();
    void savefile();
    const DiskState& diskState() const { return m_files->disk(); }

    const QString& programFolder() const { return m_folder; }
    // The price per minute, as the station file holds it.
    const QString& price() const { return m_price; }
    const Language& language() const { return m_language; }
    // The products, the counter's customer and the room's settings; the products window changes the list there.
    Till& till() { return m_till; }
    const Till& till() const { return m_till; }
    const Ledger& ledger() const { return m_ledger; }
    // The last bill, for the bill window and its receipt.
    const Bill& lastBill() const { return m_lastBill; }

signals:
    // The price per minute changed.
    void priceChanged();
    // A language file was applied (or the state words chosen anew): windows re-label themselves.
    void languageApplied();
    // A station reached its paid end (or was found past it at start-up): the alarm is to sound.
    void stationDue(tallivor::StationId station);
    // A station's paid state changed (or the station went): its rows are drawn anew, the alarm follows.
    void paidStateChanged(tallivor::StationId station);
    // A station was billed: lastBill() says what the customer pays.
    void billed();
    // An item went on a tab or the counter, or came off (station 0: the counter).
    void tabChanged(tallivor::StationId station);
    // A line reached the ledger on the disk.
    void ledgerWritten(const tallivor::LedgerRecord& record);
    // What is on the disk changed: a write failed, or what waited is written now.
    void diskStateChanged();

private:
    // What a ledger line says of the station in the row.
    StationFields fieldsOf(int row) const;
    // The own price and paid time of an add or an edit, with their lines.
    void applyExtras(int row, const StationEdit& edit);
    QByteArray stationFileBytes() const;
    void setPrice(const QString& price);

    Clocks& m_clocks;
    const QString m_folder;
    StationTable m_table;
    QString m_price = QStringLiteral("10"); // a first start's price, until the station file or the settings give one
    Language m_language;
    Ledger m_ledger;
    Till m_till;
    TabDesk m_tabs;
    BoardFiles* const m_files;
    BoardClock* const m_clock;
    PaidDesk* const m_paid;
    Bill m_lastBill;
};

} // namespace tallivor
