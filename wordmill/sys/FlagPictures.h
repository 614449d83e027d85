#pragma once

#include <QString>

namespace wordmill {

// The pictures beside the language menu's entries for creating and for
// editing a language, as picture text (DecodePictureText turns each into a
// 16x16 bitmap file). scripts/make_picture_text.py draws and encodes them.

/// The picture of the entry that creates a new language: a plus sign.
QString CreateLanguageFlagPicture();

/// The picture of the entry that edits a language: a pencil.
QString EditLanguageFlagPicture();

} // namespace wordmill
