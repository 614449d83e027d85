#include "LanguageFile.h"

#include <wordmill/sys/FileBytes.h>
#include <wordmill/sys/FlagBuffer.h>
#include <wordmill/sys/LanguageNames.h>
#include <wordmill/sys/Logging.h>
#include <wordmill/sys/OneLineForm.h>
#include <wordmill/sys/TextLines.h>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QSysInfo>

#include <algorithm>
#include <bit>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

// Item numbers and property numbers are 16-bit.
constexpr int MaxItemNumber = 0xFFFF;
// The writer puts this many flag bytes on a line; the reader takes up to
// MaxFlagBytesPerLine from each.
constexpr int FlagBytesPerLine = 50;
constexpr int MaxFlagBytesPerLine = 256;

using Lines = QList<QStringView>;

// A line with an integer ID: the ID and the value after the first tab.
struct IdLine
{
    int id = 0;
    QStringView value;
};

bool parseIdLine(QStringView line, IdLine &out)
{
    const qsizetype tab = line.indexOf(u'\t');
    if (tab <= 0)
        return false;
    // The usual IDs, digits with an optional minus and too short to
    // overflow, are read in place; anything else (signs, spaces, long
    // numbers) the way Qt reads an integer.
    const char16_t *digit = line.utf16();
    const char16_t *const end = digit + tab;
    const bool negative = *digit == u'-';
    if (negative)
        ++digit;
    int id = 0;
    bool ok = digit != end && end - digit <= 9;
    for (; ok && digit != end; ++digit) {
        ok = *digit >= u'0' && *digit <= u'9';
        id = id * 10 + (*digit - u'0');
    }
    if (ok)
        id = negative ? -id : id;
    else
        id = line.left(tab).toInt(&ok, 10);
    if (!ok)
        return false;
    out.id = id;
    out.value = line.sliced(tab + 1);
    return true;
}

QStringView valueOf(QStringView line)
{
    const qsizetype tab = line.indexOf(u'\t');
    return tab < 0 ? QStringView() : line.sliced(tab + 1);
}

// The line cut of spaces and control characters at both ends.
QStringView trimLine(QStringView line)
{
    qsizetype begin = 0, end = line.size();
    while (begin < end && line.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && line.at(end - 1).unicode() <= 32)
        --end;
    return line.sliced(begin, end - begin);
}

QStringView fieldView(QStringView line, QStringView key)
{
    if (key.isEmpty())
        return {};
    const qsizetype keyPos = line.indexOf(key);
    if (keyPos < 0)
        return {};
    const qsizetype start = keyPos + key.size();
    const qsizetype end = line.indexOf(u';', start);
    if (end < 0)
        return {};
    return line.sliced(start, end - start);
}

QStringView quotedView(QStringView line)
{
    const qsizetype first = line.indexOf(u'"');
    if (first < 0)
        return {};
    const qsizetype last = line.lastIndexOf(u'"');
    if (last <= first)
        return {};
    return line.sliced(first + 1, last - first - 1);
}

// A marker line ends a section: its value is no quoted text and holds the
// marker keyword.
bool isMarker(QStringView value, QStringView marker)
{
    return !value.startsWith(u'"') && value.contains(marker);
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

// Appends the bytes of one line of a flag section to picture: the value
// after its tab, whatever its ID; a line without a tab adds nothing. bytes
// is scratch space kept across lines.
void appendFlagLine(QByteArray &picture, QByteArray &bytes, QStringView line)
{
    const qsizetype tab = line.indexOf(u'\t');
    if (tab < 0)
        return;
    HexToBin(line.sliced(tab + 1), bytes, MaxFlagBytesPerLine);
    picture.append(bytes);
}

// The picture of a flag section whose data lines start at `from`: the value
// of every later line that has a tab, whatever its ID.
QByteArray decodeFlagLines(const Lines &lines, qsizetype from)
{
    QByteArray picture;
    QByteArray bytes;
    for (qsizetype i = qMax<qsizetype>(from, 0); i < lines.size(); ++i)
        appendFlagLine(picture, bytes, lines.at(i));
    return picture;
}

// Calls put(line) for each line of the flag section of `picture`: the
// marker, then the running number, a tab and 50 bytes in upper-case hex per
// line, ending with the first line of fewer than 50 bytes.
template <typename Put> void formatFlagLines(const QByteArray &picture, Put put)
{
    put(u"0\t"_s + LangFileKey::FlagIcon);
    qsizetype offset = 0;
    for (int line = 0;; ++line) {
        const QByteArray chunk = picture.mid(offset, FlagBytesPerLine);
        put(QString::number(line) + u'\t' + QString::fromLatin1(chunk.toHex().toUpper()));
        offset += chunk.size();
        if (chunk.size() < FlagBytesPerLine)
            break;
    }
}

Lines viewsOf(const QStringList &list)
{
    Lines lines;
    lines.reserve(list.size());
    for (const QString &line : list)
        lines.append(line);
    return lines;
}

TLangFileReadResult failure(TLangFileError error, qsizetype index)
{
    return {error, int(qMin<qsizetype>(index + 1, std::numeric_limits<int>::max()))};
}

// ---- scanning the text

// The first CR or LF in [p, end), or end. Eight characters at a time where
// the processor allows it: this search is the bulk of reading a file.
const char16_t *findLineBreak(const char16_t *p, const char16_t *end)
{
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi16(u'\r');
    const __m128i lf = _mm_set1_epi16(u'\n');
    for (; end - p >= 8; p += 8) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const int mask =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(chunk, cr), _mm_cmpeq_epi16(chunk, lf)));
        if (mask)
            return p + std::countr_zero(unsigned(mask)) / 2;
    }
#endif
    for (; p < end; ++p) {
        if (*p == u'\r' || *p == u'\n')
            return p;
    }
    return end;
}

// The lines of a text, one after the other: CR LF, a lone LF or a lone CR
// ends a line, and a break at the very end starts no further line.
class LineCursor
{
public:
    explicit LineCursor(QStringView text)
        : m_begin(text.utf16()), m_pos(m_begin), m_end(m_begin + text.size())
    {
    }

    bool AtEnd() const { return m_pos == m_end; }
    QStringView Next()
    {
        const char16_t *begin = m_pos;
        const char16_t *lineEnd = findLineBreak(begin, m_end);
        m_pos = lineEnd;
        if (m_pos != m_end) {
            ++m_pos;
            if (*lineEnd == u'\r' && m_pos != m_end && *m_pos == u'\n')
                ++m_pos;
        }
        ++m_index;
        return QStringView(begin, lineEnd - begin);
    }
    // 0-based number of the line Next returned last.
    qsizetype Index() const { return m_index; }
    // The text from the line Next returns next to the end.
    QStringView Rest() const { return QStringView(m_pos, m_end - m_pos); }

private:
    const char16_t *m_begin;
    const char16_t *m_pos;
    const char16_t *m_end;
    qsizetype m_index = -1;
};

// parseIdLine for the lines of a cursor: the line's number comes along, for
// the messages.
struct NumberedLine
{
    IdLine line;
    qsizetype index = 0;
};

bool nextIdLine(LineCursor &lines, NumberedLine &out)
{
    while (!lines.AtEnd()) {
        if (parseIdLine(lines.Next(), out.line)) {
            out.index = lines.Index();
            return true;
        }
    }
    return false;
}

// Whether a quoted text's one-line form is empty: the one-line form drops
// only the character 0.
bool oneLineEmpty(QStringView quoted)
{
    for (const QChar c : quoted) {
        if (c.unicode() != 0)
            return false;
    }
    return true;
}

// The field whose value starts at `start` (just after its key), up to the
// next ";"; empty without one.
QStringView fieldFrom(QStringView value, qsizetype start)
{
    if (start < 0)
        return {};
    const qsizetype end = value.indexOf(u';', start);
    return end < 0 ? QStringView() : value.sliced(start, end - start);
}

// The fields and keywords of a component line, found in one pass over its
// "%" signs: every key starts with one, so the first occurrence of a key is
// at the first "%" where it matches.
struct ComponentKeys
{
    qsizetype component = -1; // where the field values start
    qsizetype owner = -1;
    qsizetype item = -1;
    bool noTrans = false;
    bool old = false;
};

ComponentKeys scanComponentKeys(QStringView value)
{
    using namespace LangFileKey;
    ComponentKeys keys;
    for (qsizetype p = value.indexOf(u'%'); p >= 0 && p + 1 < value.size();
         p = value.indexOf(u'%', p + 1)) {
        const QStringView rest = value.sliced(p);
        switch (rest[1].unicode()) {
        case u'C':
            if (keys.component < 0 && rest.startsWith(Component))
                keys.component = p + Component.size();
            break;
        case u'O':
            if (keys.owner < 0 && rest.startsWith(Owner))
                keys.owner = p + Owner.size();
            else if (!keys.old && rest.startsWith(Old))
                keys.old = true;
            break;
        case u'I':
            if (keys.item < 0 && rest.startsWith(Item))
                keys.item = p + Item.size();
            break;
        case u'N':
            if (!keys.noTrans && rest.startsWith(NoTrans))
                keys.noTrans = true;
            break;
        default:
            break;
        }
    }
    return keys;
}

// The flag picture of the lines of `text`: the value of every line that has
// a tab, whatever its ID.
QByteArray decodeFlagText(QStringView text)
{
    QByteArray picture;
    QByteArray bytes;
    for (LineCursor lines(text); !lines.AtEnd();)
        appendFlagLine(picture, bytes, lines.Next());
    return picture;
}

TLangFileReadResult readLanguage(QStringView text, QStringView signature, QStringView name,
                                 TLangFileSink &sink)
{
    using namespace LangFileKey;
    LineCursor lines(text);
    if (lines.AtEnd() || trimLine(lines.Next()) != signature)
        return failure(TLangFileError::NoSignature, 0);

    // Header: every line naming a language counts until one names this
    // language exactly; the sections follow it.
    TLangFileHeaderView header;
    bool anyHeader = false;
    bool named = false;
    while (!lines.AtEnd()) {
        const QStringView line = lines.Next();
        if (!line.contains(LanguageName))
            continue;
        const qsizetype tab = line.indexOf(u'\t');
        const QStringView value = tab >= 0 ? line.sliced(tab + 1) : line;
        header = {quotedView(value), fieldView(value, Code), fieldView(value, Superior),
                  fieldView(value, FileVersion)};
        anyHeader = true;
        sink.Header(header);
        if (header.Name == name) {
            named = true;
            break;
        }
    }
    if (!sink.Sections(anyHeader ? &header : nullptr))
        return failure(TLangFileError::Refused, lines.Index());
    if (!named)
        return {};

    // Component section.
    NumberedLine numbered;
    const IdLine &line = numbered.line;
    while (nextIdLine(lines, numbered)) {
        const bool quoted = line.value.startsWith(u'"');
        if (!quoted && line.value.contains(LexiconStrings))
            break;
        if (line.value.size() < 3 || line.id < 0 || line.id > MaxItemNumber)
            continue;
        const ComponentKeys keys = scanComponentKeys(line.value);
        TLangFileComponentView component;
        component.CompName = fieldFrom(line.value, keys.component);
        if (component.CompName.isEmpty())
            continue;
        component.PropertyID = quint16(line.id);
        component.OwnerName = fieldFrom(line.value, keys.owner);
        component.ItemAddr = fieldFrom(line.value, keys.item);
        component.Translation = quotedView(line.value);
        component.Changeable = keys.noTrans ? 0 : ChangeableTranslatable;
        if (keys.old)
            component.Changeable |= ChangeableOld;
        if (!sink.Component(component))
            return failure(TLangFileError::Refused, numbered.index);
    }

    // Lexicon section: a lexicon line opens a lexicon, item lines follow.
    bool lexiconOpen = false;
    while (nextIdLine(lines, numbered)) {
        const bool quoted = line.value.startsWith(u'"');
        if (!quoted && line.value.contains(SmartStrings))
            break;
        if (line.value.size() < 3)
            continue;
        if (!quoted) {
            const bool isFormLexicon = line.value.contains(FormLexicon);
            const QStringView lexicon = fieldView(line.value, LexiconName);
            if (!isFormLexicon && lexicon.isEmpty())
                return failure(TLangFileError::LexiconWithoutName, numbered.index);
            if (!sink.Lexicon(lexicon, isFormLexicon))
                return failure(TLangFileError::Refused, numbered.index);
            lexiconOpen = true;
            continue;
        }
        const QStringView itemText = quotedView(line.value);
        if (line.id >= 0 && line.id <= MaxItemNumber && lexiconOpen && !oneLineEmpty(itemText) &&
            !sink.Item(line.id, itemText))
            return failure(TLangFileError::Refused, numbered.index);
    }

    // Smart-string section: global pairs, then smart lexicons with theirs. A
    // pair is an original and the next line with an integer ID, when that
    // has the same ID and a text; otherwise that line starts the next pair.
    NumberedLine next;
    bool pending = false;
    while (pending || nextIdLine(lines, numbered)) {
        if (pending) {
            numbered = next;
            pending = false;
        }
        const bool quoted = line.value.startsWith(u'"');
        if (!quoted && line.value.contains(FlagIcon)) {
            sink.Flag(decodeFlagText(lines.Rest()));
            break;
        }
        if (line.value.size() < 3)
            continue;
        if (!quoted && line.value.contains(LexiconName)) {
            const QStringView lexicon = fieldView(line.value, LexiconName);
            if (lexicon.isEmpty())
                return failure(TLangFileError::SmartLexiconWithoutName, numbered.index);
            if (!sink.SmartLexicon(lexicon))
                return failure(TLangFileError::Refused, numbered.index);
            continue;
        }
        const QStringView original = quotedView(line.value);
        if (oneLineEmpty(original))
            continue;
        if (!nextIdLine(lines, next))
            break;
        const QStringView translation = quotedView(next.line.value);
        if (next.line.id == line.id && !oneLineEmpty(translation)) {
            if (!sink.Pair(original, translation))
                return failure(TLangFileError::Refused, next.index);
        } else {
            pending = true;
        }
    }
    return {};
}

// Reads the text's lines backwards from `end` (the end of a line's content):
// the line that ends there starts at the returned position.
qsizetype lineStartBefore(QStringView text, qsizetype end)
{
    qsizetype start = end;
    while (start > 0 && text[start - 1] != u'\r' && text[start - 1] != u'\n')
        --start;
    return start;
}

// Where the content of the line before the one starting at `start` ends
// (before its CR LF, LF or CR); `start` must be above 0.
qsizetype previousLineEnd(QStringView text, qsizetype start)
{
    qsizetype end = start - 1;
    if (text[end] == u'\n' && end > 0 && text[end - 1] == u'\r')
        --end;
    return end;
}

// The picture of the flag section at the end of `text`, which starts at the
// beginning of a line. The flag section is the last part of a language
// file: going back from the end over lines that may belong to it (data
// lines of hexadecimal digits, markers, lines without a tab), the earliest
// marker met starts it, and its lines are decoded as the full reader does.
// `reachedStart` tells whether every line of `text` may belong to it, so
// that a text that is only the end of a file has to be read further back.
QByteArray trailingFlag(QStringView text, bool *reachedStart = nullptr)
{
    using namespace LangFileKey;
    if (reachedStart)
        *reachedStart = true;
    if (text.isEmpty())
        return {};
    // A break at the very end starts no further line.
    qsizetype end = text.size();
    if (text[end - 1] == u'\n')
        end = end >= 2 && text[end - 2] == u'\r' ? end - 2 : end - 1;
    else if (text[end - 1] == u'\r')
        --end;
    qsizetype marker = -1;
    for (;;) {
        const qsizetype start = lineStartBefore(text, end);
        const QStringView lineText = text.sliced(start, end - start);
        const qsizetype tab = lineText.indexOf(u'\t');
        if (tab >= 0) {
            const QStringView value = lineText.sliced(tab + 1);
            if (value.size() > 2 && isMarker(value, FlagIcon)) {
                marker = start;
            } else if (!std::all_of(value.begin(), value.end(),
                                    [](QChar c) { return hexDigit(c) >= 0; })) {
                if (reachedStart)
                    *reachedStart = false;
                break;
            }
        }
        if (start == 0)
            break;
        end = previousLineEnd(text, start);
    }
    if (marker < 0)
        return {};
    LineCursor lines(text.sliced(marker));
    lines.Next(); // the marker
    return decodeFlagText(lines.Rest());
}

// How far the header search got in a text.
enum class HeaderScan {
    TooFewLines,     // not a language file: fewer than three lines
    NotLanguageFile, // line 1 is not the signature
    NoName,          // no header line with a name up to the end
    Found,           // a header line with a name; the text after it is `rest`
};

// The first header line that names a language gives name and code; the code
// of a header line without a name stays when no later one has a name.
HeaderScan scanHeader(QStringView text, QStringView signature, TLangIDs &ids, QStringView &rest)
{
    ids.Clear();
    LineCursor lines(text);
    // A language file has at least three lines, the first the signature.
    LineCursor count = lines;
    for (int n = 0; n < 3; ++n) {
        if (count.AtEnd())
            return HeaderScan::TooFewLines;
        count.Next();
    }
    if (trimLine(lines.Next()) != signature)
        return HeaderScan::NotLanguageFile;
    HeaderScan result = HeaderScan::NoName;
    while (!lines.AtEnd()) {
        const QStringView value = valueOf(lines.Next());
        if (!value.contains(LangFileKey::LanguageName))
            continue;
        ids.Code = fieldView(value, LangFileKey::Code).toString();
        const QStringView name = quotedView(value);
        if (!name.isEmpty()) {
            ids.Name = name.toString();
            result = HeaderScan::Found;
            break;
        }
    }
    NormalizeISOCode(ids.Code);
    rest = lines.Rest();
    return result;
}

TLangFileHeaderInfo readHeader(QStringView text, QStringView signature, bool loadFlag,
                               bool *isLanguageFile = nullptr)
{
    TLangFileHeaderInfo info;
    QStringView rest;
    const HeaderScan scan = scanHeader(text, signature, info.IDs, rest);
    if (isLanguageFile)
        *isLanguageFile = scan == HeaderScan::NoName || scan == HeaderScan::Found;
    if (loadFlag && scan == HeaderScan::Found)
        info.Flag = trailingFlag(rest);
    return info;
}

// ---- the header of a file in another encoding

// The first part read of either end of a file; a part that is not enough is
// doubled.
constexpr qsizetype HeaderPartSize = 4096;

// Whether the code unit that ends at byte `end` of `body` is a CR or an LF.
bool lineBreakBefore(QByteArrayView body, qsizetype end, const TTextEncoding &encoding)
{
    if (encoding.UnitSize == 1) {
        const char c = body[end - 1];
        return c == '\r' || c == '\n';
    }
    const char low = encoding.Encoding == QStringConverter::Utf16LE ? body[end - 2] : body[end - 1];
    const char high =
        encoding.Encoding == QStringConverter::Utf16LE ? body[end - 1] : body[end - 2];
    return high == 0 && (low == '\r' || low == '\n');
}

// The last position at or before `limit` that follows a line break; 0 for
// none.
qsizetype lineBoundaryBefore(QByteArrayView body, qsizetype limit, const TTextEncoding &encoding)
{
    const int unit = encoding.UnitSize;
    for (qsizetype end = limit - limit % unit; end >= unit; end -= unit)
        if (lineBreakBefore(body, end, encoding))
            return end;
    return 0;
}

// The first position at or after `from` that follows a line break; -1 for
// none.
qsizetype lineBoundaryAfter(QByteArrayView body, qsizetype from, const TTextEncoding &encoding)
{
    const int unit = encoding.UnitSize;
    for (qsizetype end = qMax<qsizetype>(unit, from + (unit - from % unit) % unit);
         end <= body.size(); end += unit)
        if (lineBreakBefore(body, end, encoding))
            return end;
    return -1;
}

// readHeader for bytes that have to be decoded: only the two ends of the
// file are, the lines up to the header line from its start and the lines
// that may hold the flag from its end, each part growing until it holds
// all the reader needs. Parts start and end at line breaks, so they decode
// to exactly those lines of the whole text.
TLangFileHeaderInfo readHeaderInParts(QByteArrayView bytes, QStringView signature, bool loadFlag,
                                      bool *isLanguageFile)
{
    const TTextEncoding encoding = DetectTextEncoding(bytes);
    const QByteArrayView body = bytes.sliced(encoding.MarkSize);
    TLangFileHeaderInfo info;
    QString head;
    QStringView rest;
    qsizetype headBytes = 0;
    HeaderScan scan = HeaderScan::TooFewLines;
    for (qsizetype size = HeaderPartSize;; size *= 2) {
        headBytes = size >= body.size() ? body.size() : lineBoundaryBefore(body, size, encoding);
        if (headBytes == 0)
            continue; // no line ends in the first `size` bytes
        head = DecodeTextPart(body.first(headBytes), encoding.Encoding);
        scan = scanHeader(head, signature, info.IDs, rest);
        if (headBytes == body.size() || scan == HeaderScan::Found ||
            scan == HeaderScan::NotLanguageFile)
            break;
    }
    if (isLanguageFile)
        *isLanguageFile = scan == HeaderScan::NoName || scan == HeaderScan::Found;
    if (!loadFlag || scan != HeaderScan::Found)
        return info;
    if (headBytes == body.size()) {
        info.Flag = trailingFlag(rest);
        return info;
    }
    for (qsizetype size = HeaderPartSize;; size *= 2) {
        const qsizetype from = body.size() - size;
        const qsizetype start =
            from <= headBytes ? headBytes : lineBoundaryAfter(body, from, encoding);
        if (start == headBytes || start < 0) {
            // The whole rest of the file.
            const QString tail =
                rest.toString() + DecodeTextPart(body.sliced(headBytes), encoding.Encoding);
            info.Flag = trailingFlag(tail);
            return info;
        }
        bool reachedStart = false;
        const QByteArray flag =
            trailingFlag(DecodeTextPart(body.sliced(start), encoding.Encoding), &reachedStart);
        if (!reachedStart) {
            info.Flag = flag;
            return info;
        }
    }
}

// readHeader for a file's bytes: UTF-16 in the machine's byte order is read
// in place, any other encoding decoded in parts.
TLangFileHeaderInfo readHeaderOfBytes(QByteArrayView bytes, QStringView signature, bool loadFlag,
                                      bool *isLanguageFile = nullptr)
{
    QString decoded;
    const TTextEncoding encoding = DetectTextEncoding(bytes);
    const bool native =
        encoding.UnitSize == 2 && (encoding.Encoding == QStringConverter::Utf16LE) ==
                                      (QSysInfo::ByteOrder == QSysInfo::LittleEndian);
    if (native || bytes.size() <= 2 * HeaderPartSize)
        return readHeader(TextView(bytes, decoded), signature, loadFlag, isLanguageFile);
    return readHeaderInParts(bytes, signature, loadFlag, isLanguageFile);
}

void setFlagBuffer(const QByteArray &picture)
{
    QBuffer &buffer = FlagIconBuffer();
    buffer.close();
    buffer.setData(picture);
    buffer.open(QIODevice::ReadWrite);
}

void storeHeader(const TLangFileHeaderInfo &info, bool isLanguageFile, bool loadFlag, TLangIDs &ids)
{
    ids = info.IDs;
    if (isLanguageFile && loadFlag)
        setFlagBuffer(info.Flag);
}

void readHeaderIntoBuffer(QStringView text, QStringView signature, bool loadFlag, TLangIDs &ids)
{
    bool isLanguageFile = false;
    const TLangFileHeaderInfo info = readHeader(text, signature, loadFlag, &isLanguageFile);
    storeHeader(info, isLanguageFile, loadFlag, ids);
}

QString joinedLines(const QStringList &list)
{
    return list.join(u'\n');
}

// Fills a TLanguageFileData with copies of what the reader finds.
class DataSink : public TLangFileSink
{
public:
    explicit DataSink(TLanguageFileData &data) : m_data(data) {}

    void Header(const TLangFileHeaderView &view) override
    {
        TLangFileHeader header;
        header.Name = view.Name.toString();
        header.Code = view.Code.toString();
        NormalizeISOCode(header.Code);
        header.Superior = view.Superior.toString();
        header.FileVersion = view.FileVersion.toString();
        m_data.Headers.append(std::move(header));
    }
    bool Component(const TLangFileComponentView &line) override
    {
        TFullStructLine item;
        item.CompName = line.CompName.toString();
        item.OwnerName = line.OwnerName.toString();
        item.ItemAddr = line.ItemAddr.toString();
        item.Translation = OneLineText(line.Translation);
        item.PropertyID = line.PropertyID;
        item.Descent = DescentOwn;
        item.Changeable = line.Changeable;
        m_data.Components.append(std::move(item));
        return true;
    }
    bool Lexicon(QStringView name, bool isFormLexicon) override
    {
        TLangFileLexicon lexicon;
        lexicon.Name = name.toString();
        lexicon.IsFormLexicon = isFormLexicon;
        m_data.Lexicons.append(std::move(lexicon));
        return true;
    }
    bool Item(int number, QStringView text) override
    {
        m_data.Lexicons.last().Items.append({number, OneLineText(text)});
        return true;
    }
    bool SmartLexicon(QStringView name) override
    {
        m_data.SmartLexicons.append({name.toString(), {}});
        return true;
    }
    bool Pair(QStringView original, QStringView translation) override
    {
        auto &pairs =
            m_data.SmartLexicons.isEmpty() ? m_data.GlobalPairs : m_data.SmartLexicons.last().Pairs;
        pairs.append({OneLineText(original), OneLineText(translation)});
        return true;
    }
    void Flag(const QByteArray &picture) override { m_data.Flag = picture; }

private:
    TLanguageFileData &m_data;
};

// ---- what does not read back

bool hasControlChar(QStringView text)
{
    for (const QChar c : text)
        if (c.unicode() < 32)
            return true;
    return false;
}

// The first key of the format that text holds; empty for none.
QString keyIn(QStringView text)
{
    using namespace LangFileKey;
    for (const QString *key :
         {&LanguageName, &Code, &Superior, &FileVersion, &Component, &Owner, &Item, &LexiconName,
          &NoTrans, &Old, &FormLexicon, &LexiconStrings, &SmartStrings, &FlagIcon})
        if (text.contains(*key))
            return *key;
    return {};
}

// Why a quoted text would read back differently; empty when it would not.
// Keys matter only where the text shares its line with fields.
QString quotedTextProblem(QStringView text, bool sharesLine)
{
    if (text.isEmpty())
        return u"is empty"_s;
    if (hasControlChar(text))
        return u"holds a control character"_s;
    if (sharesLine && !keyIn(text).isEmpty())
        return u"holds the key "_s + keyIn(text);
    return {};
}

// Why a field value (written bare, up to the next ";") would read back
// differently; empty when it would not. `quoteEnds` is set where a double
// quote in the value would move the end of the line's quoted text.
QString fieldProblem(QStringView value, bool quoteEnds)
{
    if (value.contains(u';'))
        return u"holds a \";\""_s;
    if (value.contains(u'\r') || value.contains(u'\n'))
        return u"holds a line break"_s;
    if (quoteEnds && value.contains(u'"'))
        return u"holds a double quote"_s;
    if (!keyIn(value).isEmpty())
        return u"holds the key "_s + keyIn(value);
    return {};
}

} // namespace

// ---- line fields

QString LineValue(QStringView Line)
{
    return valueOf(Line).toString();
}

QString ExtractField(QStringView Line, QStringView Key)
{
    return fieldView(Line, Key).toString();
}

QString ExtractQuoted(QStringView Line)
{
    return quotedView(Line).toString();
}

QString ExtractQuotedText(QStringView Line)
{
    QString text = quotedView(Line).toString();
    EncodeControlChars(text);
    return text;
}

bool TryLineID(const QStringList &List, int Index, int &ID)
{
    if (Index < 0 || Index >= List.size())
        return false;
    IdLine line;
    if (!parseIdLine(List.at(Index), line))
        return false;
    ID = line.id;
    return true;
}

// ---- reading

QString TLangFileReadResult::Message() const
{
    switch (Error) {
    case TLangFileError::None:
        return {};
    case TLangFileError::NoSignature:
        return u"line 1 is not the language file signature"_s;
    case TLangFileError::LexiconWithoutName:
        return u"line %1: a lexicon line without a lexicon name"_s.arg(Line);
    case TLangFileError::SmartLexiconWithoutName:
        return u"line %1: a smart lexicon line without a lexicon name"_s.arg(Line);
    case TLangFileError::Refused:
        return u"line %1: the reading was stopped there"_s.arg(Line);
    }
    return {};
}

TLangFileSink::~TLangFileSink() = default;
void TLangFileSink::Header(const TLangFileHeaderView &) {}
bool TLangFileSink::Sections(const TLangFileHeaderView *)
{
    return true;
}
bool TLangFileSink::Component(const TLangFileComponentView &)
{
    return true;
}
bool TLangFileSink::Lexicon(QStringView, bool)
{
    return true;
}
bool TLangFileSink::Item(int, QStringView)
{
    return true;
}
bool TLangFileSink::SmartLexicon(QStringView)
{
    return true;
}
bool TLangFileSink::Pair(QStringView, QStringView)
{
    return true;
}
void TLangFileSink::Flag(const QByteArray &) {}

TLangFileReadResult ReadLanguageText(QStringView Text, QStringView Signature, QStringView Name,
                                     TLangFileSink &Sink)
{
    return readLanguage(Text, Signature, Name, Sink);
}

QString OneLineText(QStringView Quoted)
{
    for (const QChar c : Quoted) {
        if (c.unicode() < 32) {
            QString text = Quoted.toString();
            EncodeControlChars(text);
            return text;
        }
    }
    return Quoted.toString();
}

TLangFileReadResult ReadLanguageText(QStringView Text, QStringView Signature, QStringView Name,
                                     TLanguageFileData &Data)
{
    Data = TLanguageFileData();
    DataSink sink(Data);
    return readLanguage(Text, Signature, Name, sink);
}

TLangFileReadResult ReadLanguageFile(QByteArrayView Bytes, QStringView Signature, QStringView Name,
                                     TLanguageFileData &Data)
{
    QString decoded;
    return ReadLanguageText(TextView(Bytes, decoded), Signature, Name, Data);
}

TLangFileHeaderInfo ReadLanguageHeader(QByteArrayView Bytes, QStringView Signature, bool LoadFlag)
{
    return readHeaderOfBytes(Bytes, Signature, LoadFlag);
}

void ReadLangHeader(const QStringList &List, const QString &Signature, bool LoadFlag, TLangIDs &IDs)
{
    readHeaderIntoBuffer(joinedLines(List), Signature, LoadFlag, IDs);
}

void ReadLangFileHeader(const QString &FileName, const QString &Signature, bool LoadFlag,
                        TLangIDs &IDs)
{
    IDs.Clear();
    if (FileName.isEmpty() || !QFileInfo(FileName).isFile())
        return;
    TFileBytes file;
    if (!file.Open(FileName)) {
        qCWarning(lcWordmill) << "cannot read" << FileName << ':' << file.ErrorString();
        return;
    }
    bool isLanguageFile = false;
    const TLangFileHeaderInfo info =
        readHeaderOfBytes(file.Bytes(), Signature, LoadFlag, &isLanguageFile);
    storeHeader(info, isLanguageFile, LoadFlag, IDs);
}

void ReadLangStreamHeader(QIODevice &Stream, const QString &Signature, bool LoadFlag, TLangIDs &IDs)
{
    IDs.Clear();
    QStringList lines;
    if (LoadTextLines(Stream, lines))
        readHeaderIntoBuffer(joinedLines(lines), Signature, LoadFlag, IDs);
}

// ---- writing

QString LanguageFileAmbiguity(const TLanguageFileData &Data)
{
    const bool hasSections = !Data.Components.isEmpty() || !Data.Lexicons.isEmpty() ||
                             !Data.GlobalPairs.isEmpty() || !Data.SmartLexicons.isEmpty() ||
                             !Data.Flag.isEmpty();
    if (Data.Headers.isEmpty())
        return hasSections ? u"no header names the language"_s : QString();
    const QString &language = Data.Headers.constLast().Name;
    for (qsizetype h = 0; h < Data.Headers.size(); ++h) {
        const TLangFileHeader &header = Data.Headers.at(h);
        const QString where = u"header of \""_s + header.Name + u"\": "_s;
        if (h + 1 < Data.Headers.size() && header.Name == language)
            return where + u"an earlier header names the same language"_s;
        if (header.Name.contains(u'\r') || header.Name.contains(u'\n'))
            return where + u"the name holds a line break"_s;
        if (!keyIn(header.Name).isEmpty())
            return where + u"the name holds the key "_s + keyIn(header.Name);
        if (const QString problem = fieldProblem(header.Superior, true); !problem.isEmpty())
            return where + u"the superior language "_s + problem;
    }
    for (const TFullStructLine &line : Data.Components) {
        const QString where = u"component "_s + line.CompName + u": "_s;
        if (line.CompName.isEmpty())
            return u"a component line without component name"_s;
        for (const QString *field : {&line.CompName, &line.OwnerName, &line.ItemAddr})
            if (const QString problem = fieldProblem(*field, true); !problem.isEmpty())
                return where + u"a name "_s + problem;
        if (!(line.Changeable & ChangeableTranslatable))
            continue; // written as "%NOTRANS", without text
        if (hasControlChar(line.Translation))
            return where + u"the translation holds a control character"_s;
        if (!keyIn(line.Translation).isEmpty())
            return where + u"the translation holds the key "_s + keyIn(line.Translation);
    }
    for (const TLangFileLexicon &lexicon : Data.Lexicons) {
        const QString where = u"lexicon "_s + lexicon.Name + u": "_s;
        if (lexicon.Name.isEmpty() && !lexicon.IsFormLexicon)
            return u"a lexicon without name"_s;
        if (const QString problem = fieldProblem(lexicon.Name, false); !problem.isEmpty())
            return where + u"the name "_s + problem;
        for (const auto &[number, text] : lexicon.Items) {
            if (number < 0 || number > MaxItemNumber)
                return where + u"item number %1 is out of range"_s.arg(number);
            if (const QString problem = quotedTextProblem(text, false); !problem.isEmpty())
                return where + u"item %1 "_s.arg(number) + problem;
        }
    }
    const auto pairProblem = [](const QList<std::pair<QString, QString>> &pairs) -> QString {
        for (const auto &[original, translation] : pairs) {
            if (QString problem = quotedTextProblem(original, false); !problem.isEmpty())
                return u"the original \""_s + original + u"\" "_s + problem;
            if (QString problem = quotedTextProblem(translation, false); !problem.isEmpty())
                return u"the translation of \""_s + original + u"\" "_s + problem;
        }
        return {};
    };
    if (const QString problem = pairProblem(Data.GlobalPairs); !problem.isEmpty())
        return u"global strings: "_s + problem;
    for (const TLangFileSmartLexicon &lexicon : Data.SmartLexicons) {
        const QString where = u"smart lexicon "_s + lexicon.Name + u": "_s;
        if (lexicon.Name.isEmpty())
            return u"a smart lexicon without name"_s;
        if (const QString problem = fieldProblem(lexicon.Name, false); !problem.isEmpty())
            return where + u"the name "_s + problem;
        if (const QString problem = pairProblem(lexicon.Pairs); !problem.isEmpty())
            return where + problem;
    }
    return {};
}

QString WriteLanguageText(const TLanguageFileData &Data, QStringView Signature)
{
    QString text;
    const auto put = [&text](QStringView line) {
        text += line;
        text += u"\r\n";
    };
    const auto quoted = [](const QString &value) { return u'"' + value + u'"'; };
    const auto field = [](const QString &key, const QString &value) {
        return u'\t' + key + value + u';';
    };

    put(Signature);
    for (const TLangFileHeader &header : Data.Headers) {
        QString line = u"0\t"_s + LangFileKey::LanguageName + quoted(header.Name);
        QString code = header.Code;
        if (NormalizeISOCode(code))
            line += field(LangFileKey::Code, code);
        if (!header.Superior.isEmpty())
            line += field(LangFileKey::Superior, header.Superior);
        line += field(LangFileKey::FileVersion, LangFileVersion);
        put(line);
    }

    for (const TFullStructLine &item : Data.Components) {
        QString line = QString::number(item.PropertyID) + u'\t' +
                       ((item.Changeable & ChangeableTranslatable) ? quoted(item.Translation)
                                                                   : LangFileKey::NoTrans) +
                       field(LangFileKey::Component, item.CompName) +
                       field(LangFileKey::Owner, item.OwnerName);
        if (!item.ItemAddr.isEmpty())
            line += field(LangFileKey::Item, item.ItemAddr);
        if (item.Changeable & ChangeableOld)
            line += u'\t' + LangFileKey::Old;
        put(line);
    }

    put(u"0\t"_s + LangFileKey::LexiconStrings);
    for (const TLangFileLexicon &lexicon : Data.Lexicons) {
        QString line = u"0"_s + field(LangFileKey::LexiconName, lexicon.Name);
        if (lexicon.IsFormLexicon)
            line += u'\t' + LangFileKey::FormLexicon;
        put(line);
        for (const auto &[number, itemText] : lexicon.Items)
            put(QString::number(number) + u'\t' + quoted(itemText));
    }

    put(u"0\t"_s + LangFileKey::SmartStrings);
    const auto putPairs = [&](const QList<std::pair<QString, QString>> &pairs) {
        int number = 0;
        for (const auto &[original, translation] : pairs) {
            const QString id = QString::number(number++) + u'\t';
            put(id + quoted(original));
            put(id + quoted(translation));
        }
    };
    putPairs(Data.GlobalPairs);
    for (const TLangFileSmartLexicon &lexicon : Data.SmartLexicons) {
        put(u"0"_s + field(LangFileKey::LexiconName, lexicon.Name));
        putPairs(lexicon.Pairs);
    }

    if (!Data.Flag.isEmpty())
        formatFlagLines(Data.Flag, put);
    return text;
}

QByteArray WriteLanguageFile(const TLanguageFileData &Data, QStringView Signature,
                             QStringConverter::Encoding Encoding)
{
    if (const QString problem = LanguageFileAmbiguity(Data); !problem.isEmpty())
        qCWarning(lcWordmill) << "language file will not read back as written:" << problem;
    return EncodeText(WriteLanguageText(Data, Signature), Encoding);
}

// ---- the flag section

int HexToBin(QStringView Hex, QByteArray &Buf, int Max)
{
    const qsizetype pairs = Hex.size() / 2;
    const int limit = Max <= 0 ? 0 : int(qMin<qsizetype>(pairs, Max));
    Buf.resize(limit);
    int count = 0;
    for (; count < limit; ++count) {
        const int high = hexDigit(Hex.at(2 * count));
        const int low = hexDigit(Hex.at(2 * count + 1));
        if (high < 0 || low < 0)
            break;
        Buf[count] = char(high * 16 + low);
    }
    Buf.resize(count);
    return count;
}

void WriteFlagIcon(QStringList &List)
{
    formatFlagLines(FlagIconBuffer().data(), [&List](const QString &line) { List.append(line); });
    FlagIconBuffer().seek(0);
}

void ReadFlagIcon(const QStringList &List, int Index)
{
    setFlagBuffer(decodeFlagLines(viewsOf(List), Index));
}

} // namespace wordmill
