#pragma once

#include "board/Clocks.h"
#include "board/SteadySeconds.h"
#include "board/StringColumn.h"
#include "lang/KeyedTexts.h"
#include "lang/LanguageFile.h"
#include "ledger/Ledger.h"
#include "ledger/LedgerReader.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <optional>
#include <vector>

class QTimer;

namespace tallivor {

struct PeriodTotals;

// The board's four columns, in the order they stand on the window.
enum class Column
{
    State,  // the state word: the running or the stopped word
    Name,   // the station's name
    Time,   // the time used, "minutes:seconds"
    Charge, // the charge so far
};

// How a station stands against its paid time, for the windows: drawn plain, amber in its last five minutes, red and
// blinking at its paid end until the operator acknowledges it, red after that.
enum class PaidState
{
    None,         // an open session: no paid time
    Paid,         // paid time ahead, more than five minutes of it
    Soon,         // five minutes or less ahead
    Due,          // at or past its paid end, not acknowledged yet: the alarm sounds
    Acknowledged, // past its paid end, acknowledged: the alarm is silent
};

// The minutes before the paid end when a station turns amber, and what + and - add or take off, in seconds.
inline constexpr qint64 paidWarning = 5 * 60;
inline constexpr qint64 paidStep = 15 * 60;

// A station's identity while the program runs: it survives the removal of other rows, and a removed station's
// identity is never given again. It is not written to the station file. Zero stands for no station.
using StationId = quint64;

// The station board without any window: the one copy of the station table (four columns of row texts, exactly as
// the station file and the clock read them, and beside them what the board keeps per station), the price per minute,
// the language and its state words, the clock, the station file and the ledger. Every change of the board is one of
// the operations below, which also writes its line to the ledger; windows show the columns and call the operations.
class Board : public QObject
{
    Q_OBJECT
public:
    Board(Clocks& clocks, QString programFolder, QObject* parent = nullptr);
    ~Board() override;

    // The load step: reads the station file and applies its language, starts saving once a minute and writes the
    // open line (with a gap line when stations were left running while the program was not).
    void load();
    // The close step: counts the seconds up to now, writes the station file and the close line, and stops.
    void close();
    // Stops the clock's saving without writing anything: the process ends.
    void stop();

    // The columns, each a model that list boxes show.
    StringColumn& column(Column column) { return m_columns[std::size_t(column)]; }
    const StringColumn& column(Column column) const { return m_columns[std::size_t(column)]; }
    // The text of a row in a column; the empty text for a row that does not exist.
    QString text(Column column, int row) const { return this->column(column).text(row); }
    int rowCount() const { return int(column(Column::Name).texts().size()); }
    // Whether the row runs: its state word is the running word.
    bool isRunning(int row) const;
    int runningStations() const;
    // How many stations carry a charge that no bill has settled yet.
    int unbilledStations() const;

    // The station's own price per minute, when it has one; the price it is charged, its own or the board's.
    std::optional<QString> ownPrice(int row) const;
    const QString& priceOf(int row) const;
    // The station's paid time: the time used (in seconds) at which what the customer paid for ends; none for an open
    // session. The seconds the station has used, and how many of its paid time are left (below zero: past its end).
    std::optional<qint64> paidTime(int row) const;
    qint64 usedSeconds(int row) const;
    std::optional<qint64> remainingSeconds(int row) const;
    PaidState paidState(int row) const;
    // Whether any station is due and not acknowledged: the alarm sounds.
    bool isAlarmSounding() const;

    // The identity of the station in the row (0 for none), and the row of a station (-1 once it is removed).
    StationId stationId(int row) const;
    int rowOf(StationId station) const;

    // The board's operations. Each takes the row it acts on and does nothing for a row that does not exist.

    // Appends a stopped station with the name, the time ("minutes:seconds") and no charge. Refuses (false, nothing
    // changes) an empty name, a name another station has, a name or time the station file cannot hold and a full
    // board.
    bool addStation(const QString& name, const QString& time);
    // Gives the station in the row a new name and, when one is given, a new time; its state and charge stay. Refuses
    // (false) an empty name, a name another station has and a name or time the station file cannot hold; true without
    // a change when the row does not exist.
    bool editStation(int row, const QString& name, const std::optional<QString>& time);
    // Whether a station other than the one in the row (-1: any station) has the name, compared exactly.
    bool isNameTaken(const QString& name, int row = -1) const;
    // Starts or stops the station: the stopped word becomes the running word, any other word the stopped word.
    void toggleStation(int row);
    // Sets the station's time to "00:00" and its charge to "00" and removes its paid time: the bill is settled. Its own
    // price stays.
    void resetStation(int row);
    // Gives the station its own price per minute, or (none) the board's again. Refuses (false) a price that holds no
    // number or that the station file cannot hold.
    bool setOwnPrice(int row, const std::optional<QString>& price);
    // Sets the station's paid time, in seconds of time used, or removes it (none): the due state follows at once.
    void setPaidTime(int row, std::optional<qint64> seconds);
    // Adds paidStep to the paid time (counted from the paid end when there is one, else from the time used), or, for
    // a negative step, takes it off; a paid time left with nothing ahead of the time used is removed.
    void topUp(int row, bool add);
    // The operator has seen that the station is due: its alarm stops, the row stays red.
    void acknowledge(int row);
    void acknowledgeAll();
    // Removes the station from the board.
    void removeStation(int row);
    // Takes a new price per minute and, when it names another file, a new language, applied at once. Refuses (false,
    // nothing changes) a price or a file name the station file cannot hold.
    bool applySettings(const QString& price, const QString& language);
    // Closes the operator's shift: writes a shift line with the totals of the bills since the last one, and returns
    // them.
    PeriodTotals closeShift();

    // Seconds of the clock, one unless told: running stations count up and are charged at each completed minute,
    // exactly as that many single seconds would do it.
    void tick(qint64 seconds = 1);
    // The clock's timer event: applies the seconds that the steady clock says have passed since those last applied.
    void clockTimeout();

    // Applies the language file named by the language in force: its entries, its keyed texts and its state words,
    // re-labelling the state words already on the board. A file that is not there changes nothing, but for state
    // words that cannot serve, which are chosen anew.
    void translate();

    // Writes the station file: the price, the language and every row.
    void savefile();
    // Writes the station file when it no longer holds the board, the price or the language; run once a minute while
    // the program runs, so that a crash or a power cut costs at most the last minute.
    void autosave();
    QString stationFilePath() const;

    const QString& programFolder() const { return m_folder; }
    // The price per minute, as the station file holds it.
    const QString& price() const { return m_price; }
    // The language file in force, by its name in the program folder.
    const QString& languageStr() const { return m_languageStr; }
    // The running and the stopped word in force.
    const QString& runningWord() const { return m_startCaption; }
    const QString& stoppedWord() const { return m_stopCaption; }
    // The numbered entries of the language files applied so far, each as the last file that set it gave it.
    const LanguageEntries& languageEntries() const { return m_entries; }
    // The report's texts in the language in force.
    const KeyedTexts& keyedTexts() const { return m_keyedTexts; }
    // The line counter, shared by the station file reader and the language file reader.
    qint16 lineCount() const { return m_lineCount; }
    void setLineCount(qint16 count) { m_lineCount = count; }

    // The ledger of bills and events, beside the station file.
    const Ledger& ledger() const { return m_ledger; }

signals:
    // The price per minute changed.
    void priceChanged();
    // A language file was applied (or the state words chosen anew): windows re-label themselves.
    void languageApplied();
    // More than a minute passed between two events of the clock: counted seconds were applied at once, the computer
    // slept for slept seconds, which were not.
    void clockGap(qint64 counted, qint64 slept);
    // A station reached its paid end (or was found past it at start-up): the alarm is to sound.
    void stationDue(tallivor::StationId station);
    // Some station's paid time, own price or paid state changed: its row is to be drawn anew.
    void paidStatesChanged();
    // A line reached the ledger on the disk.
    void ledgerWritten(const tallivor::LedgerRecord& record);

private:
    // What the board keeps of a station beside its four texts.
    struct Station
    {
        StationId id;
        std::optional<QString> price; // its own price per minute
        std::optional<qint64> paid;   // its paid time, in seconds of time used
        qint64 used = 0;              // seconds of time used, kept for a station with a paid time
        bool due = false;             // at or past its paid end
        bool acknowledged = false;    // due, and the operator has seen it
        QDateTime dueSince;           // when it became due
    };
    Station& station(int row) { return m_stations[std::size_t(row)]; }
    const Station& station(int row) const { return m_stations[std::size_t(row)]; }
    // Brings the station's due state in line with its time used and paid time; writeDue: a due line for a station
    // that reaches its paid end now (not for one found past it at start-up).
    void settleDue(int row, bool writeDue = true);
    // Writes the paid line of a change of the paid time from before.
    void recordPaid(int row, std::optional<qint64> before);

    void readStationFile();
    QByteArray stationFileBytes() const;
    void writeStationFile(const QByteArray& bytes);
    bool isRow(int row) const { return row >= 0 && row < rowCount(); }
    // Writes a ledger line with the row's name, time and charge and the price in force.
    void recordRow(LedgerEvent event, int row, const QString& detail = {});
    // The detail of the open and close lines: how many stations the board holds and how many of them run.
    QString boardDetail() const;

    Clocks& m_clocks;
    const QString m_folder;
    std::array<StringColumn, 4> m_columns;
    std::vector<Station> m_stations; // one per row
    StationId m_lastId = 0;

    QString m_price = QStringLiteral("10"); // a first start's price, until the station file or the settings give one
    QString m_languageStr;
    QString m_startCaption;
    QString m_stopCaption;
    QString m_oldStopCaption;
    QString m_oldStartCaption;
    LanguageEntries m_entries;
    KeyedTexts m_keyedTexts;
    qint16 m_lineCount = 0;

    Ledger m_ledger;
    SteadySeconds m_seconds;
    QTimer* const m_autosaveTimer;
    QByteArray m_savedBytes; // what the station file holds as this copy last wrote or read it
};

} // namespace tallivor
