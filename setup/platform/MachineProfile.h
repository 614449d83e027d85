#pragma once

#include <QString>

// The emulated Windows machine lives in a profile folder:
//   machine.ini     [windows] platform, major, minor, wow64, admin, online
//   registry/HKLM/  one folder per registry key (backslashes become levels)
//   temp/           the temp folder the setup downloads into
// The setup program, the msiexec helper and the demo installers all find it
// through the CORVANE_MACHINE_PROFILE environment variable.
namespace corvane {

inline constexpr char MachineProfileVariable[] = "CORVANE_MACHINE_PROFILE";

// The profile named by CORVANE_MACHINE_PROFILE, else the user's default one.
QString MachineProfileFolder();

// Creates the folder tree and a default machine.ini (Windows 7, 64-bit,
// online, nothing installed) where they are missing; false when the folder
// cannot be created.
bool PrepareMachineProfile(const QString &folder);

} // namespace corvane
