#pragma once

#include <QtGlobal>

namespace wordmill {

// The status colours of editor rows: 24-bit values with red in the lowest
// byte (0x00BBGGRR). The window paints them and, reading a pixel back, finds
// the hint of the state, so the values must be exact.
namespace EditorColor {
// The text is the designed text.
inline constexpr quint32 InternalLanguage = 0x0003F1F8;
// The text is the source language's translation, unchanged.
inline constexpr quint32 SourceTranslation = 0x0028FFD4;
// The text is a global translation of the source language.
inline constexpr quint32 GlobalSourceTranslation = 0x00FFE580;
// The row has a translation of its own that differs from the source.
inline constexpr quint32 Translated = 0x0000E922;
// The row uses a global translation of the edited language.
inline constexpr quint32 GlobalTranslation = 0x00FF6600;
// The row's own translation was emptied.
inline constexpr quint32 CancelTranslation = 0x002222CA;
// A translation restored from an old line, not changed yet.
inline constexpr quint32 RestoredTranslation = 0x00FF55DD;
// The row keeps the source language's translation.
inline constexpr quint32 KeepSourceTranslation = 0x00AFC6F9;
// An inherited row was emptied.
inline constexpr quint32 InvalidTranslation = 0x005AA02C;
// An inherited global row was emptied.
inline constexpr quint32 InvalidGlobalTranslation = 0x00A0892C;
// No page of the selected group is shown, or the row cannot be evaluated.
inline constexpr quint32 NotEvaluated = 0x007C7C7C;
// A global row of the edited language was emptied.
inline constexpr quint32 GlobalTranslationRemoved = 0x001111EE;
// A translated row whose source text is empty; it has no hint.
inline constexpr quint32 TranslatedWithoutSource = 0x004C6C4C;
} // namespace EditorColor

// The item of the library's own lexicon that names the state of a colour;
// -1 for a colour without hint.
int EditorColorHintItem(quint32 Color);

} // namespace wordmill
