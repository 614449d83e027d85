#include "ClassTable.h"

#include <QMetaObject>
#include <QObject>

namespace wordmill {

bool MatchesClassEntry(const QObject *Obj, int Key, std::span<const TClassEntry> Table)
{
    if (!Obj)
        return false;
    const QMetaObject *Meta = Obj->metaObject();
    for (const TClassEntry &Entry : Table) {
        if (Entry.Key == Key && Entry.Class && Meta->inherits(Entry.Class))
            return true;
    }
    return false;
}

} // namespace wordmill
