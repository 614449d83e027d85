#pragma once

#include "platform/Platform.h"

#include <QStringList>

#include <optional>

namespace corvane {

// The answers of an emulated machine's machine.ini, section [windows]:
//   platform, major, minor   the Windows version (numbers)
//   wow64, online, admin     true/false, yes/no, on/off or 1/0, any case
// The section name and the keys are read in any letter case, as Windows
// reads its own ini files.
struct MachineSettings
{
    WindowsVersion version{2, 6, 1};
    bool wow64 = true;
    bool online = true;
    // none: the machine's default (only the root user is an administrator)
    std::optional<bool> admin;
};

// Reads the file; a missing file gives the defaults. Every value that cannot
// be used (its default stands instead) and every key that means nothing
// here is described in problems, one line each, for the log.
MachineSettings ReadMachineIni(const QString &path, QStringList &problems);

// true/false, yes/no, on/off, 1/0 in any letter case, spaces around them
// ignored; none for anything else.
std::optional<bool> ParseBoolean(QStringView text);

} // namespace corvane
