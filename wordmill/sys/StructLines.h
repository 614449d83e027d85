#pragma once

#include <wordmill/sys/Descent.h>

#include <QString>

namespace wordmill {

// The data of one line of a component structure.
struct TStructItem
{
    QString Translation; // one-line form
    quint16 Descent = DescentNone;
    quint16 Changeable = 0;
};

// A structure line with its key taken apart.
struct TFullStructLine
{
    QString CompName;
    QString OwnerName;
    QString Translation;
    QString ItemAddr;
    quint16 PropertyID = 0;
    quint16 Descent = DescentNone;
    quint16 Changeable = 0;
    bool operator==(const TFullStructLine &) const = default;
};

// A structure line with its ready key.
struct TSimpleStructLine
{
    QString LineID;
    QString Translation;
    quint16 Descent = DescentNone;
    quint16 Changeable = 0;
};

} // namespace wordmill
