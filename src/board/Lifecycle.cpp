// The life of the process: the load step, the elevated relaunch, the station file, and the close, each start and
// close written to the ledger.
#include "board/Form1.h"

#include "board/BoardLock.h"
#include "dialogs/EditDialog.h"
#include "dialogs/SettingsDialog.h"
#include "lang/LanguageFile.h"
#include "report/ReportWindow.h"
#include "store/DataFile.h"
#include "store/StationFile.h"
#include "store/TextCodec.h"
#include "ui/ListBox.h"
#include "ui/Platform.h"
#include "ui/ScrollBar.h"
#include "ui/TextBox.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

namespace tallivor {

namespace {
const QString defaultLanguage = QLatin1String(defaultLanguageFile);
constexpr int autosaveInterval = 60 * 1000;
} // namespace

QString Form1::stationFilePath() const
{
    return QDir(m_folder).filePath(QLatin1String(stationFileName));
}

void Form1::load()
{
    if (!m_platform.isUserAnAdmin()) {
        m_platform.shellExecute(nullptr, QStringLiteral("runas"), m_platform.relaunchFile(m_folder),
                                m_platform.commandLineTail() + QLatin1String("/admin"), QString(), swShowNormal);
        close();
        return;
    }
    // Taken only now: the copy without rights that relaunches itself must leave the lock to its elevated copy.
    if (!m_boardLock->tryLock()) {
        m_platform.allowSetForegroundWindow();
        m_boardLock->askOwnerToComeForward();
        close();
        return;
    }
    Namelist->clear();
    Eventlist->clear();
    timeList->clear();
    Rellist->clear();
    const QDateTime lastWritten = QFileInfo(stationFilePath()).lastModified();
    readStationFile();
    const int rows = Namelist->listCount();
    VScroll1->setMax(rows - 1);
    VScroll1->setValue(rows - 1);
    translate();
    m_autosaveTimer->start(autosaveInterval);

    m_ledger.append(LedgerEvent::Open, {}, {}, {}, REL->text(), boardDetail());
    // Stations marked running were not counted while the program was not running: the owner should know for how
    // long. Their times stay as the file has them.
    const int running = runningStations();
    if (running > 0 && lastWritten.isValid()) {
        const qint64 seconds = std::max<qint64>(0, lastWritten.secsTo(m_ledger.now()));
        m_ledger.writeGap(seconds, seconds, running, REL->text());
    }
}

int Form1::runningStations() const
{
    return Startcaption.isEmpty() ? 0 : int(Eventlist->column().texts().count(Startcaption));
}

QString Form1::boardDetail() const
{
    return ledgerDetail({{QLatin1String("stations"), QString::number(Namelist->listCount())},
                         {QLatin1String("running"), QString::number(runningStations())}});
}

void Form1::readStationFile()
{
    const std::optional<QByteArray> bytes = readWholeFile(stationFilePath());
    StationFile file = bytes ? parseStationFile(decodeDataFile(*bytes)) : StationFile{};
    if (file.price)
        REL->setText(*file.price);
    if (file.language)
        languageStr = *file.language;
    // A first start, or a file without a language, still shows the captions and state words of the default language.
    if (languageStr.isEmpty())
        languageStr = defaultLanguage;
    Eventlist->column().append(file.state);
    Namelist->column().append(file.name);
    timeList->column().append(file.time);
    Rellist->column().append(file.charge);
    lineCount = file.lineCount;
    if (bytes)
        m_savedBytes = *bytes;
}

QByteArray Form1::stationFileBytes() const
{
    return encodeDataFile(formatStationFile(REL->text(), languageStr.isEmpty() ? defaultLanguage : languageStr,
                                            Eventlist->column().texts(), Namelist->column().texts(),
                                            timeList->column().texts(), Rellist->column().texts()));
}

void Form1::writeStationFile(const QByteArray& bytes)
{
    if (replaceFile(stationFilePath(), bytes))
        m_savedBytes = bytes;
}

void Form1::savefile()
{
    if (languageStr.isEmpty())
        languageStr = defaultLanguage;
    writeStationFile(stationFileBytes());
}

void Form1::autosave()
{
    const QByteArray bytes = stationFileBytes();
    if (bytes != m_savedBytes) // else nothing changed since the file was last written or read
        writeStationFile(bytes);
}

void Form1::closeEvent(QCloseEvent* event)
{
    // Closing is never refused and asks nothing: the board is saved, with the seconds counted up to now, and the
    // process ends. Only the copy that owns the board writes it, and its close line.
    if (m_platform.isUserAnAdmin() && m_boardLock->isLocked()) {
        clockTimeout();
        savefile();
        m_ledger.append(LedgerEvent::Close, {}, {}, {}, REL->text(), boardDetail());
    }
    event->accept();
    endProcess();
}

void Form1::endProcess()
{
    m_ended = true;
    Time->stop();
    m_autosaveTimer->stop();
    // Open dialogs go with the process, their pending input unapplied.
    delete m_edit.data();
    delete m_settings.data();
    delete m_report.data();
    m_boardLock->unlock();
    emit processEnded();
}

void Form1::comeForward()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

} // namespace tallivor
