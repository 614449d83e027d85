#include "LanguageNames.h"

#include <wordmill/sys/TextHelpers.h>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

bool isAsciiLower(QChar C)
{
    return C >= u'a' && C <= u'z';
}

template <size_t N> bool equalsOneOf(const QString &S, const QStringView (&List)[N])
{
    for (QStringView Item : List) {
        if (S == Item)
            return true;
    }
    return false;
}

template <size_t N> bool containsOneOf(const QString &S, const QStringView (&List)[N])
{
    for (QStringView Item : List) {
        if (S.contains(Item))
            return true;
    }
    return false;
}

} // namespace

bool NormalizeISOCode(QString &Code)
{
    if (Code.isEmpty())
        return false;
    QString Result = AsciiLowerCase(TrimText(Code));
    if (Result.size() < 2) {
        Code.clear();
        return false;
    }
    Result.truncate(2);
    if (isAsciiLower(Result.at(0)) && isAsciiLower(Result.at(1)) && Result != u"xx"_s) {
        Code = Result;
        return true;
    }
    Code.clear();
    return false;
}

bool IsCzechName(const QString &Name)
{
    // AsciiLowerCase leaves capitals outside ASCII alone, so the upper-case
    // spellings are matched as they are.
    static constexpr QStringView Exact[] = {u"Čeština",     u"ČEŠTINA", u"Česky", u"ČESKY",
                                            u"Český jazyk", u"Czech",   u"CZECH"};
    static constexpr QStringView Lowered[] = {u"čeština", u"česky", u"český jazyk",
                                              u"czech",   u"ceco",  u"checo"};
    if (equalsOneOf(Name, Exact))
        return true;
    const QString L = AsciiLowerCase(Name);
    return equalsOneOf(L, Lowered) || L.contains(u"schechisch"_s);
}

bool IsSlovakName(const QString &Name)
{
    static constexpr QStringView Stems[] = {u"loven", u"lovak", u"lowak", u"lovaq", u"lovac"};
    return containsOneOf(AsciiLowerCase(Name), Stems);
}

bool IsEnglishName(const QString &Name)
{
    static constexpr QStringView Stems[] = {u"nglič",  u"nglish", u"nglic", u"nglisch", u"ritisch",
                                            u"nglais", u"britan", u"nglés", u"ngles"};
    static constexpr QStringView UpperStems[] = {u"NGLIČ", u"NGLÉS"};
    return containsOneOf(AsciiLowerCase(Name), Stems) || containsOneOf(Name, UpperStems);
}

} // namespace wordmill
