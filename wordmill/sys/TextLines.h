#pragma once

#include <QByteArrayView>
#include <QStringConverter>
#include <QStringList>

class QByteArray;
class QIODevice;

namespace wordmill {

// Language files are text files whose encoding is told by a byte-order mark:
// FF FE is UTF-16 little-endian, FE FF UTF-16 big-endian, EF BB BF UTF-8.
// A file without a mark is in the system's 8-bit locale encoding.

/// Decodes the bytes of a text file by its byte-order mark (the mark itself
/// is not part of the text).
QString DecodeText(QByteArrayView Bytes);

/// The text of a text file's bytes, decoded by the byte-order mark as
/// DecodeText does. UTF-16 in the machine's byte order is not copied: the
/// view then points into Bytes, which must outlive it. Any other text is
/// decoded into Storage and the view points there.
QStringView TextView(QByteArrayView Bytes, QString &Storage);

// How a text file's bytes are encoded: the encoding its byte-order mark
// tells, the mark's length and the bytes of one code unit (2 for UTF-16).
struct TTextEncoding
{
    QStringConverter::Encoding Encoding = QStringConverter::System;
    int MarkSize = 0;
    int UnitSize = 1;
};

/// The encoding of a text file's bytes, by their byte-order mark.
TTextEncoding DetectTextEncoding(QByteArrayView Bytes);

/// Decodes a part of a text (bytes after the mark, starting and ending on a
/// code unit) as DecodeText decodes the whole: a part that starts and ends
/// at line breaks decodes to exactly those lines of the whole text.
QString DecodeTextPart(QByteArrayView Part, QStringConverter::Encoding Encoding);

/// Encodes Text for a file: UTF-16 and UTF-8 with their byte-order mark, the
/// system's 8-bit encoding (QStringConverter::System) and Latin-1 without.
QByteArray EncodeText(QStringView Text, QStringConverter::Encoding Encoding);

/// Splits Text into lines at CR LF, a lone LF or a lone CR. A line break at
/// the very end does not start another line; an empty text has no lines.
QStringList SplitTextLines(QStringView Text);
/// SplitTextLines as views of Text, which must outlive them.
QList<QStringView> SplitLineViews(QStringView Text);

/// Reads Device from its current position to the end as text lines. A device
/// that is not open is opened for reading and closed again. Returns false,
/// with Lines empty, when the device cannot be read.
bool LoadTextLines(QIODevice &Device, QStringList &Lines);

/// LoadTextLines for the file FileName; false when it cannot be read.
bool LoadTextFile(const QString &FileName, QStringList &Lines);

} // namespace wordmill
