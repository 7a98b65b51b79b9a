#pragma once
// The Windows calls of the platform layer, with no Qt in sight: every text is single-byte text in the system (ANSI)
// code page, exactly as the Windows shell takes and gives it. PlatformWindows.cpp converts.

#include <cstdint>
#include <string>

namespace tallivor::win32 {

// IsUserAnAdmin: true when the process runs with administrator rights.
bool isUserAnAdmin();

// ShellExecuteA with its six arguments; a null pointer is passed through as no value. The result is not examined.
void shellExecute(void* ownerWindow, const char* operation, const char* file, const char* parameters,
                  const char* directory, int showCommand);

// AllowSetForegroundWindow(ASFW_ANY): lets another process bring its window to the front, as this one, started by
// the operator, may.
void allowSetForegroundWindow();

// The folder of the running executable (GetModuleFileNameA), without a trailing backslash except for a drive root.
std::string programFolder();

// What the process's command line (GetCommandLineA) holds after the program name.
std::string commandLineTail();

// The rules behind the two above, kept apart from the system calls so that they can be checked anywhere.
std::string folderOfModule(const std::string& modulePath);
std::string tailOfCommandLine(const char* commandLine);

// Milliseconds since the system started, without the time it spent in sleep or hibernation
// (QueryUnbiasedInterruptTime), and with it (GetTickCount64).
std::int64_t awakeMilliseconds();
std::int64_t totalMilliseconds();

// Plays the system's own exclamation sound (PlaySound with its system alias), without waiting for it to end.
void playAlertSound();

} // namespace tallivor::win32
