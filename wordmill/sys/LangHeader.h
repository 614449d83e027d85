#pragma once

#include <wordmill/sys/LangIDs.h>

#include <QStringList>

class QIODevice;

namespace wordmill {

// The header of a language file: its first line (the signature) and the line
// with "%LANGUAGE_NAME=", which gives the language's name and ISO code. With
// LoadFlag the flag section, if any, is read into the flag buffer as well.
//
// Signature is the complete first line the file must have, brackets
// included, for example "[LANGUAGE_FILE]". It is compared with the first line
// cut of spaces and control characters at both ends, letter case counting.

/// Reads the header from a language file already split into lines. IDs stays
/// empty when List is not a language file with this signature.
void ReadLangHeader(const QStringList &List, const QString &Signature, bool LoadFlag,
                    TLangIDs &IDs);

/// ReadLangHeader for the file FileName (encoding by its byte-order mark).
/// A missing or unreadable file leaves IDs empty.
void ReadLangFileHeader(const QString &FileName, const QString &Signature, bool LoadFlag,
                        TLangIDs &IDs);

/// ReadLangHeader for the text Stream holds from its current position (a
/// language carried as a resource). An empty or unreadable stream leaves IDs
/// empty.
void ReadLangStreamHeader(QIODevice &Stream, const QString &Signature, bool LoadFlag,
                          TLangIDs &IDs);

} // namespace wordmill
