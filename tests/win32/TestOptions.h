#pragma once

#include <string>

// What the script that runs the suite under Wine knows about the machine and
// the files it prepared, handed over as --name=value arguments.
namespace TestOptions {

// Takes every --name=value argument that GoogleTest left over.
void Parse(int argc, wchar_t **argv);
// The value of --name, or fallback when it was not given.
std::wstring Text(const std::wstring &name, const std::wstring &fallback = std::wstring());
// --name as a flag: "1" is true, anything else false.
bool Flag(const std::wstring &name);

} // namespace TestOptions
