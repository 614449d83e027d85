#include "ComponentNames.h"

#include <wordmill/toolkit/Component.h>

namespace wordmill {

QString QualifiedName(const QObject *Component)
{
    const QObject *owner = Component ? ComponentOwner(Component) : nullptr;
    if (!owner)
        return QString();
    if (Component->objectName().isEmpty())
        return owner->objectName();
    return owner->objectName() + u'.' + Component->objectName();
}

} // namespace wordmill
