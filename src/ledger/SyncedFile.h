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

private:
    int m_fd = -1;
    std::int64_t m_size = -1;
    std::filesystem::path m_folder; // set when opening created the file: its folder entry is synced too
};

} // namespace tallivor
