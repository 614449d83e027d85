#pragma once

#include <QString>

namespace wordmill {

/// A language as a language file names it: its name and its ISO 639-1 code
/// (two lower-case letters, or empty).
struct TLangIDs
{
    QString Name;
    QString Code;

    void Clear()
    {
        Name.clear();
        Code.clear();
    }
    bool operator==(const TLangIDs &) const = default;
};

} // namespace wordmill
