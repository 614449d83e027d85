#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace wordmill {

// A packed multi-language import file: length-prefixed strings (a 32-bit
// little-endian count of UTF-16 code units, then the code units, little
// endian): one leading string that is not used, a 32-bit count N, then N
// pairs of a language (ISO code or name) and the complete text of a file
// for that language.
//
// The bytes are untrusted: every count is checked against the bytes that
// remain before anything is read, and nothing is allocated for a string
// until its bytes are known to be there.
struct TPackedImport
{
    enum Shape {
        NotPacked, // any other shape: read the file as text
        Empty,     // N is 0: nothing to import
        Found,     // Text holds the current language's file
    };
    Shape Result = NotPacked;
    QString Text;
};

// Picks the first pair whose language IsCurrent accepts. A language string
// counts only through the ISO code it reduces to; a string that gives no
// code matches nothing. The pair found counts only when the rest of the
// stream after it is whole strings up to its exact end.
TPackedImport ReadPackedImport(const QByteArray &Bytes,
                               const std::function<bool(const QString &Code)> &IsCurrent);

// The packed form of Leading and the pairs (language, text), as the reader
// expects it.
QByteArray WritePackedImport(const QString &Leading, const QList<QPair<QString, QString>> &Pairs);

} // namespace wordmill
