#include "StoredLists.h"

#include <QJsonArray>
#include <QJsonValue>

#include <cmath>

namespace wordmill {

namespace {

QVariant fromJson(const QJsonValue &value)
{
    if (value.isString())
        return value.toString();
    if (value.isDouble()) {
        const double d = value.toDouble();
        if (std::isfinite(d) && d == std::trunc(d) && std::fabs(d) < 9.0e15)
            return QVariant(qint64(d));
        return QVariant(d);
    }
    if (value.isBool())
        return QVariant(value.toBool());
    return QVariant();
}

} // namespace

QVariantList StoredListFromJson(const QJsonValue &Value)
{
    QVariantList values;
    if (!Value.isArray()) {
        values.append(fromJson(Value));
        return values;
    }
    const QJsonArray array = Value.toArray();
    values.reserve(array.size());
    for (const QJsonValue &item : array)
        values.append(fromJson(item));
    return values;
}

QJsonArray StoredListToJson(const QVariantList &Values)
{
    QJsonArray array;
    for (const QVariant &value : Values)
        array.append(QJsonValue::fromVariant(value));
    return array;
}

} // namespace wordmill
