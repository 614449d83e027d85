// A program for the run-and-wait tests:
//   win32-child <marker file> <milliseconds> <exit code>
// waits, then writes the marker file (relative names land in the working
// directory) and exits with the given code.

#include <windows.h>

#include <cstdlib>
#include <cwchar>

int wmain(int argc, wchar_t **argv)
{
    if (argc != 4)
        return 2;
    Sleep(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)));
    const HANDLE marker = CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker == INVALID_HANDLE_VALUE)
        return 3;
    DWORD written = 0;
    const BOOL ok = WriteFile(marker, "done", 4, &written, nullptr);
    CloseHandle(marker);
    return ok && written == 4 ? int(std::wcstol(argv[3], nullptr, 10)) : 3;
}
