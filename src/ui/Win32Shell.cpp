#include "ui/Win32Shell.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// The shell's headers need <windows.h> before them.
#include <mmsystem.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

namespace tallivor::win32 {

bool isUserAnAdmin()
{
    return IsUserAnAdmin() != FALSE;
}

void shellExecute(void* ownerWindow, const char* operation, const char* file, const char* parameters,
                  const char* directory, int showCommand)
{
    ShellExecuteA(static_cast<HWND>(ownerWindow), operation, file, parameters, directory, showCommand);
}

void allowSetForegroundWindow()
{
    AllowSetForegroundWindow(ASFW_ANY);
}

std::string folderOfModule(const std::string& modulePath)
{
    const std::string::size_type slash = modulePath.find_last_of("\\/");
    if (slash == std::string::npos)
        return std::string();
    // A drive root keeps its backslash ("C:\"); every other folder is given without one.
    if (slash == 2 && modulePath.size() > 1 && modulePath[1] == ':')
        return modulePath.substr(0, 3);
    return modulePath.substr(0, slash);
}

std::string programFolder()
{
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), DWORD(path.size()));
        if (length == 0)
            return std::string();
        if (length < path.size())
            return folderOfModule(std::string(path.data(), length));
        path.resize(path.size() * 2);
    }
}

std::string tailOfCommandLine(const char* commandLine)
{
    if (commandLine == nullptr)
        return std::string();
    const char* p = commandLine;
    // The program name ends at its closing quote when it is quoted, otherwise at the first blank or tab.
    if (*p == '"') {
        ++p;
        while (*p != '\0' && *p != '"')
            ++p;
        if (*p == '"')
            ++p;
    } else {
        while (*p != '\0' && *p != ' ' && *p != '\t')
            ++p;
    }
    while (*p == ' ' || *p == '\t')
        ++p;
    return std::string(p);
}

std::string commandLineTail()
{
    return tailOfCommandLine(GetCommandLineA());
}

std::int64_t awakeMilliseconds()
{
    ULONGLONG hundredsOfNanoseconds = 0;
    QueryUnbiasedInterruptTime(&hundredsOfNanoseconds);
    return std::int64_t(hundredsOfNanoseconds / 10000);
}

std::int64_t totalMilliseconds()
{
    return std::int64_t(GetTickCount64());
}

void playAlertSound()
{
    // A system without sounds (or without a sound device) gets the plain beep.
    if (!PlaySoundA(reinterpret_cast<LPCSTR>(SND_ALIAS_SYSTEMEXCLAMATION), nullptr,
                    SND_ALIAS_ID | SND_ASYNC | SND_NODEFAULT))
        MessageBeep(MB_ICONEXCLAMATION);
}

} // namespace tallivor::win32
