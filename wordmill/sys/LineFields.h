#pragma once

#include <QString>
#include <QStringList>

namespace wordmill {

// A language-file line is an ID, a tab and the rest of the line, the value.
// These helpers take the parts of a value apart.

/// The text after the first tab of Line; empty when Line has no tab.
QString LineValue(const QString &Line);

/// The text between the first occurrence of Key (exact case) and the next
/// ";" after it; empty when Key does not occur or no ";" follows it.
QString ExtractField(const QString &Line, const QString &Key);

/// The text between the first and the last double quote of Line; empty when
/// Line has fewer than two double quotes.
QString ExtractQuoted(const QString &Line);

/// ExtractQuoted(Line) in one-line form (control characters escaped).
QString ExtractQuotedText(const QString &Line);

/// The part of line Index before its first tab as an integer. False when the
/// line does not exist, has no tab, or that part is empty or not an integer.
bool TryLineID(const QStringList &List, int Index, int &ID);

} // namespace wordmill
