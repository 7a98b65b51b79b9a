// Proof of the Windows calls in src/ui/Win32Shell.cpp, built with mingw-w64 and run under wine by
// scripts/windows-proof.sh (or on a real Windows machine). Plain C++ with no Qt and no test framework.
//
// The program plays two parts:
//  - started by hand (or by the script) it checks the pure rules on a table of cases, checks the program folder and
//    the command-line tail it really got, then relaunches itself exactly as Tallivor does when it lacks
//    administrator rights: ShellExecuteA(NULL, "runas", <program folder>\Tallivor.exe, <tail> + "/admin", NULL, 1);
//  - started with a tail that ends in "/admin" it is the relaunched copy: it writes what it saw into a record file in
//    its program folder and exits at once.
// The first copy waits (bounded) for that record and checks it. After that, for information only, it starts one
// more copy with the "open" verb so that the report shows whether "runas" made any difference to the token.
//
// Environment read by the first copy:
//   TALLIVOR_PROOF_FOLDER   the Windows form of the folder the executable lies in, as the caller knows it.
//                           Without it the folder is worked out from argv[0] with GetFullPathNameA instead.
//   TALLIVOR_PROOF_LIMITED  "1": run the checks in a copy that holds the limited token linked to ours (see
//                           rerunWithLimitedToken), so that "runas" has something to raise.
//   TALLIVOR_PROOF_ROLE     set by the program itself for the copies it starts; not for the caller.
//
// Exit status: 0 when every check passed, 1 when one failed (each failure is printed), 2 for a broken set-up.

#include "../../src/ui/Win32Shell.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

namespace shell = tallivor::win32;

const char* const relaunchMarker = "/admin";
const char* const recordName = "relaunch-record.txt";
const DWORD relaunchWaitMs = 30000;
// Handed down to the copies this program starts (see main).
const char* const roleVariable = "TALLIVOR_PROOF_ROLE";

int failures = 0;

// Quotes a text for a message, with tabs, quotes and backslashes escaped, so that a blank, a tab and nothing at all
// can be told apart.
std::string shown(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\t')
            out += "\\t";
        else if (c == '"')
            out += "\\\"";
        else if (c == '\\')
            out += "\\\\";
        else
            out += c;
    }
    return out + "\"";
}

void check(bool ok, const std::string& what)
{
    if (!ok) {
        ++failures;
        std::printf("FAIL %s\n", what.c_str());
    }
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

// ---------------------------------------------------------------------------------------------------------------
// The pure rules.

void checkFolderOfModule()
{
    struct Case
    {
        const char* modulePath;
        const char* folder;
    };
    const Case cases[] = {
        {"C:\\Program Files\\Tallivor\\Tallivor.exe", "C:\\Program Files\\Tallivor"},
        {"C:\\Tallivor\\Tallivor.exe", "C:\\Tallivor"},
        {"D:\\Cafe\\Counter\\Board\\Tallivor.exe", "D:\\Cafe\\Counter\\Board"},
        {"C:\\x.exe", "C:\\"},
        {"Z:\\Tallivor.exe", "Z:\\"},
        {"C:\\A\\x.exe", "C:\\A"},
        {"\\\\counter\\share\\Tallivor.exe", "\\\\counter\\share"},
        {"\\\\?\\C:\\Long Folder\\Tallivor.exe", "\\\\?\\C:\\Long Folder"},
        {"C:\\Folder.with.dots\\Tallivor.exe", "C:\\Folder.with.dots"},
        {"Tallivor.exe", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        checkEqual(shell::folderOfModule(c.modulePath), c.folder,
                   std::string("folderOfModule(") + shown(c.modulePath) + ")");
}

void checkTailOfCommandLine()
{
    struct Case
    {
        const char* commandLine;
        const char* tail;
    };
    const Case cases[] = {
        // Quoted program name: it ends at the closing quote, blanks after it are skipped.
        {"\"C:\\Program Files\\Tallivor\\Tallivor.exe\" /admin", "/admin"},
        {"\"C:\\Program Files\\Tallivor\\Tallivor.exe\"/admin", "/admin"},
        {"\"C:\\Program Files\\Tallivor\\Tallivor.exe\"   \t  -x y", "-x y"},
        {"\"C:\\Program Files\\Tallivor\\Tallivor.exe\"", ""},
        {"\"C:\\Program Files\\Tallivor\\Tallivor.exe\" \t ", ""},
        {"\"C:\\a b\\Tallivor.exe\" \"two words\" last", "\"two words\" last"},
        {"\"never closed", ""},
        {"\"\" rest", "rest"},
        // Unquoted program name: it ends at the first blank or tab.
        {"C:\\Tallivor\\Tallivor.exe /admin", "/admin"},
        {"C:\\Tallivor\\Tallivor.exe\t/admin", "/admin"},
        {"Tallivor.exe\t\t -a  b", "-a  b"},
        {"Tallivor.exe", ""},
        {"Tallivor.exe   ", ""},
        {"C:\\Prog\"ram Files\"\\T.exe x", "Files\"\\T.exe x"},
        {" leading", "leading"},
        // What follows the program name is handed on as it is, inner and trailing blanks included.
        {"Tallivor.exe a  b\t", "a  b\t"},
        {"Tallivor.exe \"quoted \\\" arg\" /admin", "\"quoted \\\" arg\" /admin"},
        {"", ""},
    };
    for (const Case& c : cases)
        checkEqual(shell::tailOfCommandLine(c.commandLine), c.tail,
                   std::string("tailOfCommandLine(") + shown(c.commandLine) + ")");
    checkEqual(shell::tailOfCommandLine(nullptr), "", "tailOfCommandLine(nullptr)");
}

// ---------------------------------------------------------------------------------------------------------------
// The live calls.

// Splits a command-line tail into arguments by the C runtime's rules (blanks and tabs separate arguments outside
// quotes; 2n backslashes before a quote give n backslashes and the quote toggles quoting; 2n+1 give n backslashes
// and a literal quote; other backslashes are literal). Used to check the tail against argv, which the runtime made
// from the same command line on its own.
std::vector<std::string> splitArguments(const std::string& tail)
{
    std::vector<std::string> arguments;
    std::string::size_type i = 0;
    const std::string::size_type n = tail.size();
    for (;;) {
        while (i < n && (tail[i] == ' ' || tail[i] == '\t'))
            ++i;
        if (i >= n)
            break;
        std::string argument;
        bool quoted = false;
        while (i < n && (quoted || (tail[i] != ' ' && tail[i] != '\t'))) {
            if (tail[i] == '\\') {
                std::string::size_type backslashes = 0;
                while (i < n && tail[i] == '\\') {
                    ++backslashes;
                    ++i;
                }
                if (i < n && tail[i] == '"') {
                    argument.append(backslashes / 2, '\\');
                    if (backslashes % 2 == 1) {
                        argument += '"';
                        ++i;
                    }
                } else {
                    argument.append(backslashes, '\\');
                }
            } else if (tail[i] == '"') {
                if (quoted && i + 1 < n && tail[i + 1] == '"') {
                    argument += '"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                argument += tail[i++];
            }
        }
        arguments.push_back(argument);
    }
    return arguments;
}

std::string lowered(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return text;
}

std::string expectedFolder(const char* argv0)
{
    if (const char* fromCaller = std::getenv("TALLIVOR_PROOF_FOLDER"); fromCaller && *fromCaller)
        return fromCaller;
    // No word from the caller: resolve argv[0] against the current folder, then cut off the file name by hand.
    char full[4096];
    const DWORD length = GetFullPathNameA(argv0, DWORD(sizeof full), full, nullptr);
    if (length == 0 || length >= sizeof full)
        return std::string();
    std::string path(full, length);
    if (!endsWith(lowered(path), ".exe"))
        path += ".exe";
    const std::string::size_type cut = path.rfind('\\');
    if (cut == std::string::npos)
        return std::string();
    return cut == 2 ? path.substr(0, 3) : path.substr(0, cut);
}

void checkProgramFolder(const char* argv0)
{
    const std::string folder = shell::programFolder();
    const std::string expected = expectedFolder(argv0);
    std::printf("program folder: %s (expected %s)\n", shown(folder).c_str(), shown(expected).c_str());
    check(!expected.empty(), "the expected program folder could not be worked out");
    // Windows file names are compared without regard to case.
    check(lowered(folder) == lowered(expected), "programFolder() is not the folder the executable lies in");
    check(folder.size() == 3 || !endsWith(folder, "\\"), "programFolder() ends in a backslash but is no drive root");
    const DWORD attributes = GetFileAttributesA(inFolder(folder, "Tallivor.exe").c_str());
    check(attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY),
          "there is no Tallivor.exe in programFolder(): run this test as Tallivor.exe (see "
          "scripts/windows-proof.sh)");
}

void checkCommandLineTail(int argc, char** argv)
{
    const std::string tail = shell::commandLineTail();
    const std::string whole = GetCommandLineA();
    std::printf("command line:   %s\ntail:           %s\n", shown(whole).c_str(), shown(tail).c_str());

    check(endsWith(whole, tail), "commandLineTail() is not the end of GetCommandLineA()");
    check(tail.empty() || (tail[0] != ' ' && tail[0] != '\t'), "commandLineTail() starts with a blank");

    // What lies before the tail is the program name: one argument, the one the runtime gave as argv[0].
    if (endsWith(whole, tail)) {
        const std::vector<std::string> head = splitArguments(whole.substr(0, whole.size() - tail.size()));
        check(head.size() == 1 && head[0] == argv[0],
              "the part of the command line before the tail is not just the program name " + shown(argv[0]));
    }

    // The tail holds exactly the arguments the program was started with.
    const std::vector<std::string> fromTail = splitArguments(tail);
    const std::vector<std::string> fromRuntime(argv + 1, argv + argc);
    if (fromTail != fromRuntime) {
        ++failures;
        std::printf("FAIL commandLineTail() does not hold the arguments the program was started with\n");
        for (const std::string& a : fromRuntime)
            std::printf("     argv:      %s\n", shown(a).c_str());
        for (const std::string& a : fromTail)
            std::printf("     from tail: %s\n", shown(a).c_str());
    }
}

// ---------------------------------------------------------------------------------------------------------------
// The relaunched copy and what it leaves behind.

const char* elevationOfThisProcess()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return "unknown";
    TOKEN_ELEVATION_TYPE type{};
    DWORD size = 0;
    const BOOL ok = GetTokenInformation(token, TokenElevationType, &type, sizeof type, &size);
    CloseHandle(token);
    if (!ok)
        return "unknown";
    switch (type) {
    case TokenElevationTypeDefault: return "default";
    case TokenElevationTypeFull: return "full";
    case TokenElevationTypeLimited: return "limited";
    }
    return "unknown";
}

int writeRecord()
{
    const std::string folder = shell::programFolder();
    const std::string record = inFolder(folder, recordName);
    const std::string partial = record + ".part";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out << "folder=" << folder << "\n"
            << "tail=" << shell::commandLineTail() << "\n"
            << "commandline=" << GetCommandLineA() << "\n"
            << "admin=" << (shell::isUserAnAdmin() ? "yes" : "no") << "\n"
            << "elevation=" << elevationOfThisProcess() << "\n"
            << "end=1\n";
        if (!out.flush())
            return 2;
    }
    // Renamed into place so that the waiting copy never reads half a record.
    return MoveFileExA(partial.c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 2;
}

std::map<std::string, std::string> readRecord(const std::string& path)
{
    std::map<std::string, std::string> values;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        const std::string::size_type equals = line.find('=');
        if (equals != std::string::npos)
            values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return values;
}

// Starts <folder>\Tallivor.exe with the given verb the way Tallivor does and waits for the record of the copy.
// An empty map means no record came in time.
std::map<std::string, std::string> relaunch(const char* verb, const std::string& folder, const std::string& tail)
{
    const std::string record = inFolder(folder, recordName);
    DeleteFileA(record.c_str());
    SetEnvironmentVariableA(roleVariable, "relaunched");
    const std::string file = inFolder(folder, "Tallivor.exe");
    const std::string parameters = tail + relaunchMarker;
    std::printf("relaunch:       ShellExecuteA(NULL, %s, %s, %s, NULL, 1)\n", shown(verb).c_str(), shown(file).c_str(),
                shown(parameters).c_str());
    shell::shellExecute(nullptr, verb, file.c_str(), parameters.c_str(), nullptr, 1);

    const DWORD start = GetTickCount();
    while (GetTickCount() - start < relaunchWaitMs) {
        if (GetFileAttributesA(record.c_str()) != INVALID_FILE_ATTRIBUTES) {
            std::map<std::string, std::string> values = readRecord(record);
            DeleteFileA(record.c_str());
            return values;
        }
        Sleep(100);
    }
    return {};
}

void checkRelaunch()
{
    const std::string folder = shell::programFolder();
    const std::string tail = shell::commandLineTail();
    const std::string ownAdmin = shell::isUserAnAdmin() ? "yes" : "no";
    const std::string ownElevation = elevationOfThisProcess();
    std::printf("isUserAnAdmin(): %s (token elevation: %s)\n", ownAdmin.c_str(), ownElevation.c_str());

    const std::map<std::string, std::string> copy = relaunch("runas", folder, tail);
    if (copy.empty() || copy.count("end") == 0) {
        ++failures;
        std::printf("FAIL the copy started with \"runas\" left no record in %s within %lu s\n", shown(folder).c_str(),
                    static_cast<unsigned long>(relaunchWaitMs / 1000));
        return;
    }
    std::printf("relaunched copy: command line %s\n                 tail %s\n                 folder %s\n"
                "                 isUserAnAdmin() %s (token elevation: %s)\n",
                shown(copy.at("commandline")).c_str(), shown(copy.at("tail")).c_str(), shown(copy.at("folder")).c_str(),
                copy.at("admin").c_str(), copy.at("elevation").c_str());
    checkEqual(copy.at("tail"), tail + relaunchMarker,
               "the relaunched copy's tail is not the original tail followed directly by /admin");
    checkEqual(copy.at("folder"), folder, "the relaunched copy reports another program folder");

    // For information only: the same start with "open", to see what "runas" changed.
    const std::map<std::string, std::string> plain = relaunch("open", folder, tail);
    if (plain.empty() || plain.count("end") == 0) {
        std::printf("note: the copy started with \"open\" left no record\n");
        return;
    }
    std::printf("open copy:       isUserAnAdmin() %s (token elevation: %s)\n", plain.at("admin").c_str(),
                plain.at("elevation").c_str());
    if (ownElevation == "full")
        std::printf("finding: this copy holds a full token already, so \"runas\" has nothing to raise "
                    "(\"runas\" copy: %s, \"open\" copy: %s)\n",
                    copy.at("elevation").c_str(), plain.at("elevation").c_str());
    else if (copy.at("elevation") == "full" && plain.at("elevation") != "full")
        std::printf("finding: \"runas\" raised the copy to a full token (\"open\" gave %s)\n",
                    plain.at("elevation").c_str());
    else if (copy.at("elevation") == plain.at("elevation"))
        std::printf("finding: \"runas\" was handled like \"open\": both copies got the %s token of this one\n",
                    copy.at("elevation").c_str());
    else
        std::printf("finding: \"runas\" copy: %s token, \"open\" copy: %s token\n", copy.at("elevation").c_str(),
                    plain.at("elevation").c_str());
    if (ownElevation == "limited" && ownAdmin == "yes")
        std::printf("finding: isUserAnAdmin() says yes under a limited token (Windows with UAC says no there)\n");
}

// Under wine a program normally runs with a full (elevated) token, so "runas" has nothing to raise. Asked to, the
// first copy starts itself again, with the same arguments, under the limited token linked to its own, waits for it
// and hands on its exit status in `status`: the checks then run the way they do on a counter PC with UAC, where
// Tallivor is started without administrator rights. Returns false when it started no copy and the checks are to run
// here.
bool rerunWithLimitedToken(int& status)
{
    const char* wanted = std::getenv("TALLIVOR_PROOF_LIMITED");
    if (wanted == nullptr || std::string(wanted) != "1")
        return false;
    SetEnvironmentVariableA("TALLIVOR_PROOF_LIMITED", "started");
    if (std::string(elevationOfThisProcess()) != "full") {
        std::printf("limited run: the token is %s already, the checks run as they are\n", elevationOfThisProcess());
        return false;
    }
    status = 2;
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        std::printf("FAIL limited run: OpenProcessToken failed (%lu)\n", GetLastError());
        return true;
    }
    TOKEN_LINKED_TOKEN linked{};
    DWORD size = 0;
    const BOOL haveLinked = GetTokenInformation(token, TokenLinkedToken, &linked, sizeof linked, &size);
    CloseHandle(token);
    if (!haveLinked) {
        std::printf("FAIL limited run: no limited token is linked to this one (%lu)\n", GetLastError());
        return true;
    }
    char module[4096];
    const DWORD length = GetModuleFileNameA(nullptr, module, DWORD(sizeof module));
    // The command line is written the way a typed one would be: the program name unquoted unless it holds a blank,
    // then blanks and a tab before the same arguments. Wine itself always quotes the name, so this is what makes the
    // unquoted rule run for real.
    const std::string name(module, length < sizeof module ? length : 0);
    const bool needsQuotes = name.find_first_of(" \t") != std::string::npos;
    std::string commandLine = (needsQuotes ? "\"" + name + "\"" : name) + " \t " + shell::commandLineTail();
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const BOOL started = length > 0 && length < sizeof module &&
                         CreateProcessAsUserA(linked.LinkedToken, module, commandLine.data(), nullptr, nullptr, TRUE, 0,
                                              nullptr, nullptr, &startup, &process);
    const DWORD startError = GetLastError();
    CloseHandle(linked.LinkedToken);
    if (!started) {
        std::printf("FAIL limited run: the copy with the limited token did not start (%lu)\n", startError);
        return true;
    }
    std::printf("limited run: the checks run in a copy started with the limited token\n");
    DWORD exitCode = 2;
    if (WaitForSingleObject(process.hProcess, 2 * relaunchWaitMs + 30000) != WAIT_OBJECT_0) {
        std::printf("FAIL limited run: the copy with the limited token did not end in time\n");
        TerminateProcess(process.hProcess, 2);
    } else if (GetExitCodeProcess(process.hProcess, &exitCode) && exitCode != 0) {
        // A crash ends with an NTSTATUS such as 0xC0000005: print it, and keep the status a plain failure.
        std::printf("limited run: the copy ended with status 0x%lx\n", static_cast<unsigned long>(exitCode));
        status = exitCode <= 2 ? int(exitCode) : 1;
    } else if (exitCode == 0) {
        status = 0;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);

    // A relaunched copy is known by its tail. The mark in the environment only catches a copy whose parameters got
    // lost or garbled: it records what it got instead of starting yet another round of copies.
    const char* role = std::getenv(roleVariable);
    if (endsWith(shell::commandLineTail(), relaunchMarker) || (role && std::string(role) == "relaunched"))
        return writeRecord();

    if (int status = 0; rerunWithLimitedToken(status))
        return status;

    if (argc < 1 || argv[0] == nullptr) {
        std::printf("FAIL no argv[0]\n");
        return 2;
    }

    checkFolderOfModule();
    checkTailOfCommandLine();
    const int ruleFailures = failures;
    std::printf("pure rules: %s\n", ruleFailures == 0 ? "all cases pass" : "some cases FAIL");

    checkProgramFolder(argv[0]);
    checkCommandLineTail(argc, argv);
    checkRelaunch();

    if (failures != 0) {
        std::printf("win32_shell_test: %d check(s) FAILED\n", failures);
        return 1;
    }
    std::printf("win32_shell_test: all checks passed\n");
    return 0;
}
