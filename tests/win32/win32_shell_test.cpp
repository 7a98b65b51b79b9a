// Proof of the Windows calls in src/ui/Win32Shell.cpp, built with mingw-w64 and run under wine by
// scripts/windows-check.sh (or on a real Windows machine). Plain C++ with no Qt and no test framework.
//
// The program plays two parts:
//  - started as Tallivor.exe with TALLIVOR_PROOF_FOLDER naming the folder it lies in (Windows form), it checks the
//    pure rules on a table of cases and the program folder it really got, then relaunches itself exactly as Tallivor
//    does when it lacks administrator rights:
//    shellExecute(nullptr, "runas", <program folder>\Tallivor.exe, <tail> + "/admin", nullptr, 1);
//  - started with a tail that ends in "/admin" it is the relaunched copy: it writes its program folder and tail into
//    a record file in that folder and exits. The first copy waits (bounded) for the record and checks it.
//
// Exit status: 0 when every check passed, 1 when one failed (each failure is printed), 2 for a broken set-up.

#include "ui/Win32Shell.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <shellapi.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

namespace shell = tallivor::win32;

const std::string relaunchMarker = "/admin";
const char* const recordName = "relaunch-record.txt";
// Set for the relaunched copy, so that a copy whose parameters got lost records what it got instead of starting
// yet another copy.
const char* const roleVariable = "TALLIVOR_PROOF_ROLE";

int failures = 0;

// A text quoted for a message, tabs, quotes and backslashes escaped, so that a blank, a tab and nothing can be told
// apart.
std::string shown(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text)
        out += c == '\t' ? "\\t" : c == '"' ? "\\\"" : c == '\\' ? "\\\\" : std::string(1, c);
    return out + "\"";
}

void checkEqual(const std::string& actual, const std::string& expected, const std::string& what)
{
    if (actual != expected) {
        ++failures;
        std::printf("FAIL %s\n     got      %s\n     expected %s\n", what.c_str(), shown(actual).c_str(),
                    shown(expected).c_str());
    }
}

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A file inside a folder, without doubling the backslash of a drive root ("C:\").
std::string inFolder(const std::string& folder, const std::string& name)
{
    return endsWith(folder, "\\") ? folder + name : folder + "\\" + name;
}

void checkRules()
{
    const struct
    {
        const char* modulePath;
        const char* folder;
    } folders[] = {
        {"C:\\Program Files\\Tallivor\\Tallivor.exe", "C:\\Program Files\\Tallivor"},
        {"C:\\Tallivor.exe", "C:\\"},
        {"\\\\counter\\share\\Tallivor.exe", "\\\\counter\\share"},
        {"Tallivor.exe", ""},
    };
    for (const auto& c : folders)
        checkEqual(shell::folderOfModule(c.modulePath), c.folder, "folderOfModule(" + shown(c.modulePath) + ")");

    // The program name ends at its closing quote when quoted, else at the first blank or tab; the blanks and tabs
    // after it are skipped and the rest is handed on as it is.
    const struct
    {
        const char* commandLine;
        const char* tail;
    } tails[] = {
        {"\"C:\\Program Files\\Tallivor\\Tallivor.exe\"/admin", "/admin"},
        {"\"C:\\a b\\Tallivor.exe\" \t  \"two words\" last", "\"two words\" last"},
        {"\"C:\\a b\\Tallivor.exe\" \t ", ""},
        {"\"never closed", ""},
        {"C:\\Tallivor.exe\t/admin", "/admin"},
        {"Tallivor.exe a  b\t", "a  b\t"},
        {"", ""},
    };
    for (const auto& c : tails)
        checkEqual(shell::tailOfCommandLine(c.commandLine), c.tail, "tailOfCommandLine(" + shown(c.commandLine) + ")");
    checkEqual(shell::tailOfCommandLine(nullptr), "", "tailOfCommandLine(nullptr)");
}

void checkLiveCalls(const std::string& expectedFolder)
{
    const std::string folder = shell::programFolder();
    const std::string tail = shell::commandLineTail();
    std::printf("command line: %s\n", shown(GetCommandLineA()).c_str());
    checkEqual(folder, expectedFolder, "programFolder()");

    // The relaunch, and what the relaunched copy recorded.
    const std::string record = inFolder(folder, recordName);
    DeleteFileA(record.c_str());
    SetEnvironmentVariableA(roleVariable, "relaunched");
    const std::string file = inFolder(folder, "Tallivor.exe");
    const std::string parameters = tail + relaunchMarker;
    std::printf("relaunch: shellExecute(nullptr, \"runas\", %s, %s, nullptr, 1)\n", shown(file).c_str(),
                shown(parameters).c_str());
    shell::shellExecute(nullptr, "runas", file.c_str(), parameters.c_str(), nullptr, 1);
    for (int waited = 0; waited < 300 && GetFileAttributesA(record.c_str()) == INVALID_FILE_ATTRIBUTES; ++waited)
        Sleep(100);
    std::ifstream in(record, std::ios::binary);
    std::string copyFolder, copyTail;
    if (!std::getline(in, copyFolder) || !std::getline(in, copyTail)) {
        ++failures;
        std::printf("FAIL the relaunched copy left no record %s within 30 s\n", shown(record).c_str());
        return;
    }
    checkEqual(copyFolder, folder, "the relaunched copy's programFolder()");
    checkEqual(copyTail, parameters, "the relaunched copy's commandLineTail()");
}

// The relaunched copy: its folder and tail, renamed into place so that the first copy never reads half a record.
int writeRecord()
{
    const std::string folder = shell::programFolder();
    const std::string record = inFolder(folder, recordName);
    {
        std::ofstream out(record + ".part", std::ios::binary | std::ios::trunc);
        out << folder << "\n" << shell::commandLineTail() << "\n";
        if (!out.flush())
            return 2;
    }
    return MoveFileExA((record + ".part").c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 2;
}

} // namespace

int main()
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const char* role = std::getenv(roleVariable);
    if (endsWith(shell::commandLineTail(), relaunchMarker) || (role && std::string(role) == "relaunched"))
        return writeRecord();

    const char* expectedFolder = std::getenv("TALLIVOR_PROOF_FOLDER");
    if (expectedFolder == nullptr || *expectedFolder == '\0') {
        std::printf(
            "FAIL set TALLIVOR_PROOF_FOLDER to the folder of this Tallivor.exe (see scripts/windows-check.sh)\n");
        return 2;
    }
    checkRules();
    checkLiveCalls(expectedFolder);
    std::printf("win32_shell_test: %s\n", failures == 0 ? "all checks passed" : "some checks FAILED");
    return failures == 0 ? 0 : 1;
}
