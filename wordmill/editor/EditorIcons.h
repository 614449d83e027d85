#pragma once

#include <QIcon>
#include <QImage>

namespace wordmill {

// The editor window's pictures, drawn by the library so that they stay sharp
// at every screen density.

/// The flag shown for a language without a flag of its own: 16 x 16, white
/// is transparent like in every flag.
QImage DefaultFlagImage();

/// Button and control pictures.
QIcon FindIcon();
QIcon AddLanguageIcon();
QIcon ImportIcon();
QIcon ExportIcon();
QIcon GlobalStringsIcon();
/// The previous and next arrows of the object navigation (25 x 25 design).
QIcon PreviousIcon();
QIcon NextIcon();

} // namespace wordmill
