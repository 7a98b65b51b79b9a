#include "ledger/SyncedFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace tallivor {
namespace {

#ifdef _WIN32
constexpr int createNew = _O_CREAT | _O_EXCL;
int openAppending(const std::filesystem::path& path, int extra)
{
    return _wopen(path.c_str(), _O_WRONLY | _O_APPEND | _O_BINARY | extra, _S_IREAD | _S_IWRITE);
}
std::int64_t sizeOf(int fd)
{
    return _lseeki64(fd, 0, SEEK_END);
}
bool writeAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const unsigned chunk = size > (1u << 30) ? (1u << 30) : unsigned(size);
        const int written = _write(fd, data, chunk);
        if (written <= 0)
            return false;
        data += written;
        size -= std::size_t(written);
    }
    return true;
}
bool sync(int fd)
{
    return _commit(fd) == 0;
}
bool cutTo(int fd, std::int64_t size)
{
    return _chsize_s(fd, size) == 0;
}
int closeFile(int fd)
{
    return _close(fd);
}
void syncFolder(const std::filesystem::path&)
{
    // NTFS records a new file's folder entry in its journal: there is nothing to sync.
}
#else
constexpr int createNew = O_CREAT | O_EXCL;
int openAppending(const std::filesystem::path& path, int extra)
{
    return ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | extra, 0644);
}
std::int64_t sizeOf(int fd)
{
    struct stat info
    {};
    return ::fstat(fd, &info) == 0 ? std::int64_t(info.st_size) : -1;
}
bool writeAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written <= 0)
            return false;
        data += written;
        size -= std::size_t(written);
    }
    return true;
}
bool sync(int fd)
{
    return ::fsync(fd) == 0;
}
bool cutTo(int fd, std::int64_t size)
{
    return ::ftruncate(fd, off_t(size)) == 0;
}
int closeFile(int fd)
{
    return ::close(fd);
}
void syncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
#endif

} // namespace

SyncedFile::SyncedFile(const std::filesystem::path& path)
{
    m_fd = openAppending(path, 0);
    if (m_fd < 0) {
        m_fd = openAppending(path, createNew);
        if (m_fd >= 0)
            m_folder = path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
    }
    if (m_fd >= 0)
        m_size = sizeOf(m_fd);
}

SyncedFile::~SyncedFile()
{
    if (m_fd >= 0)
        closeFile(m_fd);
}

bool SyncedFile::append(const char* data, std::size_t size)
{
    if (m_fd < 0 || m_size < 0)
        return false;
    if (writeAll(m_fd, data, size) && sync(m_fd)) {
        if (!m_folder.empty()) {
            syncFolder(m_folder);
            m_folder.clear();
        }
        m_size += std::int64_t(size);
        return true;
    }
    // Whatever part went in is taken out again, so that the lines can be written whole with the next ones.
    cutTo(m_fd, m_size);
    return false;
}

} // namespace tallivor
