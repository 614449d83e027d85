#pragma once

#include <wordmill/toolkit/Component.h>

#include <QHash>
#include <QJsonObject>
#include <QMetaType>
#include <QVariant>

#include <optional>

class QJsonValue;

namespace wordmill {

// Reads a form's stored definition: a JSON document that lists the form's
// own settings and events, then its components in creation order, each with
// its class, name, visual parent, properties and events:
//
//   { "properties": {...}, "events": {"OnCreate": "FormCreate"},
//     "components": [ {"class": "QLabel", "name": "Label1", "parent": "Panel1",
//                      "properties": {...}, "events": {...}} ] }
//
// Properties are the components' Qt properties, written by name. A property
// that refers to another component names it; references are resolved after
// all components exist. Events name a method of the form that takes the
// sender (a slot or Q_INVOKABLE with a QObject* argument). A component that
// keeps lists of its own (TStoredLists) reads them from the entries of
// "properties" that bear their names.
//
// The whole read runs inside the form's loading phase, so components see
// themselves loading while their properties are set; at the end every
// component gets Loaded in creation order and then the form's OnCreate runs.
class TFormReader
{
public:
    using Factory = std::function<QObject *(QObject *owner, QObject *parent)>;
    using ValueConverter = std::function<std::optional<QVariant>(const QJsonValue &)>;

    explicit TFormReader(QObject *form);
    virtual ~TFormReader();

    // Classes that stored definitions may name.
    static void RegisterClass(const QString &className, const Factory &factory);
    static bool IsClassRegistered(const QString &className);
    // Converts stored values into property values of a type the reader does
    // not know by itself (fonts, colours of the widget layer).
    static void RegisterValueConverter(QMetaType type, const ValueConverter &converter);

    // Reads the definition; false with a description in error when it is
    // malformed or names an unknown class, property or handler.
    bool Read(const QByteArray &definition, QString *error = nullptr);
    bool ReadResource(const QString &path, QString *error = nullptr);

    QObject *Form() const { return m_form; }
    // The form itself or one of the components read so far, by name.
    QObject *FindComponent(const QString &name) const;

protected:
    virtual QObject *CreateComponent(const QString &className, QObject *parent);
    // Writes one stored value; returns false when the property is unknown or
    // the value does not fit.
    virtual bool WriteProperty(QObject *component, const QString &name, const QJsonValue &value);
    virtual bool BindEvent(QObject *component, const QString &event, const TNotifyEvent &handler);
    // Called after all components are read and references resolved, before
    // the loading phase ends.
    virtual void FinishDefinition(const QJsonObject &definition) {}

    // The form method named handler, as a notify event; empty when missing.
    TNotifyEvent ResolveHandler(const QString &handler) const;

private:
    bool ReadProperties(QObject *component, const QJsonObject &properties, QString *error);
    bool ReadEvents(QObject *component, const QJsonObject &events, QString *error);

    struct PendingReference
    {
        QObject *component;
        QString property;
        QString target;
    };

    QObject *m_form;
    QHash<QString, QObject *> m_byName;
    QList<PendingReference> m_references;
};

} // namespace wordmill
