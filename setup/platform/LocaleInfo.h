#pragma once

#include <QByteArray>

class QLocale;

namespace corvane {

// Locale information types a Windows system answers, as far as a QLocale
// can answer them.
enum LocaleInfoType {
    LocaleSIso639LangName = 0x59,  // "cs", "en"
    LocaleSIso3166CtryName = 0x5A, // "CZ", "US"
    LocaleSEngLanguage = 0x1001,   // "Czech"
    LocaleSEngCountry = 0x1002,    // "Czechia"
};

// The information of the given type about the locale, as 8-bit text of at
// most 18 characters (what a Windows caller with a 19-character buffer
// gets); empty for an unknown type or a locale that does not tell.
QByteArray LocaleInfo(const QLocale &locale, int type);

} // namespace corvane
