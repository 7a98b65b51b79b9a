// The station board's operations, each writing its ledger lines before it returns, the clock over the whole table,
// and the load and close steps; the pieces it is made of do the rest.
#include "board/Board.h"

#include "accounts/ReportModel.h"
#include "board/ClockPass.h"
#include "ledger/Events.h"
#include "rules/TimeText.h"

namespace tallivor {

Board::Board(Clocks& clocks, QString programFolder, QObject* parent)
    : QObject(parent), m_clocks(clocks), m_folder(std::move(programFolder)), m_language(m_folder),
      m_ledger(m_folder, [&clocks] { return clocks.now(); }), m_till(m_folder, m_ledger),
      m_tabs(m_table, m_till, m_ledger), m_files(new BoardFiles(m_folder, m_ledger, m_table, m_till, this)),
      m_clock(new BoardClock(clocks, this)),
      m_paid(new PaidDesk(
          m_table, m_ledger, clocks, [this](int row) { return fieldsOf(row); }, this))
{
    m_ledger.setOnWritten([this](const LedgerEntry& entry, const QByteArray& check) {
        emit ledgerWritten(LedgerRecord{entry, check, eventFromName(entry.event)});
    });
    connect(m_clock, &BoardClock::ticked, this, &Board::clockTimeout);
    connect(m_clock, &BoardClock::saveDue, this, [this] {
        persist();
        m_till.save(true); // the counts the sales moved, once a minute
    });
    connect(m_paid, &PaidDesk::stationDue, this, &Board::stationDue);
    connect(m_files, &BoardFiles::diskChanged, this, [this] {
        m_clock->setRetrying(!m_files->disk().saved());
        emit diskStateChanged();
    });
    connect(m_paid, &PaidDesk::paidStateChanged, this, &Board::paidStateChanged);
}

Board::~Board() = default;

bool Board::isRunning(int row) const
{
    return m_table.isRow(row) && m_table[row].text(Column::State) == m_language.words().running;
}

const QString& Board::priceOf(int row) const
{
    return m_table.isRow(row) && m_table[row].record.price ? *m_table[row].record.price : m_price;
}

StationFields Board::fieldsOf(int row) const
{
    return {text(Column::Name, row), text(Column::Spent, row), text(Column::Charge, row), priceOf(row)};
}

Refusal Board::addStation(const StationEdit& edit)
{
    if (const Refusal refused = refusalOf(m_table, -1, edit); refused != Refusal::None)
        return refused;
    Station station;
    station.texts = {m_language.words().stopped, edit.name, edit.spent.value_or(clearedSpent), clearedCharge};
    m_table.append({station});
    m_ledger.append(line::ofStation(LedgerEvent::Add, fieldsOf(rowCount() - 1)));
    applyExtras(rowCount() - 1, edit);
    persist();
    return Refusal::None;
}

Refusal Board::editStation(int row, const StationEdit& edit)
{
    if (!m_table.isRow(row))
        return Refusal::Name; // the station is gone
    if (const Refusal refused = refusalOf(m_table, row, edit); refused != Refusal::None)
        return refused;
    const QString nameBefore = text(Column::Name, row), spentBefore = text(Column::Spent, row);
    const QString spent = edit.spent.value_or(spentBefore);
    if (edit.name != nameBefore)
        m_table.setText(row, Column::Name, edit.name);
    if (spent != spentBefore)
        m_table.setText(row, Column::Spent, spent);
    if (edit.name != nameBefore || spent != spentBefore)
        m_ledger.append(line::edit(fieldsOf(row), spentBefore, nameBefore));
    if (spent != spentBefore && m_table[row].record.paid)
        m_paid->setSpent(row, qint64(secondsOf(spent)));
    applyExtras(row, edit);
    persist();
    return Refusal::None;
}

void Board::applyExtras(int row, const StationEdit& edit)
{
    StationRecord& record = m_table.at(row).record;
    if (edit.price && *edit.price != record.price) {
        const QString before = record.price.value_or(QString());
        record.price = *edit.price;
        m_ledger.append(line::ownPrice(fieldsOf(row), before));
    }
    if (edit.paid)
        m_paid->setPaidTime(row, *edit.paid);
}

void Board::toggleStation(int row)
{
    if (!m_table.isRow(row))
        return;
    const StateWords& words = m_language.words();
    const bool starts = text(Column::State, row) == words.stopped;
    m_table.setText(row, Column::State, starts ? words.running : words.stopped);
    m_ledger.append(line::ofStation(starts ? LedgerEvent::Start : LedgerEvent::Stop, fieldsOf(row)));
    persist();
}

void Board::billStation(int row)
{
    if (!m_table.isRow(row))
        return;
    const StationFields asBilled = fieldsOf(row);
    Station& station = m_table.at(row);
    const std::optional<qint64> paid = std::exchange(station.record.paid, std::nullopt);
    const Tab tab = std::exchange(station.record.tab, Tab());
    m_table.setText(row, Column::Spent, clearedSpent);
    m_table.setText(row, Column::Charge, clearedCharge);
    if (std::optional<Bill> bill = m_tabs.bill(asBilled, paid, tab, m_clocks.now())) {
        m_lastBill = std::move(*bill);
        emit billed();
    }
    if (paid)
        m_paid->setSpent(row, 0);
    persist();
}

void Board::removeStation(int row)
{
    if (!m_table.isRow(row))
        return;
    const StationFields removed = fieldsOf(row);
    const QString state = text(Column::State, row);
    const Station station = m_table[row];
    m_table.remove(row);
    const Tab& tab = station.record.tab;
    m_ledger.append(line::remove(removed, state, tab.isEmpty() ? std::nullopt : std::optional(tab.total())));
    persist();
    if (station.record.paid)
        emit paidStateChanged(station.id); // a due station's alarm goes with it
}

bool Board::applySettings(const QString& price, const QString& language)
{
    if (!fitsStationField(price) || !fitsStationField(language))
        return false;
    if (price != m_price) {
        const QString before = m_price;
        setPrice(price);
        m_ledger.append(line::boardPrice(price, before));
    }
    if (language != m_language.file()) {
        const QString before = m_language.file();
        m_language.setFile(language);
        translate();
        m_ledger.append(line::language(price, language, before));
    }
    persist();
    return true;
}

bool Board::setRoomSetting(RoomSettings::Key key, const QString& value)
{
    const std::optional<QString> before = m_till.room().set(key, value);
    if (!before)
        return false;
    m_ledger.append(line::setting(RoomSettings::name(key), value, *before, m_price));
    persist();
    return true;
}

PeriodTotals Board::closeShift()
{
    const PeriodTotals totals = shiftTotals(m_folder);
    m_ledger.append(line::shift(m_price, totals.bills, totals.billed, timeOfSeconds(totals.seconds),
                                totals.counterSales, totals.counterVoids));
    persist();
    return totals;
}

bool Board::sell(int row, const QString& product, qint64 quantity)
{
    if (!m_tabs.sell(row, product, quantity))
        return false;
    persist();
    emit tabChanged(m_table.idOf(row));
    return true;
}

bool Board::takeOff(int row, std::size_t item)
{
    if (!m_tabs.takeOff(row, item))
        return false;
    persist();
    emit tabChanged(m_table.idOf(row));
    return true;
}

void Board::topUp(int row, bool add)
{
    if (!m_table.isRow(row))
        return;
    m_paid->topUp(row, add);
    persist();
}

void Board::acknowledge(int row)
{
    if (m_paid->acknowledge(row))
        persist();
}

void Board::acknowledgeAll()
{
    if (m_paid->acknowledgeAll())
        persist();
}

void Board::clockTimeout()
{
    const SteadySeconds::Due due = m_clock->due();
    if (due.seconds > 0)
        tick(due.seconds);
    if (due.gap) {
        // Held up or asleep for over a minute: the owner sees it in the ledger, and what was not counted.
        m_ledger.append(line::gap(due.seconds + due.sleptSeconds, due.sleptSeconds, runningStations(), m_price));
    }
}

void Board::tick(qint64 seconds)
{
    const ClockPass pass = passClock(m_table.rows(), m_price, m_language.words().running, seconds);
    m_table.announce(Column::Spent, pass.firstSpent, pass.lastSpent);
    m_table.announce(Column::Charge, pass.firstCharged, pass.lastCharged);
    for (const int row : pass.marked)
        m_paid->settle(row);
}

void Board::load()
{
    const StationFile file = m_files->readStations();
    setPrice(file.price.value_or(m_price));
    // A first start, or a file without a language, shows the captions and state words of the default language.
    if (file.language && !file.language->isEmpty())
        m_language.setFile(*file.language);
    translate();
    const Replayed replayed = m_files->catchUp(m_language.words(), m_price);
    setPrice(replayed.price.value_or(m_price));
    if (replayed.language && *replayed.language != m_language.file()) {
        m_language.setFile(*replayed.language);
        translate();
    }
    m_clock->start();
    // A station found past its paid end is due again, with its alarm; its due line was written when it got there.
    for (int row = 0; row < rowCount(); ++row)
        m_paid->settleDue(row, false);

    m_files->writeOpenLines(rowCount(), runningStations(), m_price);
    persist(); // a station file that already holds the board is not written
}

void Board::setPrice(const QString& price)
{
    if (std::exchange(m_price, price) != price)
        emit priceChanged();
}

void Board::close()
{
    clockTimeout();
    savefile();
    m_ledger.append(line::close(rowCount(), runningStations(), m_price));
    stop();
}

QByteArray Board::stationFileBytes() const
{
    const QString& language = m_language.file();
    return tallivor::stationFileBytes(m_price, language.isEmpty() ? QLatin1String(defaultLanguageFile) : language,
                                      m_table);
}

void Board::persist()
{
    m_files->persist(stationFileBytes());
}

void Board::savefile()
{
    m_files->saveAll(stationFileBytes());
}

void Board::translate()
{
    if (const std::optional<Relabel> relabel = m_language.apply()) {
        m_table.relabel(*relabel);
        emit languageApplied();
    }
}

} // namespace tallivor
