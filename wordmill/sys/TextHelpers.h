#pragma once

#include <QString>

namespace wordmill {

/// S with "A" to "Z" turned into "a" to "z"; every other character, letters
/// outside ASCII included, keeps its case.
QString AsciiLowerCase(const QString &S);

/// Replaces every occurrence of Old in S by New.
void ReplaceChar(QString &S, QChar Old, QChar New);

/// True when some character of S has a code of 65 ("A") or more.
bool ContainsLetter(const QString &S);

/// Given FirstPos, the 1-based position of an occurrence of Sub in S, the
/// position of the last occurrence of Sub at or after it. 0 when FirstPos is
/// 0 or less.
int LastPos(const QString &Sub, int FirstPos, const QString &S);

/// S without the spaces and control characters (codes up to 32) at both ends.
QString TrimText(const QString &S);

} // namespace wordmill
