#pragma once

#include <QString>

namespace wordmill {

// The one-line form of a text: every character below code 32 is kept as the
// escape '#<decimal code>' so that a text fits on one line of a language file.
// The character with code 0 is dropped when escaping.

/// "'#" + decimal Code + "'".
QString FormatCharCode(int Code);

/// Replaces every character below 32 by its escape and removes code 0.
/// Returns true when S changed.
bool EncodeControlChars(QString &S);

/// Replaces every occurrence of the one character Ch by its escape.
/// Returns true when S changed.
bool EncodeChar(QString &S, QChar Ch);

/// Turns escapes back into characters. Accepts one space after the opening
/// apostrophe and one before the closing one, and several codes after one
/// apostrophe ('#13#10'). A closing apostrophe ends an escape, so "#" and
/// digits after it stay text. Malformed escapes and codes above 65535 stay as
/// text.
void DecodeControlChars(QString &S);

/// S cut at control characters at both ends (spaces next to the text stay).
/// Then, when KeepEscaped is false, line breaks left inside become spaces;
/// when it is true, all remaining control characters are escaped.
QString TrimControlChars(const QString &S, bool KeepEscaped);

} // namespace wordmill
