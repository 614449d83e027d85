#include "TestOptions.h"

#include <map>

namespace TestOptions {

namespace {

std::map<std::wstring, std::wstring> &Values()
{
    static std::map<std::wstring, std::wstring> values;
    return values;
}

} // namespace

void Parse(int argc, wchar_t **argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        if (argument.rfind(L"--", 0) != 0)
            continue;
        const std::size_t equals = argument.find(L'=');
        if (equals == std::wstring::npos)
            Values()[argument.substr(2)] = L"1";
        else
            Values()[argument.substr(2, equals - 2)] = argument.substr(equals + 1);
    }
}

std::wstring Text(const std::wstring &name, const std::wstring &fallback)
{
    const auto found = Values().find(name);
    return found == Values().end() ? fallback : found->second;
}

bool Flag(const std::wstring &name)
{
    return Text(name) == L"1";
}

} // namespace TestOptions
