#pragma once

#include <QByteArray>
#include <QImage>

namespace wordmill {

// Flags are 16 x 16 pictures in which white counts as transparent.
inline constexpr int FlagImageSize = 16;

/// The picture on a white 16 x 16 image: a smaller picture keeps its size, a
/// larger one is scaled down keeping its proportions; it sits in the middle,
/// one pixel lower when it is not as high as the flag. An empty picture
/// gives a white flag.
QImage FitFlagImage(const QImage &Picture);

/// Picture bytes (a bitmap "BM..." or an icon) as a flag the size of the
/// flag lists: white pixels become transparent. A null image when the bytes
/// hold neither.
QImage DecodeFlagImage(const QByteArray &Bytes);

/// A flag image as bitmap file bytes.
QByteArray EncodeFlagBitmap(const QImage &Image);

} // namespace wordmill
