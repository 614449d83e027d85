#pragma once

#include <span>

class QMetaObject;
class QObject;

namespace wordmill {

/// One row of a class table: a key and the class it stands for.
struct TClassEntry
{
    int Key;
    const QMetaObject *Class;
};

/// True when some row of Table has the key Key and Obj is an instance of the
/// row's class or of a class derived from it. A missing Obj matches nothing.
bool MatchesClassEntry(const QObject *Obj, int Key, std::span<const TClassEntry> Table);

} // namespace wordmill
