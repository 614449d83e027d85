#pragma once

#include <QString>

class QBuffer;
class QByteArray;

namespace wordmill {

// Picture text: the bytes of a small picture file written as printable text.
// Only the low byte of each character counts.
//
// - A space and every character from "8" (56) upward stand for their own code,
//   "&" stands for 0, any other character C takes the next character N with
//   it for the byte ((C - 40) * 16 + (N - 40)) modulo 256.
// - "!" to "%" start a run. "!" writes a byte count + 1 times in a row; "\""
//   to "%" place count + 1 copies of a byte every 2 to 5 free bytes and leave
//   holes between them that the following bytes fill. The count is a character
//   above "'" (its code - 39) or, for "'" and below, a base-88 number of
//   (code - 32) digits (each digit a character's code - 39, "&" counting as
//   0), plus 87. The character after the count is the byte.
//
// Decoding stops where the text is cut short and where the picture would grow
// beyond MaxPictureSize bytes.

/// The largest picture DecodePictureText builds.
constexpr qsizetype MaxPictureSize = 1024 * 1024;

/// Replaces the content of Stream with the picture Text describes.
void DecodePictureText(QByteArray &Stream, const QString &Text);

/// The same for a memory stream, which is left open and at its start.
void DecodePictureText(QBuffer &Stream, const QString &Text);

} // namespace wordmill
