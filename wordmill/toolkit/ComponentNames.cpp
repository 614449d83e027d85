#include "ComponentNames.h"

#include <wordmill/toolkit/Component.h>

namespace wordmill {

QString QualifiedName(const QObject *Component)
{
    const QObject *owner = Component ? ComponentOwner(Component) : nullptr;
    if (!owner)
        return QString();
    // Lookups by lexicon ask for the same component's name over and over:
    // the last answer is kept while component, owner and both names are
    // the same, so that a lookup costs no new string.
    struct Last
    {
        const QObject *component = nullptr;
        const QObject *owner = nullptr;
        QString ownerName;
        QString name;
        QString qualified;
    };
    thread_local Last last;
    const QString ownerName = owner->objectName();
    const QString name = Component->objectName();
    if (last.component == Component && last.owner == owner && last.ownerName == ownerName &&
        last.name == name)
        return last.qualified;
    last = Last{Component, owner, ownerName, name,
                name.isEmpty() ? ownerName : ownerName + u'.' + name};
    return last.qualified;
}

} // namespace wordmill
