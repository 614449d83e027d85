#pragma once

#include <QString>

namespace wordmill {

// Item addresses name the sub-item of a component property that a structure
// line translates: item indexes, nested indexes after ",", sub-property
// numbers after "." and names made safe with SanitizeName.

/// S with "." turned into ":" and ",", ";" and the double quote into spaces,
/// so that the name can sit inside an item address.
QString SanitizeName(const QString &S);

/// A name made of the characters of S above code 64 and of its digits; a digit
/// that would come first is preceded by "_"; everything else is left out.
QString MakeIdentifier(const QString &S);

/// Decimal N.
QString IndexText(int N);
/// S + "," + decimal N (a nested item).
QString AppendIndex(const QString &S, int N);
/// S + "," + T.
QString AppendIndexText(const QString &S, const QString &T);
/// S + "." + decimal (N and 127).
QString AppendPropertyID(const QString &S, int N);
/// S + "." + decimal N (the sub-item names 500 to 521).
QString AppendSubID(const QString &S, int N);
/// S + "." + T.
QString AppendName(const QString &S, const QString &T);

// Property-type numbers of the four property groups for a member's ordinal.
constexpr int StringPropertyID(int O)
{
    return O & 127;
}
constexpr int StringsPropertyID(int O)
{
    return (O & 127) + 32;
}
constexpr int StructuredPropertyID(int O)
{
    return (O & 127) + 64;
}
constexpr int OtherPropertyID(int O)
{
    return (O & 127) + 96;
}

} // namespace wordmill
