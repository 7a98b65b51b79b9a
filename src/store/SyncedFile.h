#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace tallivor {

// A file opened for appending (created when missing) whose appends are on the disk when they return: written,
// then flushed from the system's cache to the device. Plain C and C++ calls, so that it builds on every system.
class SyncedFile
{
public:
    explicit SyncedFile(const std::filesystem::path& path);
    ~SyncedFile();
    SyncedFile(const SyncedFile&) = delete;
    SyncedFile& operator=(const SyncedFile&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // The file's size when it was opened; -1 when it could not be opened.
    std::int64_t size() const { return m_size; }
    // Appends the bytes and syncs the file (and, for a file this call created, its folder). On any failure the file
    // is cut back to the size it had before and the result is false.
    bool append(const char* data, std::size_t size);
    // The system's error number of the last failure (opening or appending); 0 for none.
    int error() const { return m_error; }

private:
    int m_fd = -1;
    int m_error = 0;
    std::int64_t m_size = -1;
    std::filesystem::path m_folder; // set when opening created the file: its folder entry is synced too
};

// Writes the bytes over the start of an existing file, in place, and syncs it: no new space is needed for them on the
// disk, so this works on a full disk too. False when the file is not there or the write fails.
bool overwriteInPlace(const std::filesystem::path& path, const char* data, std::size_t size);

// Syncs a folder's entries to the disk (a file just renamed into it); nothing to do on Windows.
void syncFolder(const std::filesystem::path& folder);

} // namespace tallivor
