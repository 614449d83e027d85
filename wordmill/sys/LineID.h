#pragma once

#include <QString>
#include <QStringView>

namespace wordmill {

// Property-type number that stands for a number that cannot be read.
inline constexpr int UnreadablePropertyID = 521;

// The parts of a structure line key.
struct TLineIDParts
{
    QString CompName;
    QString OwnerName;
    QString PropertyText; // the number part as written
    QString ItemAddr;
    bool HasItemAddr = false; // the key holds the "[" that opens the item address
};

// Key of a translatable property value: component name, "@", owner name, "#",
// decimal property-type number, "[" and the item address, for example
// "konecb@Form1#0[". Two structures describing the same text build the same
// key, so it never holds a running number.
QString ComposeLineID(QStringView compName, QStringView ownerName, int propertyType,
                      QStringView itemAddr);

// Takes a key apart from the left: the component name runs to the first "@",
// the owner name to the next "#", the number to the next "[", and the item
// address is the rest. A missing separator leaves the later parts empty.
TLineIDParts SplitLineID(QStringView lineID);

// The property-type number of a key's number part: a decimal from 0 to 65535,
// otherwise UnreadablePropertyID.
int ReadPropertyID(QStringView propertyText);

// Replaces the owner part of `lineID` by `newOwner` when it is exactly
// `currentOwner`; returns whether the key changed.
bool ReplaceLineIDOwner(QString &lineID, QStringView currentOwner, QStringView newOwner);

} // namespace wordmill
