// The station board: its operations (each writing its ledger line before it returns), the one-second clock, the
// station file's life cycle and the language in force.
#include "board/Board.h"

#include "lang/Entries.h"
#include "lang/Relabel.h"
#include "lang/StateWords.h"
#include "ledger/Totals.h"
#include "rules/ClockRule.h"
#include "rules/Numbers.h"
#include "rules/TimeText.h"
#include "store/DataFile.h"
#include "store/StationFile.h"
#include "store/TextCodec.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>
#include <limits>
#include <utility>

namespace tallivor {

namespace {

const QString defaultLanguage = QLatin1String(defaultLanguageFile);
constexpr int autosaveInterval = 60 * 1000;

// The first and last row that a pass changed, for one change notification per column.
struct ChangedRows
{
    qsizetype first = -1;
    qsizetype last = -1;
    void add(qsizetype row)
    {
        if (first < 0)
            first = row;
        last = row;
    }
    void announce(StringColumn& column) const
    {
        if (first >= 0)
            column.announceChanged(int(first), int(last));
    }
};

// A language file is an ordinary, visible file directly in the program folder, named by its bare file name.
bool isLanguageFile(const QString& folder, const QString& name)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return false;
    const QFileInfo info(QDir(folder).filePath(name));
    return info.exists() && info.isFile() && !info.isHidden();
}

// The entries of a language file in the program folder; nothing when there is no such file or it cannot be read.
std::optional<LanguageFile> readLanguageFile(const QString& folder, const QString& name)
{
    if (!isLanguageFile(folder, name))
        return std::nullopt;
    const std::optional<QByteArray> bytes = readWholeFile(QDir(folder).filePath(name));
    if (!bytes)
        return std::nullopt;
    return parseLanguageFile(decodeDataFile(*bytes));
}

// The state words a language file gives, when it gives them.
std::pair<std::optional<QString>, std::optional<QString>> stateWordsOf(const std::optional<LanguageFile>& file)
{
    if (!file)
        return {};
    return {file->entries[entryOf(LanguageVariable::Startcaption)],
            file->entries[entryOf(LanguageVariable::Stopcaption)]};
}

} // namespace

Board::Board(Clocks& clocks, QString programFolder, QObject* parent)
    : QObject(parent), m_clocks(clocks), m_folder(std::move(programFolder)),
      m_ledger(m_folder, [&clocks] { return clocks.now(); }), m_seconds(clocks.steadyTime()),
      m_autosaveTimer(new QTimer(this))
{
    m_ledger.setOnWritten([this](const LedgerEntry& entry, const QByteArray& check) {
        emit ledgerWritten(LedgerRecord{entry, check, eventFromName(entry.event)});
    });
    // Started by the load step once the board is read: a copy that relaunches itself never saves.
    m_autosaveTimer->setObjectName(QStringLiteral("autosave"));
    connect(m_autosaveTimer, &QTimer::timeout, this, &Board::autosave);
}

Board::~Board() = default;

bool Board::isRunning(int row) const
{
    return isRow(row) && text(Column::State, row) == m_startCaption;
}

int Board::runningStations() const
{
    return m_startCaption.isEmpty() ? 0 : int(column(Column::State).texts().count(m_startCaption));
}

int Board::unbilledStations() const
{
    const QStringList& charges = column(Column::Charge).texts();
    return int(std::count_if(charges.begin(), charges.end(),
                             [](const QString& charge) { return leadingNumber(charge) != 0; }));
}

StationId Board::stationId(int row) const
{
    return isRow(row) ? m_stations[std::size_t(row)].id : 0;
}

int Board::rowOf(StationId station) const
{
    const auto found = std::find_if(m_stations.begin(), m_stations.end(),
                                    [station](const Station& s) { return station != 0 && s.id == station; });
    return found == m_stations.end() ? -1 : int(found - m_stations.begin());
}

// The operations.

bool Board::addStation(const QString& name, const QString& time)
{
    // Row indices are 16-bit: the board holds at most 32,767 stations.
    const bool full = rowCount() >= std::numeric_limits<qint16>::max();
    if (name.isEmpty() || !fitsStationField(name) || !fitsStationField(time) || full || isNameTaken(name))
        return false;
    m_stations.push_back({++m_lastId, {}, {}, 0, false, false, {}});
    column(Column::State).append(m_stopCaption);
    column(Column::Name).append(name);
    column(Column::Time).append(time);
    column(Column::Charge).append(QStringLiteral("00"));
    recordRow(LedgerEvent::Add, rowCount() - 1);
    return true;
}

bool Board::isNameTaken(const QString& name, int row) const
{
    const QStringList& names = column(Column::Name).texts();
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (i != row && names[i] == name)
            return true;
    }
    return false;
}

bool Board::editStation(int row, const QString& name, const std::optional<QString>& newTime)
{
    // A station keeps its own name, even one that a file edited by hand gave another station too.
    const bool renamed = name != text(Column::Name, row);
    if (name.isEmpty() || !fitsStationField(name) || (newTime && !fitsStationField(*newTime)) ||
        (renamed && isNameTaken(name, row)))
        return false;
    if (!isRow(row))
        return true; // no station to write to
    const QString nameBefore = text(Column::Name, row);
    const QString timeBefore = text(Column::Time, row);
    const QString time = newTime.value_or(timeBefore);
    if (name != nameBefore)
        column(Column::Name).replace(row, name);
    if (time != timeBefore)
        column(Column::Time).replace(row, time);
    if (name != nameBefore || time != timeBefore) {
        // The time first: a name may hold "; ", a time from the editor never does.
        recordRow(LedgerEvent::Edit, row,
                  ledgerDetail({{QLatin1String("time"), timeBefore}, {QLatin1String("name"), nameBefore}}));
    }
    if (time != timeBefore && station(row).paid) {
        station(row).used = qint64(secondsOf(time));
        settleDue(row);
        emit paidStatesChanged();
    }
    return true;
}

void Board::toggleStation(int row)
{
    if (!isRow(row))
        return;
    const QString word = text(Column::State, row) == m_stopCaption ? m_startCaption : m_stopCaption;
    column(Column::State).replace(row, word);
    recordRow(word == m_startCaption ? LedgerEvent::Start : LedgerEvent::Stop, row);
}

void Board::resetStation(int row)
{
    if (!isRow(row))
        return;
    const QString spent = text(Column::Time, row);
    const QString charge = text(Column::Charge, row);
    const QString cleared[] = {QStringLiteral("00:00"), QStringLiteral("00")};
    column(Column::Time).replace(row, cleared[0]);
    column(Column::Charge).replace(row, cleared[1]);
    // The values the reset cleared are the bill, with the paid time the customer had; a row that was already clear
    // had nothing to bill.
    Station& billed = station(row);
    const std::optional<qint64> paid = std::exchange(billed.paid, std::nullopt);
    if (spent != cleared[0] || charge != cleared[1] || paid) {
        m_ledger.append(LedgerEvent::Bill, text(Column::Name, row), spent, charge, priceOf(row),
                        paid ? ledgerDetail({{QLatin1String("paid"), paidTimeText(*paid)}}) : QString());
    }
    if (paid) {
        billed.used = 0;
        settleDue(row);
        emit paidStatesChanged();
    }
}

void Board::removeStation(int row)
{
    if (!isRow(row))
        return;
    const QString station = text(Column::Name, row), spent = text(Column::Time, row);
    const QString charge = text(Column::Charge, row), state = text(Column::State, row), price = priceOf(row);
    const bool paid = this->station(row).paid.has_value();
    m_stations.erase(m_stations.begin() + row);
    for (StringColumn& column : m_columns)
        column.remove(row);
    m_ledger.append(LedgerEvent::Remove, station, spent, charge, price,
                    ledgerDetail({{QLatin1String("state"), state}}));
    if (paid)
        emit paidStatesChanged(); // a due station's alarm goes with it
}

bool Board::applySettings(const QString& price, const QString& language)
{
    if (!fitsStationField(price) || !fitsStationField(language))
        return false;
    const QString priceBefore = m_price;
    if (price != priceBefore) {
        m_price = price;
        emit priceChanged();
        m_ledger.append(LedgerEvent::Price, {}, {}, {}, price, ledgerDetail({{QLatin1String("before"), priceBefore}}));
    }
    if (language != m_languageStr) {
        const QString languageBefore = m_languageStr;
        m_languageStr = language;
        translate();
        m_ledger.append(
            LedgerEvent::Language, {}, {}, {}, price,
            ledgerDetail({{QLatin1String("language"), language}, {QLatin1String("before"), languageBefore}}));
    }
    return true;
}

PeriodTotals Board::closeShift()
{
    const PeriodTotals totals = totalsOf(readLedger(m_folder, Period{{}, {}, true}).records);
    m_ledger.append(LedgerEvent::Shift, {}, {}, {}, m_price, shiftDetail(totals));
    return totals;
}

void Board::recordRow(LedgerEvent event, int row, const QString& detail)
{
    m_ledger.append(event, text(Column::Name, row), text(Column::Time, row), text(Column::Charge, row), priceOf(row),
                    detail);
}

QString Board::boardDetail() const
{
    return ledgerDetail({{QLatin1String("stations"), QString::number(rowCount())},
                         {QLatin1String("running"), QString::number(runningStations())}});
}

// What the board keeps per station: its own price and its paid time.

std::optional<QString> Board::ownPrice(int row) const
{
    return isRow(row) ? station(row).price : std::nullopt;
}

const QString& Board::priceOf(int row) const
{
    return isRow(row) && station(row).price ? *station(row).price : m_price;
}

std::optional<qint64> Board::paidTime(int row) const
{
    return isRow(row) ? station(row).paid : std::nullopt;
}

qint64 Board::usedSeconds(int row) const
{
    if (!isRow(row))
        return 0;
    return station(row).paid ? station(row).used : qint64(secondsOf(text(Column::Time, row)));
}

std::optional<qint64> Board::remainingSeconds(int row) const
{
    if (!isRow(row) || !station(row).paid)
        return std::nullopt;
    return *station(row).paid - station(row).used;
}

PaidState Board::paidState(int row) const
{
    if (!isRow(row) || !station(row).paid)
        return PaidState::None;
    const Station& s = station(row);
    if (s.due)
        return s.acknowledged ? PaidState::Acknowledged : PaidState::Due;
    return *s.paid - s.used <= paidWarning ? PaidState::Soon : PaidState::Paid;
}

bool Board::isAlarmSounding() const
{
    return std::any_of(m_stations.begin(), m_stations.end(), [](const Station& s) { return s.due && !s.acknowledged; });
}

bool Board::setOwnPrice(int row, const std::optional<QString>& price)
{
    if (price && !isOwnPrice(*price))
        return false;
    if (!isRow(row) || station(row).price == price)
        return true;
    const QString before = station(row).price.value_or(QString());
    station(row).price = price;
    recordRow(LedgerEvent::Price, row, ledgerDetail({{QLatin1String("before"), before}}));
    return true;
}

void Board::setPaidTime(int row, std::optional<qint64> seconds)
{
    if (!isRow(row) || station(row).paid == seconds)
        return;
    Station& s = station(row);
    const std::optional<qint64> before = s.paid;
    if (!before)
        s.used = qint64(secondsOf(text(Column::Time, row)));
    s.paid = seconds;
    recordPaid(row, before);
    settleDue(row);
    emit paidStatesChanged();
}

void Board::topUp(int row, bool add)
{
    if (!isRow(row))
        return;
    const Station& s = station(row);
    const qint64 used = usedSeconds(row);
    if (add) {
        // A top-up pays for any time past the paid end first: it counts from the end, not from now.
        setPaidTime(row, s.paid.value_or(used) + paidStep);
    } else if (s.paid) {
        const qint64 shortened = *s.paid - paidStep;
        setPaidTime(row, shortened > used ? std::optional<qint64>(shortened) : std::nullopt);
    }
}

void Board::recordPaid(int row, std::optional<qint64> before)
{
    // Minutes added or taken off, measured from the time used where there was or is no paid time.
    const Station& s = station(row);
    const qint64 from = before.value_or(s.used), to = s.paid.value_or(s.used);
    recordRow(LedgerEvent::Paid, row,
              ledgerDetail({{QLatin1String("paid"), s.paid ? paidTimeText(*s.paid) : QString()},
                            {QLatin1String("minutes"), numberText(double(to - from) / 60)}}));
}

void Board::settleDue(int row, bool writeDue)
{
    Station& s = station(row);
    const bool due = s.paid && s.used >= *s.paid;
    if (due == s.due)
        return;
    s.due = due;
    s.acknowledged = false;
    if (!due)
        return;
    s.dueSince = m_clocks.now();
    if (writeDue)
        recordRow(LedgerEvent::Due, row, ledgerDetail({{QLatin1String("paid"), paidTimeText(*s.paid)}}));
    emit stationDue(s.id);
}

void Board::acknowledge(int row)
{
    if (!isRow(row) || !station(row).due || station(row).acknowledged)
        return;
    Station& s = station(row);
    s.acknowledged = true;
    recordRow(LedgerEvent::Ack, row,
              ledgerDetail(
                  {{QLatin1String("after"), QString::number(std::max<qint64>(0, s.dueSince.secsTo(m_clocks.now())))}}));
    emit paidStatesChanged();
}

void Board::acknowledgeAll()
{
    for (int row = 0; row < rowCount(); ++row)
        acknowledge(row);
}

// The clock.

void Board::clockTimeout()
{
    const SteadySeconds::Due due = m_seconds.due(m_clocks.steadyTime());
    if (due.seconds > 0)
        tick(due.seconds);
    if (due.gap) {
        // Held up or asleep for over a minute: the owner sees it in the ledger, and what was not counted.
        m_ledger.writeGap(due.seconds + due.sleptSeconds, due.sleptSeconds, runningStations(), m_price);
        emit clockGap(due.seconds, due.sleptSeconds);
    }
}

void Board::tick(qint64 seconds)
{
    StringColumn& times = column(Column::Time);
    StringColumn& charges = column(Column::Charge);
    const QStringList& states = column(Column::State).texts();
    const qsizetype rows = std::min({times.texts().size(), charges.texts().size(), states.size()});

    PriceReader boardPrice(m_price); // read afresh at every completed minute: a new price charges from now on
    QString* time = times.texts().data();
    QString* charge = charges.texts().data();
    ChangedRows changedTimes, changedCharges;
    std::vector<int> reachedEnd;
    for (qsizetype i = 0; i < rows; ++i) {
        const bool running = states[i] == m_startCaption;
        Station& station = m_stations[std::size_t(i)];
        std::optional<PriceReader> ownPrice;
        if (station.price)
            ownPrice.emplace(*station.price); // a station with its own price is charged that at each minute
        PriceReader& price = ownPrice ? *ownPrice : boardPrice;
        const RowChange change = seconds == 1 ? tickRow(time[i], charge[i], running, price)
                                              : advanceRow(time[i], charge[i], running, price, seconds);
        if (change == RowChange::None)
            continue;
        changedTimes.add(i);
        if (change == RowChange::TimeAndCharge)
            changedCharges.add(i);
        if (station.paid) {
            // A station that turns amber or reaches its paid end is drawn anew, and the second is due.
            const qint64 before = *station.paid - station.used;
            station.used += seconds;
            const qint64 after = *station.paid - station.used;
            if ((before > paidWarning && after <= paidWarning) || (before > 0 && after <= 0))
                reachedEnd.push_back(int(i));
        }
    }
    changedTimes.announce(times);
    changedCharges.announce(charges);
    for (int row : reachedEnd)
        settleDue(row);
    if (!reachedEnd.empty())
        emit paidStatesChanged();
}

// The station file's life cycle.

QString Board::stationFilePath() const
{
    return QDir(m_folder).filePath(QLatin1String(stationFileName));
}

void Board::load()
{
    for (StringColumn& column : m_columns)
        column.clear();
    m_stations.clear();
    const QDateTime lastWritten = QFileInfo(stationFilePath()).lastModified();
    readStationFile();
    translate();
    m_autosaveTimer->start(autosaveInterval);
    // A station found past its paid end is due again, with its alarm; its due line was written when it got there.
    for (int row = 0; row < rowCount(); ++row)
        settleDue(row, false);

    m_ledger.append(LedgerEvent::Open, {}, {}, {}, m_price, boardDetail());
    // Stations marked running were not counted while the program was not running: the owner should know for how
    // long. Their times stay as the file has them.
    const int running = runningStations();
    if (running > 0 && lastWritten.isValid()) {
        const qint64 seconds = std::max<qint64>(0, lastWritten.secsTo(m_ledger.now()));
        m_ledger.writeGap(seconds, seconds, running, m_price);
    }
}

void Board::close()
{
    clockTimeout();
    savefile();
    m_ledger.append(LedgerEvent::Close, {}, {}, {}, m_price, boardDetail());
    stop();
}

void Board::stop()
{
    m_autosaveTimer->stop();
}

void Board::readStationFile()
{
    const std::optional<QByteArray> bytes = readWholeFile(stationFilePath());
    StationFile file = bytes ? parseStationFile(decodeDataFile(*bytes)) : StationFile{};
    if (file.price && *file.price != m_price) {
        m_price = *file.price;
        emit priceChanged();
    }
    if (file.language)
        m_languageStr = *file.language;
    // A first start, or a file without a language, still shows the captions and state words of the default language.
    if (m_languageStr.isEmpty())
        m_languageStr = defaultLanguage;
    m_stations.reserve(std::size_t(file.rowCount()));
    for (qsizetype i = 0; i < file.rowCount(); ++i) {
        Station station{++m_lastId, {}, paidSecondsOf(file.paid[i]), 0, false, false, {}};
        if (!file.ownPrice[i].isEmpty())
            station.price = file.ownPrice[i];
        if (station.paid)
            station.used = qint64(secondsOf(file.time[i]));
        m_stations.push_back(station);
    }
    column(Column::State).append(file.state);
    column(Column::Name).append(file.name);
    column(Column::Time).append(file.time);
    column(Column::Charge).append(file.charge);
    m_lineCount = file.lineCount;
    if (bytes)
        m_savedBytes = *bytes;
}

QByteArray Board::stationFileBytes() const
{
    // The optional fields only when some station has one: a board without them writes what it always wrote.
    QStringList ownPrices, paidTimes;
    if (std::any_of(m_stations.begin(), m_stations.end(), [](const Station& s) { return s.price || s.paid; })) {
        for (const Station& station : m_stations) {
            ownPrices << station.price.value_or(QString());
            paidTimes << (station.paid ? paidTimeText(*station.paid) : QString());
        }
    }
    return encodeDataFile(formatStationFile(m_price, m_languageStr.isEmpty() ? defaultLanguage : m_languageStr,
                                            column(Column::State).texts(), column(Column::Name).texts(),
                                            column(Column::Time).texts(), column(Column::Charge).texts(), ownPrices,
                                            paidTimes));
}

void Board::writeStationFile(const QByteArray& bytes)
{
    if (replaceFile(stationFilePath(), bytes))
        m_savedBytes = bytes;
}

void Board::savefile()
{
    if (m_languageStr.isEmpty())
        m_languageStr = defaultLanguage;
    writeStationFile(stationFileBytes());
}

void Board::autosave()
{
    const QByteArray bytes = stationFileBytes();
    if (bytes != m_savedBytes) // else nothing changed since the file was last written or read
        writeStationFile(bytes);
}

// The language.

void Board::translate()
{
    if (isLanguageFile(m_folder, m_languageStr))
        m_lineCount = 0;
    const std::optional<LanguageFile> file = readLanguageFile(m_folder, m_languageStr);
    if (!file && areUsableStateWords({m_startCaption, m_stopCaption}))
        return; // no file to apply, and the words in force can serve
    if (file) {
        m_lineCount = file->lineCount;
        for (std::size_t entry = 1; entry < m_entries.size(); ++entry) {
            if (file->entries[entry])
                m_entries[entry] = file->entries[entry];
        }
        // The report's texts come by key; a file without them gives the English ones.
        m_keyedTexts = KeyedTexts(file->keyed);
    }

    // Every row must be either running or stopped and able to change: the state words are never empty, never equal
    // and always fit the station file. Words a language file cannot give come from the default language's file, or
    // are the built-in ones when that is missing too.
    const auto [running, stopped] = stateWordsOf(file);
    const StateWords words = chooseStateWords(running, stopped, {m_startCaption, m_stopCaption}, [this] {
        const auto [defaultRunning, defaultStopped] = stateWordsOf(readLanguageFile(m_folder, defaultLanguage));
        const StateWords defaults{defaultRunning.value_or(QString()), defaultStopped.value_or(QString())};
        return areUsableStateWords(defaults) ? defaults : builtInStateWords();
    });
    m_startCaption = words.running;
    m_stopCaption = words.stopped;

    // Re-label the state words already on the board: the old running and stopped words become the new ones.
    StringColumn& states = column(Column::State);
    if (relabelStates(states.texts(), m_oldStopCaption, m_oldStartCaption, m_stopCaption, m_startCaption))
        states.announceChanged(0, int(states.texts().size()) - 1);
    m_oldStopCaption = m_stopCaption;
    m_oldStartCaption = m_startCaption;
    emit languageApplied();
}

} // namespace tallivor
