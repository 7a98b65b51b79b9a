#include "store/DataFile.h"

#include "store/SyncedFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <QtDebug>

#include <cerrno>

namespace tallivor {
namespace {

// What a failed save says, told apart by what the disk has room for: Qt keeps no error number.
WriteFault faultOfSave(const QSaveFile& file, const QString& path, qint64 size)
{
    qWarning("Cannot write %s: %s", qPrintable(path), qPrintable(file.errorString()));
    const QStorageInfo disk(QFileInfo(path).absolutePath());
    if (disk.isValid() && disk.bytesAvailable() < size + 64 * 1024)
        return WriteFault::Full;
    return file.error() == QFileDevice::OpenError || file.error() == QFileDevice::PermissionsError ? WriteFault::Denied
                                                                                                   : WriteFault::Other;
}

} // namespace

WriteFault faultOfError(int error)
{
    switch (error) {
    case 0: return WriteFault::None;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG: return WriteFault::Full;
    case EACCES:
    case EPERM:
    case EROFS:
    case EBUSY: return WriteFault::Denied;
    default: return WriteFault::Other;
    }
}

std::optional<QByteArray> readWholeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return content;
}

bool replaceFile(const QString& path, const QByteArray& content, WriteFault* fault)
{
    WriteFault found = WriteFault::None;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        found = faultOfSave(file, path, content.size());
    } else if (file.write(content) != content.size() || !file.flush()) {
        // QSaveFile would commit a short file after a failed buffered write on a full disk: check every step.
        found = faultOfSave(file, path, content.size());
        file.cancelWriting();
    } else if (!file.commit()) {
        found = faultOfSave(file, path, content.size());
    } else {
        // The new file's data is synced before the rename; the rename itself is synced here.
        syncFolder(QFileInfo(path).absolutePath().toStdU16String());
    }
    if (fault)
        *fault = found;
    return found == WriteFault::None;
}

} // namespace tallivor
