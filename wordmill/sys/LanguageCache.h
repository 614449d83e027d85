#pragma once

#include <wordmill/sys/LangIDs.h>

#include <QByteArrayView>
#include <QList>
#include <QString>

class QIODevice;

namespace wordmill {

class TComponentStructure;
class TLexiconData;
class TSmartLexiconData;

// The compiled form of a loaded language: what loading its file (with its
// whole superior chain) left in the stores, in a binary file that is read
// back without parsing. Texts are stored as UTF-16 in the machine's byte
// order, so that the stores can refer to them where they lie.
//
// A cache file says what it was made from (every file of the chain with its
// size and content hash, and the settings that shaped the load) and carries
// a hash of its own content. Whoever uses it checks both; the reader only
// checks that the file is one of ours and whole, and refuses anything else.

// One file of a superior chain, the language itself first.
struct TLanguageCacheSource
{
    QString Name;
    QString Path;
    QString Code; // the code its header gives, as the load normalised it
    qint64 Size = 0;
    quint64 Hash = 0;

    bool operator==(const TLanguageCacheSource &) const = default;
};

struct TLanguageCacheInfo
{
    // The engine settings that shape a load, as one text.
    QString Settings;
    QList<TLanguageCacheSource> Chain;
    // The language's code and its superior after the load.
    QString Code;
    TLangIDs Superior;
};

// The content hash used for language files and for the cache's own body.
quint64 LanguageCacheHash(QByteArrayView Bytes);

// The fixed header at the start of every cache file.
inline constexpr qsizetype LanguageCacheHeaderSize = 32;

// The file size and content hash a header claims; false when Header is not
// a whole header of this format.
bool ReadLanguageCacheHeader(QByteArrayView Header, quint64 &Size, quint64 &Hash);

// Writes the cache of the stores to Out; false when a write fails.
bool WriteLanguageCache(QIODevice &Out, const TLanguageCacheInfo &Info,
                        const TComponentStructure &Lines, const TLexiconData &Lexicons,
                        const TSmartLexiconData &Smart);

// Reads what a cache says about itself. False, with the reason in Problem,
// for anything but a whole cache file of this format and machine. Without
// CheckContent the hash of the body is not checked again (for bytes that
// passed the check before and cannot have changed since).
bool ReadLanguageCacheInfo(QByteArrayView Bytes, TLanguageCacheInfo &Info, QString *Problem,
                           bool CheckContent = true);

// Fills the empty stores from a cache that ReadLanguageCacheInfo accepted.
// The stores' texts refer to Bytes, which must stay mapped for as long as
// they or any copy of them live. False (stores in an undefined but valid
// state) when the content does not hold together.
bool ReadLanguageCacheStores(QByteArrayView Bytes, TComponentStructure &Lines,
                             TLexiconData &Lexicons, TSmartLexiconData &Smart, QString *Problem);

} // namespace wordmill
