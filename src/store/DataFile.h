#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tallivor {

// The whole content of a file, read in one pass; nothing when it cannot be opened or read.
std::optional<QByteArray> readWholeFile(const QString& path);

// Replaces the file's content atomically: the bytes go to a temporary file beside it, which is flushed to the disk
// and then renamed over the old one. When any step fails (a folder that cannot be written, a full disk) the old file
// stays whole and the result is false.
bool replaceFile(const QString& path, const QByteArray& content);

} // namespace tallivor
