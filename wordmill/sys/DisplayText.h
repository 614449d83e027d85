#pragma once

#include <QString>

namespace wordmill {

// The longest text written into a widget. Qt's text layout takes time that
// grows steeply with the length of an unbroken word: a language carrying a
// one-megabyte word would freeze the window for minutes at every switch.
inline constexpr qsizetype MaxDisplayTextLength = 64 * 1024;

// The text as a widget may show it: cut to MaxDisplayTextLength characters,
// never inside a surrogate pair. A cut is logged with the name of the widget
// the text was meant for.
QString CapDisplayText(const QString &text, const QString &target);

} // namespace wordmill
