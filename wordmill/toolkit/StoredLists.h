#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

class QJsonArray;
class QJsonValue;

namespace wordmill {

// A named list of strings and integers a component keeps in its stored
// definition beside its Qt properties.
struct TStoredList
{
    QString Name;
    QVariantList Values;
};

// Implemented by components that store data no Qt property carries. The
// form reader hands each named list to ReadStoredList; a writer asks
// WriteStoredLists what to store, given the same component of the form the
// definition inherits from (nullptr when there is none).
class TStoredLists
{
public:
    virtual ~TStoredLists() = default;
    // The names of the lists the component reads.
    virtual QStringList StoredListNames() const = 0;
    // False with the reason in Error when the list cannot be read.
    virtual bool ReadStoredList(const QString &Name, const QVariantList &Values,
                                QString &Error) = 0;
    // The lists to store: only those that differ from Ancestor's.
    virtual QList<TStoredList> WriteStoredLists(const QObject *Ancestor) const = 0;
};

// The values of a stored list as a form definition keeps them (a JSON
// array of strings and numbers) and back. Whole numbers become integers; a
// value that is no array reads as a list of that one value.
QVariantList StoredListFromJson(const QJsonValue &Value);
QJsonArray StoredListToJson(const QVariantList &Values);

} // namespace wordmill
