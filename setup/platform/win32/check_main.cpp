// A small console program that links the Windows backend and asks each probe
// once, so the backend is known to build and link with a Win32 toolchain.
//   win32-check                         print the probes
//   win32-check <url> <file>            also download url into file and tell
//                                       whether Authenticode trusts it
//   win32-check <url> <file> <program>  and then run program, waiting for it

#include "Win32Download.h"
#include "Win32Failure.h"
#include "Win32Probes.h"
#include "Win32Process.h"
#include "Win32Trust.h"

#include <cstdio>

using namespace corvane::win32;

int wmain(int argc, wchar_t **argv)
{
    const Version version = GetWindowsVersion();
    std::wprintf(L"administrator: %d\n", IsAdministrator() ? 1 : 0);
    std::wprintf(L"version: %lu %lu.%lu\n", version.platformId, version.major, version.minor);
    try {
        std::wprintf(L"wow64: %d\n", IsWow64() ? 1 : 0);
    } catch (const Failure &failure) {
        std::wprintf(L"wow64: %ls: %ls\n", failure.Kind().c_str(), failure.Message().c_str());
    }
    std::wprintf(L"online: %d\n", IsInternetConnected() ? 1 : 0);
    std::wprintf(L"localdb: %d\n",
                 RegistryKeyExists(L"SOFTWARE\\Microsoft\\Microsoft SQL Server Local DB\\"
                                   L"Installed Versions\\11.0")
                     ? 1
                     : 0);
    std::wprintf(L"temp: %ls\n", GetTempFolder().c_str());
    std::printf("locale: %s\n", GetSystemLocaleInfo(89).c_str());

    if (argc < 3)
        return 0;
    try {
        DownloadToFile(argv[1], argv[2],
                       [](unsigned long progress, unsigned long max, unsigned long,
                          const std::wstring &,
                          bool &) { std::wprintf(L"\r%lu / %lu", progress, max); });
        std::wprintf(L"\ndownloaded %ls\n", argv[2]);
        const std::wstring problem = AuthenticodeProblem(argv[2]);
        std::wprintf(L"authenticode: %ls\n", problem.empty() ? L"trusted" : problem.c_str());
    } catch (const Failure &failure) {
        std::wprintf(L"\n%ls: %ls\n", failure.Kind().c_str(), failure.Message().c_str());
        return 1;
    }
    if (argc > 3) {
        const RunOutcome outcome = RunAndWait(argv[3], L"", L"", 1 /* SW_SHOWNORMAL */, L"");
        std::wprintf(L"started: %d, exit code: %lu\n", outcome.started ? 1 : 0, outcome.exitCode);
    }
    return 0;
}
