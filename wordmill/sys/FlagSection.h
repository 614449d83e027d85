#pragma once

#include <QStringList>
#include <QStringView>

class QByteArray;

namespace wordmill {

// The flag section of a language file: the marker line "0<TAB>%FLAG_ICON"
// followed by the flag picture as hexadecimal text, 50 bytes per line.

/// Decodes pairs of hexadecimal digits (either case) into Buf, at most Max
/// bytes. Stops at the first pair that is not two hexadecimal digits and at
/// an odd last character. Buf is resized to the decoded bytes; returns their
/// number.
int HexToBin(QStringView Hex, QByteArray &Buf, int Max);

/// Appends the flag buffer to List as a flag section. An empty buffer gives
/// the marker line and one line without digits.
void WriteFlagIcon(QStringList &List);

/// Replaces the flag buffer's content with the picture of the flag section
/// whose data lines start at line Index of List, and rewinds the buffer.
void ReadFlagIcon(const QStringList &List, int Index);

} // namespace wordmill
