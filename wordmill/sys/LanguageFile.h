#pragma once

#include <wordmill/sys/LangIDs.h>
#include <wordmill/sys/StructLines.h>

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringConverter>
#include <QStringList>
#include <QStringView>

#include <utility>

class QIODevice;

namespace wordmill {

// The language file format, read and written in one place.
//
// A language file is a text file (encoding told by its byte-order mark, see
// TextLines.h) whose first line is the signature in brackets, for example
// "[LANGUAGE_FILE]". Every other line is an ID, a TAB and a value. The ID is
// a decimal integer; lines whose ID is not one are skipped by every section.
// A value is not split into fields: its parts are found by searching it for
// the keys below (case-sensitively, anywhere in the value).
//
//   line 1   [signature]
//   header   0 TAB %LANGUAGE_NAME="name" TAB %CODE=cs; TAB %SUPERIOR_LANGUAGE=name; TAB
//   %FILEVER=WMLF1; components, one per translated property value:
//            ID TAB "translation" (or %NOTRANS) TAB %COMPONENT=name; TAB %OWNER=name;
//               [TAB %ITEM=address;] [TAB %OLD]
//   0 TAB %LEXICON_STRINGS
//   per lexicon: 0 TAB %LEXICON_NAME=Form1.Lexicon1; [TAB %WORDMILL], then item lines ID TAB "text"
//   0 TAB %SMART_STRINGS
//   global pairs, then per smart lexicon a %LEXICON_NAME line and its pairs:
//            two lines with one ID, the original and the translation, both quoted
//   optional, last: 0 TAB %FLAG_ICON, then the flag picture in hexadecimal, 50 bytes a line
//
// Quoted texts run from the first to the last double quote of the value, so
// inner quotes need no escaping; texts are kept in one-line form (control
// characters as '#13' escapes, see OneLineForm.h).

// ---- keys and keywords

namespace LangFileKey {
inline const QString LanguageName = QStringLiteral("%LANGUAGE_NAME=");
inline const QString Code = QStringLiteral("%CODE=");
inline const QString Superior = QStringLiteral("%SUPERIOR_LANGUAGE=");
inline const QString FileVersion = QStringLiteral("%FILEVER=");
inline const QString Component = QStringLiteral("%COMPONENT=");
inline const QString Owner = QStringLiteral("%OWNER=");
inline const QString Item = QStringLiteral("%ITEM=");
inline const QString LexiconName = QStringLiteral("%LEXICON_NAME=");
inline const QString NoTrans = QStringLiteral("%NOTRANS");
inline const QString Old = QStringLiteral("%OLD");
inline const QString FormLexicon = QStringLiteral("%WORDMILL");
inline const QString LexiconStrings = QStringLiteral("%LEXICON_STRINGS");
inline const QString SmartStrings = QStringLiteral("%SMART_STRINGS");
inline const QString FlagIcon = QStringLiteral("%FLAG_ICON");
} // namespace LangFileKey

// The version the writer puts into "%FILEVER=".
inline const QString LangFileVersion = QStringLiteral("WMLF1");

// ---- line fields

/// The text after the first tab of Line; empty when Line has no tab.
QString LineValue(QStringView Line);

/// The text between the first occurrence of Key (exact case) and the next
/// ";" after it; empty when Key does not occur or no ";" follows it.
QString ExtractField(QStringView Line, QStringView Key);

/// The text between the first and the last double quote of Line; empty when
/// Line has fewer than two double quotes.
QString ExtractQuoted(QStringView Line);

/// ExtractQuoted(Line) in one-line form (control characters escaped).
QString ExtractQuotedText(QStringView Line);

/// The part of line Index before its first tab as an integer. False when the
/// line does not exist, has no tab, or that part is empty or not an integer.
bool TryLineID(const QStringList &List, int Index, int &ID);

// ---- the whole file as data

// A header line: the language it names, its ISO code (normalized: two
// lower-case letters or empty) and the superior language it was translated
// from (empty for none). FileVersion is what "%FILEVER=" says, as read.
struct TLangFileHeader
{
    QString Name;
    QString Code;
    QString Superior;
    QString FileVersion;
    bool operator==(const TLangFileHeader &) const = default;
};

// A lexicon of the lexicon section: its items (number, text) in file order.
// IsFormLexicon marks the engine's own form lexicon ("%WORDMILL"), whose
// written name the engine replaces by its form lexicon's current one.
struct TLangFileLexicon
{
    QString Name;
    bool IsFormLexicon = false;
    QList<std::pair<int, QString>> Items;
    bool operator==(const TLangFileLexicon &) const = default;
};

// A smart lexicon of the smart-string section: pairs of original and
// translation in file order.
struct TLangFileSmartLexicon
{
    QString Name;
    QList<std::pair<QString, QString>> Pairs;
    bool operator==(const TLangFileSmartLexicon &) const = default;
};

// What a language file holds for one language, in file order: the reader
// fills it, the writer writes it. Texts are in one-line form.
struct TLanguageFileData
{
    // The header lines searched, in order: those naming other languages and,
    // last, the one naming the language read. When no header names it, all
    // header lines of the file and no sections.
    QList<TLangFileHeader> Headers;
    // Component lines: Descent 0; Changeable bit 0 unless "%NOTRANS", bit 1
    // with "%OLD". A line that is not translatable carries no text when
    // written.
    QList<TFullStructLine> Components;
    QList<TLangFileLexicon> Lexicons;
    QList<std::pair<QString, QString>> GlobalPairs;
    QList<TLangFileSmartLexicon> SmartLexicons;
    // The flag picture's bytes; empty for none.
    QByteArray Flag;

    // True when a header names the language read.
    bool NamesLanguage(QStringView Name) const
    {
        return !Headers.isEmpty() && Headers.constLast().Name == Name;
    }
    bool operator==(const TLanguageFileData &) const = default;
};

// ---- reading

// Why a file could not be read as a language. Reading never throws.
enum class TLangFileError {
    None,
    NoSignature,        // empty, or line 1 is not the signature
    LexiconWithoutName, // a lexicon line without "%LEXICON_NAME=" (or an empty one)
    SmartLexiconWithoutName,
    Refused, // the receiver of the lines stopped the reading
};

struct TLangFileReadResult
{
    TLangFileError Error = TLangFileError::None;
    int Line = 0; // 1-based line of the error, 0 for none
    explicit operator bool() const { return Error == TLangFileError::None; }
    // The reason in words, for the log.
    QString Message() const;
};

// ---- reading in one pass

// A header line as the reader finds it. The views point into the text read
// and hold the fields as written (the code not normalized).
struct TLangFileHeaderView
{
    QStringView Name;
    QStringView Code;
    QStringView Superior;
    QStringView FileVersion;
};

// A component line as the reader finds it. Translation is the quoted text as
// written, which OneLineText turns into the stored form; Changeable has bit 0
// unless "%NOTRANS", bit 1 with "%OLD".
struct TLangFileComponentView
{
    quint16 PropertyID = 0;
    quint16 Changeable = 0;
    QStringView CompName;
    QStringView OwnerName;
    QStringView ItemAddr;
    QStringView Translation;
};

// Receives what the reader finds, in file order, while it reads: nothing of
// the file is copied unless the receiver copies it. Views are valid during
// the call only. Quoted texts come as written; the reader has checked that
// their one-line form is not empty where the format drops empty texts. A
// receiver that returns false stops the reading (TLangFileError::Refused).
class TLangFileSink
{
public:
    virtual ~TLangFileSink();
    // Each header line searched; the one naming the language comes last.
    virtual void Header(const TLangFileHeaderView &Header);
    // Before the sections: Header is the header line naming the language,
    // or the last header line of a file in which none names it (whose
    // sections are then not read); null when the file has no header line.
    virtual bool Sections(const TLangFileHeaderView *Header);
    virtual bool Component(const TLangFileComponentView &Line);
    // A lexicon line; the items that follow belong to it.
    virtual bool Lexicon(QStringView Name, bool IsFormLexicon);
    virtual bool Item(int Number, QStringView Text);
    // A smart lexicon line; the pairs that follow belong to it, those
    // before any such line are global.
    virtual bool SmartLexicon(QStringView Name);
    virtual bool Pair(QStringView Original, QStringView Translation);
    // The picture of the flag section, when the file has one.
    virtual void Flag(const QByteArray &Picture);
};

/// Reads the language Name from Text line by line into Sink (see
/// ReadLanguageFile for the rules).
TLangFileReadResult ReadLanguageText(QStringView Text, QStringView Signature, QStringView Name,
                                     TLangFileSink &Sink);

/// A quoted text as the reader passes it, in one-line form.
QString OneLineText(QStringView Quoted);

/// Reads the language Name from a language file's bytes (encoding by its
/// byte-order mark) into Data, which is emptied first. Signature is the
/// complete first line, brackets included. Header lines are searched from
/// line 2 until one names Name exactly (case-sensitively); the sections after
/// it are read. A file whose headers never name Name yields its headers and
/// no sections, which is no error.
TLangFileReadResult ReadLanguageFile(QByteArrayView Bytes, QStringView Signature, QStringView Name,
                                     TLanguageFileData &Data);
/// ReadLanguageFile for text already decoded.
TLangFileReadResult ReadLanguageText(QStringView Text, QStringView Signature, QStringView Name,
                                     TLanguageFileData &Data);

// The header of a language file as the language list needs it: the first
// header line with a name gives name and code; the flag picture, when asked
// for, comes from the flag section that ends the file (found from the end
// back, so that listing a folder of large languages reads little more than
// their first and last lines).
struct TLangFileHeaderInfo
{
    TLangIDs IDs;
    QByteArray Flag;
};

/// Reads the header from a file's bytes. IDs stay empty when the bytes are
/// not a language file with this signature (fewer than three lines, or
/// another line 1).
TLangFileHeaderInfo ReadLanguageHeader(QByteArrayView Bytes, QStringView Signature, bool LoadFlag);

// The header readers of the text helpers; each fills the flag buffer (see
// FlagBuffer.h) when LoadFlag is set. Signature is the complete first line.

/// Reads the header from a language file already split into lines.
void ReadLangHeader(const QStringList &List, const QString &Signature, bool LoadFlag,
                    TLangIDs &IDs);
/// ReadLangHeader for the file FileName; a missing or unreadable file leaves
/// IDs empty.
void ReadLangFileHeader(const QString &FileName, const QString &Signature, bool LoadFlag,
                        TLangIDs &IDs);
/// ReadLangHeader for what Stream holds from its current position; an empty
/// or unreadable stream leaves IDs empty.
void ReadLangStreamHeader(QIODevice &Stream, const QString &Signature, bool LoadFlag,
                          TLangIDs &IDs);

// ---- writing

/// Why Data would not read back as it is, or an empty text when it would:
/// the format has no escapes, so a name holding a double quote or a text
/// holding one of the keys reads back differently. The writer logs it.
QString LanguageFileAmbiguity(const TLanguageFileData &Data);

/// The text of a language file: Signature (the complete first line, such as
/// "[LANGUAGE_FILE]"), the header lines, the sections and, when Data has a
/// flag, the flag section. Every line ends with CR LF.
QString WriteLanguageText(const TLanguageFileData &Data, QStringView Signature);
/// WriteLanguageText encoded: UTF-16 and UTF-8 with their byte-order mark,
/// the system's 8-bit encoding (QStringConverter::System) without.
QByteArray WriteLanguageFile(const TLanguageFileData &Data, QStringView Signature,
                             QStringConverter::Encoding Encoding);

// ---- the flag section

/// Decodes pairs of hexadecimal digits (either case) into Buf, at most Max
/// bytes. Stops at the first pair that is not two hexadecimal digits and at
/// an odd last character. Buf is resized to the decoded bytes; returns their
/// number.
int HexToBin(QStringView Hex, QByteArray &Buf, int Max);

/// Appends the flag buffer to List as a flag section. An empty buffer gives
/// the marker line and one line without digits.
void WriteFlagIcon(QStringList &List);

/// Replaces the flag buffer's content with the picture of the flag section
/// whose data lines start at line Index of List, and rewinds the buffer.
void ReadFlagIcon(const QStringList &List, int Index);

} // namespace wordmill
