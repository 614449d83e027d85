#include "platform/LocaleInfo.h"

#include <QLocale>

namespace corvane {

namespace {

constexpr qsizetype MaxLocaleInfoLength = 18;

bool NamesLanguage(const QLocale &locale)
{
    return locale.language() != QLocale::C && locale.language() != QLocale::AnyLanguage;
}

bool NamesTerritory(const QLocale &locale)
{
    return NamesLanguage(locale) && locale.territory() != QLocale::AnyTerritory;
}

} // namespace

QByteArray LocaleInfo(const QLocale &locale, int type)
{
    QString info;
    switch (type) {
    case LocaleSIso639LangName:
        if (NamesLanguage(locale))
            info = QLocale::languageToCode(locale.language(), QLocale::ISO639);
        break;
    case LocaleSIso3166CtryName:
        if (NamesTerritory(locale))
            info = QLocale::territoryToCode(locale.territory());
        break;
    case LocaleSEngLanguage:
        if (NamesLanguage(locale))
            info = QLocale::languageToString(locale.language());
        break;
    case LocaleSEngCountry:
        if (NamesTerritory(locale))
            info = QLocale::territoryToString(locale.territory());
        break;
    default:
        break;
    }
    return info.toLocal8Bit().left(MaxLocaleInfoLength);
}

} // namespace corvane
