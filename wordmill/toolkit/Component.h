#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

namespace wordmill {

// A notify event: a replaceable handler that receives the object that fired it.
using TNotifyEvent = std::function<void(QObject *sender)>;

// The component model of the library, layered on QObject.
//
// A component's owner is the form (top-level window, frame or data module) it
// belongs to. That is not always its QObject parent: a widget's parent is its
// visual container. The owner relation is kept here, with the components an
// owner owns in creation order and the loading and destroying states.

// Makes owner the owner of component (nullptr detaches it). The component is
// appended to the owner's list; while the owner is loading, so is the
// component.
void SetComponentOwner(QObject *component, QObject *owner);
QObject *ComponentOwner(const QObject *component);
// Components owned by owner, in the order they were given to it.
QList<QObject *> OwnedComponents(const QObject *owner);

bool IsComponentLoading(const QObject *component);
// Sets the loading state of component and of everything it owns.
void SetComponentLoading(QObject *component, bool loading);

bool IsComponentDestroying(const QObject *component);
// Marks component and everything it owns as being destroyed. Forms and
// components call it first thing in their destructors.
void MarkComponentDestroying(QObject *component);

// Extra behaviour a component may take part in, for classes that cannot
// derive from TComponent (widgets).
class ComponentHooks
{
public:
    virtual ~ComponentHooks() = default;
    // Called once after the owner's stored definition has been read and all
    // references between its components are resolved.
    virtual void Loaded() {}
    // Assigns a notify event by its published name ("OnChangeLanguage").
    // Returns false when the component has no such event.
    virtual bool SetEventHandler(const QString &event, const TNotifyEvent &handler)
    {
        return false;
    }
};

// Base of the library's non-visual components.
class TComponent : public QObject, public ComponentHooks
{
    Q_OBJECT
public:
    explicit TComponent(QObject *owner = nullptr);
    ~TComponent() override;

    QObject *Owner() const { return ComponentOwner(this); }
    QString Name() const { return objectName(); }
    void SetName(const QString &name) { setObjectName(name); }
    bool IsLoading() const { return IsComponentLoading(this); }
    bool IsDestroying() const { return IsComponentDestroying(this); }
};

} // namespace wordmill
