#pragma once

#include <QtGlobal>

namespace wordmill {

// Language descent carried by every stored translation. The low byte tells
// where the text comes from: 0 the language itself, 1 to 254 that many levels
// of superior language, 255 nowhere (the design text stands). Bit 8 marks a
// translation taken from the global strings.
inline constexpr quint16 DescentOwn = 0;
inline constexpr quint16 DescentInheritLimit = 254;
inline constexpr quint16 DescentNone = 255;
inline constexpr quint16 DescentGlobal = 256;

// Flags of a structure line's Changeable field.
inline constexpr quint16 ChangeableTranslatable = 1;
inline constexpr quint16 ChangeableOld = 2;
inline constexpr quint16 ChangeableOwnTranslation = 4;

inline constexpr bool IsGlobalDescent(quint16 descent)
{
    return (descent & DescentGlobal) != 0;
}

// The descent one level of superior language further away. 254 and 255 stay,
// and so does a global descent (it is 256 or more).
inline constexpr quint16 InheritedDescent(quint16 descent)
{
    return descent < DescentInheritLimit ? quint16(descent + 1) : descent;
}

} // namespace wordmill
