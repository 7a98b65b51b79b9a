#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tallivor {

// Why a write failed, in the few words the operator is told.
enum class WriteFault
{
    None,   // written
    Full,   // no space left on the disk (or the file may not grow)
    Denied, // not allowed, or the file is held open by another program
    Other,  // the system said something else
};

// The fault a system error number stands for.
WriteFault faultOfError(int error);

// The whole content of a file, read in one pass; nothing when it cannot be opened or read.
std::optional<QByteArray> readWholeFile(const QString& path);

// Replaces the file's content atomically: the bytes go to a temporary file beside it, which is flushed to the disk
// and then renamed over the old one, and the rename is synced too. When any step fails (a folder that cannot be
// written, a full disk) the old file stays whole, the result is false, and fault (when given) says why.
bool replaceFile(const QString& path, const QByteArray& content, WriteFault* fault = nullptr);

} // namespace tallivor
