#include "Paths.h"

namespace wordmill {

namespace {

QChar separator(PathFlavour Flavour)
{
    return Flavour == PathFlavour::Windows ? u'\\' : u'/';
}

bool isSeparator(QChar C)
{
    return C == u'\\' || C == u'/';
}

bool isDriveLetter(QChar C)
{
    return (C >= u'A' && C <= u'Z') || (C >= u'a' && C <= u'z');
}

bool isAbsolute(const QString &Sub, PathFlavour Flavour)
{
    if (Flavour == PathFlavour::Windows) {
        // "D:..." carries a drive; "\\server\share" a network share.
        if (Sub.size() >= 2 && isDriveLetter(Sub.at(0)) && Sub.at(1) == u':')
            return true;
        return Sub.startsWith(u"\\\\");
    }
    return Sub.startsWith(u'/');
}

} // namespace

QString NormalizeDirectory(const QString &S, PathFlavour Flavour)
{
    QString Result = S;
    const QChar Sep = separator(Flavour);
    const QChar Other = Flavour == PathFlavour::Windows ? u'/' : u'\\';
    Result.replace(Other, Sep);
    if (!Result.isEmpty() && !Result.endsWith(Sep))
        Result.append(Sep);
    return Result;
}

QString CombinePath(const QString &Base, const QString &Sub, PathFlavour Flavour)
{
    if (isAbsolute(Sub, Flavour))
        return NormalizeDirectory(Sub, Flavour);

    QStringView Rest = Sub;
    if (!Rest.isEmpty() && isSeparator(Rest.front()))
        Rest = Rest.mid(1);

    // A base without its closing separator still names a directory: "C:\App"
    // and "lang" give "C:\App\lang\", never "C:\Applang\". A bare drive
    // ("C:") stays drive-relative.
    QString Result = Base;
    const bool NeedsSeparator = !Base.isEmpty() && !Rest.isEmpty() && !isSeparator(Base.back()) &&
                                !(Flavour == PathFlavour::Windows && Base.back() == u':');
    if (NeedsSeparator)
        Result.append(separator(Flavour));
    Result.append(Rest);
    return NormalizeDirectory(Result, Flavour);
}

} // namespace wordmill
