#include "EngineRegistry.h"

#include <QSet>

namespace wordmill::EngineRegistry {

namespace {

QSet<QString> &identities()
{
    static QSet<QString> registry;
    return registry;
}

} // namespace

bool Contains(const QString &identity)
{
    return identities().contains(identity);
}

void Add(const QString &identity)
{
    identities().insert(identity);
}

} // namespace wordmill::EngineRegistry
