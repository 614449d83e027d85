#include "Component.h"

#include <QHash>
#include <QPointer>

namespace wordmill {

namespace {

struct ComponentRecord
{
    QPointer<QObject> owner;
    QList<QPointer<QObject>> owned;
    bool loading = false;
    bool destroying = false;
    bool watched = false;
};

QHash<const QObject *, ComponentRecord> &records()
{
    static QHash<const QObject *, ComponentRecord> table;
    return table;
}

void forget(const QObject *object)
{
    auto &table = records();
    auto it = table.find(object);
    if (it == table.end())
        return;
    if (QObject *owner = it->owner) {
        auto ownerIt = table.find(owner);
        if (ownerIt != table.end())
            ownerIt->owned.removeIf([object](const QPointer<QObject> &p) {
                return p.isNull() || p.data() == object;
            });
    }
    table.erase(it);
}

ComponentRecord &recordOf(QObject *object)
{
    ComponentRecord &record = records()[object];
    if (!record.watched) {
        record.watched = true;
        QObject::connect(object, &QObject::destroyed, [object] { forget(object); });
    }
    return record;
}

const ComponentRecord *findRecord(const QObject *object)
{
    auto &table = records();
    auto it = table.constFind(object);
    return it == table.constEnd() ? nullptr : &*it;
}

} // namespace

void SetComponentOwner(QObject *component, QObject *owner)
{
    if (!component)
        return;
    ComponentRecord &record = recordOf(component);
    if (record.owner == owner)
        return;
    if (QObject *old = record.owner) {
        recordOf(old).owned.removeIf([component](const QPointer<QObject> &p) {
            return p.isNull() || p.data() == component;
        });
    }
    record.owner = owner;
    if (owner) {
        ComponentRecord &ownerRecord = recordOf(owner);
        ownerRecord.owned.append(component);
        if (ownerRecord.loading)
            recordOf(component).loading = true;
    }
}

QObject *ComponentOwner(const QObject *component)
{
    const ComponentRecord *record = findRecord(component);
    return record ? record->owner.data() : nullptr;
}

QList<QObject *> OwnedComponents(const QObject *owner)
{
    QList<QObject *> result;
    if (const ComponentRecord *record = findRecord(owner)) {
        result.reserve(record->owned.size());
        for (const QPointer<QObject> &p : record->owned)
            if (p)
                result.append(p.data());
    }
    return result;
}

bool IsComponentLoading(const QObject *component)
{
    const ComponentRecord *record = findRecord(component);
    return record && record->loading;
}

void SetComponentLoading(QObject *component, bool loading)
{
    if (!component)
        return;
    recordOf(component).loading = loading;
    for (QObject *owned : OwnedComponents(component))
        SetComponentLoading(owned, loading);
}

bool IsComponentDestroying(const QObject *component)
{
    const ComponentRecord *record = findRecord(component);
    return record && record->destroying;
}

void MarkComponentDestroying(QObject *component)
{
    if (!component)
        return;
    ComponentRecord &record = recordOf(component);
    if (record.destroying)
        return;
    record.destroying = true;
    for (QObject *owned : OwnedComponents(component))
        MarkComponentDestroying(owned);
}

TComponent::TComponent(QObject *owner) : QObject(owner)
{
    SetComponentOwner(this, owner);
}

TComponent::~TComponent()
{
    MarkComponentDestroying(this);
}

} // namespace wordmill
