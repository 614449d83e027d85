#pragma once

#include <QStringList>

namespace wordmill {

/// The ISO 639-1 table: 186 entries of the form code, " - ", English name
/// ("cs - Czech"), ordered by name. The order is the one lists show.
const QStringList &ISO639Entries();

/// The name part of an entry-shaped text: what follows its first "-", cut of
/// spaces and control characters. Empty when the first "-" is the first or
/// the last character, or when there is none ("en-GB" gives "GB").
QString NameOfEntry(const QString &Entry);

/// The English name of an ISO 639-1 code (trimmed, letter case ignored);
/// empty when the code is not two characters or not in the table.
QString NameForCode(const QString &Code);

} // namespace wordmill
