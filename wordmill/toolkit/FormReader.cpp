#include "FormReader.h"

#include <wordmill/toolkit/Form.h>
#include <wordmill/toolkit/StoredLists.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QPointer>
#include <QRect>

#include <algorithm>
#include <climits>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

QHash<QString, TFormReader::Factory> &classRegistry()
{
    static QHash<QString, TFormReader::Factory> registry;
    return registry;
}

QHash<int, TFormReader::ValueConverter> &converterRegistry()
{
    static QHash<int, TFormReader::ValueConverter> registry;
    return registry;
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

std::optional<QVariant> toPropertyValue(const QMetaProperty &property, const QJsonValue &value)
{
    const QMetaType type = property.metaType();
    if (auto it = converterRegistry().constFind(type.id()); it != converterRegistry().constEnd())
        return (*it)(value);
    if (property.isEnumType()) {
        if (value.isDouble())
            return QVariant(value.toInt());
        bool ok = false;
        const QByteArray key = value.toString().toUtf8();
        const int v = property.isFlagType() ? property.enumerator().keysToValue(key, &ok)
                                            : property.enumerator().keyToValue(key, &ok);
        return ok ? std::optional<QVariant>(QVariant(v)) : std::nullopt;
    }
    switch (type.id()) {
    case QMetaType::QStringList: {
        if (!value.isArray())
            return std::nullopt;
        QStringList lines;
        for (const QJsonValue &line : value.toArray())
            lines.append(line.toString());
        return QVariant(lines);
    }
    case QMetaType::QRect: {
        const QJsonArray a = value.toArray();
        if (a.size() != 4)
            return std::nullopt;
        return QVariant(QRect(a[0].toInt(), a[1].toInt(), a[2].toInt(), a[3].toInt()));
    }
    default:
        break;
    }
    QVariant v = value.toVariant();
    if (!v.convert(type))
        return std::nullopt;
    return v;
}

} // namespace

TFormReader::TFormReader(QObject *form) : m_form(form) {}

TFormReader::~TFormReader() = default;

void TFormReader::RegisterClass(const QString &className, const Factory &factory)
{
    classRegistry().insert(className, factory);
}

bool TFormReader::IsClassRegistered(const QString &className)
{
    return classRegistry().contains(className);
}

void TFormReader::RegisterValueConverter(QMetaType type, const ValueConverter &converter)
{
    converterRegistry().insert(type.id(), converter);
}

QObject *TFormReader::FindComponent(const QString &name) const
{
    if (m_form && m_form->objectName() == name)
        return m_form;
    return m_byName.value(name);
}

QObject *TFormReader::CreateComponent(const QString &className, QObject *parent)
{
    const auto it = classRegistry().constFind(className);
    if (it == classRegistry().constEnd())
        return nullptr;
    return (*it)(m_form, parent);
}

bool TFormReader::WriteProperty(QObject *component, const QString &name, const QJsonValue &value)
{
    const QMetaObject *meta = component->metaObject();
    const int index = meta->indexOfProperty(name.toUtf8().constData());
    if (index < 0)
        return false;
    const QMetaProperty property = meta->property(index);
    if (property.metaType().flags() & QMetaType::PointerToQObject) {
        m_references.append({component, name, value.toString()});
        return true;
    }
    const std::optional<QVariant> v = toPropertyValue(property, value);
    return v && property.write(component, *v);
}

bool TFormReader::BindEvent(QObject *component, const QString &event, const TNotifyEvent &handler)
{
    if (auto *hooks = dynamic_cast<ComponentHooks *>(component); hooks && hooks->SetEventHandler(event, handler))
        return true;
    if (event == u"OnCreate"_s) {
        if (FormHooks *form = AsForm(component)) {
            form->SetOnCreate(handler);
            return true;
        }
    }
    return false;
}

TNotifyEvent TFormReader::ResolveHandler(const QString &handler) const
{
    const QByteArray signature = handler.toUtf8() + "(QObject*)";
    if (m_form->metaObject()->indexOfMethod(signature.constData()) < 0)
        return {};
    QPointer<QObject> form = m_form;
    const QByteArray name = handler.toUtf8();
    return [form, name](QObject *sender) {
        if (form)
            QMetaObject::invokeMethod(form, name.constData(), Qt::DirectConnection,
                                      Q_ARG(QObject *, sender));
    };
}

bool TFormReader::ReadProperties(QObject *component, const QJsonObject &properties, QString *error)
{
    // Properties are written in the order the class declares them, whatever
    // order the definition lists them in: setters may rely on earlier ones.
    // Settings that are no Qt property come last.
    QStringList keys = properties.keys();
    const QMetaObject *meta = component->metaObject();
    const auto rank = [meta](const QString &key) {
        const int index = meta->indexOfProperty(key.toUtf8().constData());
        return index < 0 ? INT_MAX : index;
    };
    std::stable_sort(keys.begin(), keys.end(),
                     [&](const QString &a, const QString &b) { return rank(a) < rank(b); });
    auto *stored = dynamic_cast<TStoredLists *>(component);
    const QStringList storedNames = stored ? stored->StoredListNames() : QStringList();
    for (const QString &key : std::as_const(keys)) {
        if (storedNames.contains(key)) {
            // A list the component reads itself; its own message tells why
            // it cannot.
            QString message;
            if (!stored->ReadStoredList(key, StoredListFromJson(properties.value(key)), message)) {
                setError(error, message);
                return false;
            }
            continue;
        }
        if (!WriteProperty(component, key, properties.value(key))) {
            setError(error, u"%1: cannot set property %2"_s.arg(component->objectName(), key));
            return false;
        }
    }
    return true;
}

bool TFormReader::ReadEvents(QObject *component, const QJsonObject &events, QString *error)
{
    for (auto it = events.begin(); it != events.end(); ++it) {
        const TNotifyEvent handler = ResolveHandler(it.value().toString());
        if (!handler || !BindEvent(component, it.key(), handler)) {
            setError(error, u"%1: cannot bind %2 to %3"_s.arg(component->objectName(), it.key(),
                                                                it.value().toString()));
            return false;
        }
    }
    return true;
}

bool TFormReader::Read(const QByteArray &definition, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(definition, &parseError);
    if (!document.isObject()) {
        setError(error, u"form definition: "_s + parseError.errorString());
        return false;
    }
    const QJsonObject root = document.object();
    m_byName.clear();
    m_references.clear();

    FormLoading loading(m_form);
    if (root.contains(u"name"_s))
        m_form->setObjectName(root.value(u"name"_s).toString());
    if (!ReadEvents(m_form, root.value(u"events"_s).toObject(), error)
        || !ReadProperties(m_form, root.value(u"properties"_s).toObject(), error))
        return false;

    for (const QJsonValue &entry : root.value(u"components"_s).toArray()) {
        const QJsonObject item = entry.toObject();
        const QString className = item.value(u"class"_s).toString();
        const QString name = item.value(u"name"_s).toString();
        QObject *parent = m_form;
        if (item.contains(u"parent"_s)) {
            parent = FindComponent(item.value(u"parent"_s).toString());
            if (!parent) {
                setError(error, name + u": unknown parent"_s);
                return false;
            }
        }
        QObject *component = CreateComponent(className, parent);
        if (!component) {
            setError(error, name + u": unknown class "_s + className);
            return false;
        }
        component->setObjectName(name);
        if (ComponentOwner(component) != m_form)
            SetComponentOwner(component, m_form);
        m_byName.insert(name, component);
        if (!ReadProperties(component, item.value(u"properties"_s).toObject(), error)
            || !ReadEvents(component, item.value(u"events"_s).toObject(), error))
            return false;
    }

    for (const PendingReference &ref : std::as_const(m_references)) {
        QObject *target = ref.target.isEmpty() ? nullptr : FindComponent(ref.target);
        if (!ref.target.isEmpty() && !target) {
            setError(error, ref.component->objectName() + u": unknown component "_s + ref.target);
            return false;
        }
        const QMetaObject *meta = ref.component->metaObject();
        const QMetaProperty property = meta->property(meta->indexOfProperty(ref.property.toUtf8().constData()));
        QVariant value = target ? QVariant::fromValue(target) : QVariant(property.metaType());
        if ((target && !value.convert(property.metaType())) || !property.write(ref.component, value)) {
            setError(error, ref.component->objectName() + u": cannot refer to "_s + ref.target);
            return false;
        }
    }
    FinishDefinition(root);
    loading.Finish();
    return true;
}

bool TFormReader::ReadResource(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, path + u": "_s + file.errorString());
        return false;
    }
    return Read(file.readAll(), error);
}

} // namespace wordmill
