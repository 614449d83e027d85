#pragma once

#include <QString>

#include <array>

namespace wordmill {

// One built-in table of the library's own texts: element 0 the language's
// name, element 1 its ISO 639-1 code, elements 2 to 51 items 0 to 49.
using TInternalLangDefs = std::array<QString, 52>;

const TInternalLangDefs &EnglishDefs();
const TInternalLangDefs &CzechDefs();
const TInternalLangDefs &SlovakDefs();
const TInternalLangDefs &ItalianDefs();

} // namespace wordmill
