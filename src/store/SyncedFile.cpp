#include "store/SyncedFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace tallivor {
namespace {

// The system's calls, each as the system answers: the logic around them is shared, so that it is built and tested
// everywhere. Opening: for appending (created when missing when told), or an existing file for writing in place.
enum class Open
{
    Append,
    AppendNew,
    InPlace,
};

#ifdef _WIN32
int openRaw(const std::filesystem::path& path, Open how)
{
    const int flags[] = {_O_WRONLY | _O_APPEND | _O_BINARY, _O_WRONLY | _O_APPEND | _O_BINARY | _O_CREAT | _O_EXCL,
                         _O_WRONLY | _O_BINARY};
    return _wopen(path.c_str(), flags[int(how)], _S_IREAD | _S_IWRITE);
}
std::int64_t sizeRaw(int fd)
{
    return _lseeki64(fd, 0, SEEK_END);
}
std::int64_t seekStartRaw(int fd)
{
    return _lseeki64(fd, 0, SEEK_SET);
}
long long writeRaw(int fd, const char* data, std::size_t size)
{
    return _write(fd, data, unsigned(size));
}
int syncRaw(int fd)
{
    return _commit(fd);
}
int truncateRaw(int fd, std::int64_t size)
{
    return _chsize_s(fd, size);
}
void closeRaw(int fd)
{
    _close(fd);
}
void syncEntries(const std::filesystem::path&)
{
    // NTFS records a file's folder entry in its journal: there is nothing to sync.
}
#else
int openRaw(const std::filesystem::path& path, Open how)
{
    const int flags[] = {O_WRONLY | O_APPEND | O_CLOEXEC, O_WRONLY | O_APPEND | O_CLOEXEC | O_CREAT | O_EXCL,
                         O_WRONLY | O_CLOEXEC};
    return ::open(path.c_str(), flags[int(how)], 0644);
}
std::int64_t sizeRaw(int fd)
{
    return ::lseek(fd, 0, SEEK_END);
}
std::int64_t seekStartRaw(int fd)
{
    return ::lseek(fd, 0, SEEK_SET);
}
long long writeRaw(int fd, const char* data, std::size_t size)
{
    return ::write(fd, data, size);
}
int syncRaw(int fd)
{
    return ::fsync(fd);
}
int truncateRaw(int fd, std::int64_t size)
{
    return ::ftruncate(fd, off_t(size));
}
void closeRaw(int fd)
{
    ::close(fd);
}
void syncEntries(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
#endif

bool writeAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const long long written = writeRaw(fd, data, std::min<std::size_t>(size, std::size_t(1) << 30));
        if (written <= 0)
            return false;
        data += written;
        size -= std::size_t(written);
    }
    return true;
}

} // namespace

SyncedFile::SyncedFile(const std::filesystem::path& path)
{
    m_fd = openRaw(path, Open::Append);
    if (!isOpen()) {
        m_fd = openRaw(path, Open::AppendNew);
        if (isOpen())
            m_folder = path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
    }
    if (isOpen())
        m_size = sizeRaw(m_fd);
    else
        m_error = errno;
}

SyncedFile::~SyncedFile()
{
    if (isOpen())
        closeRaw(m_fd);
}

bool SyncedFile::append(const char* data, std::size_t size)
{
    if (!isOpen() || m_size < 0)
        return false;
    if (writeAll(m_fd, data, size) && syncRaw(m_fd) == 0) {
        if (!m_folder.empty()) {
            syncEntries(m_folder);
            m_folder.clear();
        }
        m_size += std::int64_t(size);
        return true;
    }
    m_error = errno;
    // Whatever part went in is taken out again, so that the lines can be written whole with the next ones.
    truncateRaw(m_fd, m_size);
    return false;
}

bool overwriteInPlace(const std::filesystem::path& path, const char* data, std::size_t size)
{
    const int fd = openRaw(path, Open::InPlace);
    if (fd < 0)
        return false;
    const bool written = seekStartRaw(fd) == 0 && writeAll(fd, data, size) && syncRaw(fd) == 0;
    closeRaw(fd);
    return written;
}

void syncFolder(const std::filesystem::path& folder)
{
    syncEntries(folder);
}

} // namespace tallivor
