#pragma once

#include <QString>

namespace wordmill {

/// Reduces Code to an ISO 639-1 code: trimmed, lower-cased and cut to its
/// first two characters ("cs - Czech" gives "cs", "EN-us" gives "en").
/// Returns true for two letters a to z other than "xx"; otherwise Code is
/// emptied and the result is false.
bool NormalizeISOCode(QString &Code);

/// True for the usual spellings of Czech in Czech, English and a few other
/// languages.
bool IsCzechName(const QString &Name);

/// True for the usual spellings of Slovak (and of the Slovak word stem).
bool IsSlovakName(const QString &Name);

/// True for the usual spellings of English in several languages.
bool IsEnglishName(const QString &Name);

} // namespace wordmill
