#include "store/DataFile.h"

#include <QFile>
#include <QSaveFile>
#include <QtDebug>

namespace tallivor {

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

bool replaceFile(const QString& path, const QByteArray& content)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning("Cannot write %s: %s", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    // QSaveFile would commit a short file after a failed buffered write on a full disk: check every step.
    if (file.write(content) != content.size() || !file.flush()) {
        qWarning("Cannot write %s: %s", qPrintable(path), qPrintable(file.errorString()));
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        qWarning("Cannot replace %s: %s", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    return true;
}

} // namespace tallivor
