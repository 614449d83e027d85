#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace wordmill {

// First number of the additional properties of the library's add-on; the
// name of number N from here on is entry N - 1000 of the caller's list.
inline constexpr int FirstAdditionPropertyID = 1000;

// Name of a property-type number as the translator sees it: "Caption" for 0,
// "Items" for 33, "Header" for 500, an empty name for the unused numbers of
// the four property groups, and "Unknown" for everything else.
QString PropertyTypeName(int number, const QStringList &wordmillAdditionNames = {});

// The property path of a structure line key, shown to the translator after
// the component name: the name of the property-type number followed by the
// item address written out, for example "Category[2].Item[3].Caption" for
// the address "2,3.0" of property 66.
QString PropertyPathOf(QStringView lineID, const QStringList &wordmillAdditionNames = {});

} // namespace wordmill
