#include "LanguageFile.h"

#include <wordmill/sys/FlagBuffer.h>
#include <wordmill/sys/LanguageNames.h>
#include <wordmill/sys/Logging.h>
#include <wordmill/sys/OneLineForm.h>
#include <wordmill/sys/TextLines.h>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

#include <limits>

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
    bool ok = false;
    const int id = line.left(tab).toInt(&ok, 10);
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

// The picture of a flag section whose data lines start at `from`: the value
// of every later line that has a tab, whatever its ID.
QByteArray decodeFlagLines(const Lines &lines, qsizetype from)
{
    QByteArray picture;
    QByteArray bytes;
    for (qsizetype i = qMax<qsizetype>(from, 0); i < lines.size(); ++i) {
        const QStringView line = lines.at(i);
        const qsizetype tab = line.indexOf(u'\t');
        if (tab < 0)
            continue;
        HexToBin(line.sliced(tab + 1), bytes, MaxFlagBytesPerLine);
        picture.append(bytes);
    }
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

TLangFileReadResult readLanguage(const Lines &lines, QStringView signature, QStringView name,
                                 TLanguageFileData &data)
{
    data = TLanguageFileData();
    if (lines.isEmpty() || trimLine(lines.first()) != signature)
        return failure(TLangFileError::NoSignature, 0);
    const qsizetype count = lines.size();

    // Header: every line naming a language counts (its superior is loaded)
    // until one names this language exactly; the sections follow it.
    qsizetype i = count;
    for (qsizetype h = 1; h < count; ++h) {
        const QStringView text = lines.at(h);
        if (!text.contains(LangFileKey::LanguageName))
            continue;
        const qsizetype tab = text.indexOf(u'\t');
        const QStringView value = tab >= 0 ? text.sliced(tab + 1) : text;
        TLangFileHeader header;
        header.Name = quotedView(value).toString();
        header.Code = fieldView(value, LangFileKey::Code).toString();
        NormalizeISOCode(header.Code);
        header.Superior = fieldView(value, LangFileKey::Superior).toString();
        header.FileVersion = fieldView(value, LangFileKey::FileVersion).toString();
        const bool found = header.Name == name;
        data.Headers.append(std::move(header));
        if (found) {
            i = h + 1;
            break;
        }
    }

    // Component section.
    IdLine line;
    for (; i < count; ++i) {
        if (!parseIdLine(lines.at(i), line))
            continue;
        if (isMarker(line.value, LangFileKey::LexiconStrings))
            break;
        if (line.value.size() < 3 || line.id < 0 || line.id > MaxItemNumber)
            continue;
        TFullStructLine item;
        item.CompName = fieldView(line.value, LangFileKey::Component).toString();
        if (item.CompName.isEmpty())
            continue;
        item.PropertyID = quint16(line.id);
        item.OwnerName = fieldView(line.value, LangFileKey::Owner).toString();
        item.ItemAddr = fieldView(line.value, LangFileKey::Item).toString();
        item.Translation = ExtractQuotedText(line.value);
        item.Descent = DescentOwn;
        item.Changeable = line.value.contains(LangFileKey::NoTrans) ? 0 : ChangeableTranslatable;
        if (line.value.contains(LangFileKey::Old))
            item.Changeable |= ChangeableOld;
        data.Components.append(std::move(item));
    }

    // Lexicon section: a lexicon line opens a lexicon, item lines follow.
    qsizetype lexicon = -1;
    for (++i; i < count; ++i) {
        if (!parseIdLine(lines.at(i), line))
            continue;
        if (isMarker(line.value, LangFileKey::SmartStrings))
            break;
        if (line.value.size() < 3)
            continue;
        if (!line.value.startsWith(u'"')) {
            TLangFileLexicon opened;
            opened.IsFormLexicon = line.value.contains(LangFileKey::FormLexicon);
            opened.Name = fieldView(line.value, LangFileKey::LexiconName).toString();
            if (!opened.IsFormLexicon && opened.Name.isEmpty())
                return failure(TLangFileError::LexiconWithoutName, i);
            data.Lexicons.append(std::move(opened));
            lexicon = data.Lexicons.size() - 1;
            continue;
        }
        QString text = ExtractQuotedText(line.value);
        if (line.id >= 0 && line.id <= MaxItemNumber && !text.isEmpty() && lexicon >= 0)
            data.Lexicons[lexicon].Items.append({line.id, std::move(text)});
    }

    // Smart-string section: global pairs, then smart lexicons with theirs. A
    // pair is an original and the next line with an integer ID, when that
    // has the same ID and a text; otherwise that line starts the next pair.
    qsizetype smartLexicon = -1;
    qsizetype flagMarker = -1;
    for (++i; i < count; ++i) {
        if (!parseIdLine(lines.at(i), line))
            continue;
        if (isMarker(line.value, LangFileKey::FlagIcon)) {
            flagMarker = i;
            break;
        }
        if (line.value.size() < 3)
            continue;
        if (!line.value.startsWith(u'"') && line.value.contains(LangFileKey::LexiconName)) {
            TLangFileSmartLexicon opened;
            opened.Name = fieldView(line.value, LangFileKey::LexiconName).toString();
            if (opened.Name.isEmpty())
                return failure(TLangFileError::SmartLexiconWithoutName, i);
            data.SmartLexicons.append(std::move(opened));
            smartLexicon = data.SmartLexicons.size() - 1;
            continue;
        }
        QString original = ExtractQuotedText(line.value);
        if (original.isEmpty())
            continue;
        qsizetype next = i + 1;
        IdLine translationLine;
        while (next < count && !parseIdLine(lines.at(next), translationLine))
            ++next;
        if (next >= count)
            break;
        QString translation = ExtractQuotedText(translationLine.value);
        if (translationLine.id == line.id && !translation.isEmpty()) {
            auto &pairs =
                smartLexicon < 0 ? data.GlobalPairs : data.SmartLexicons[smartLexicon].Pairs;
            pairs.append({std::move(original), std::move(translation)});
            i = next;
        } else {
            i = next - 1;
        }
    }

    if (flagMarker >= 0)
        data.Flag = decodeFlagLines(lines, flagMarker + 1);
    return {};
}

TLangFileHeaderInfo readHeader(const Lines &lines, QStringView signature, bool loadFlag,
                               bool *isLanguageFile = nullptr)
{
    TLangFileHeaderInfo info;
    if (isLanguageFile)
        *isLanguageFile = false;
    if (lines.size() < 3 || trimLine(lines.first()) != signature)
        return info;
    if (isLanguageFile)
        *isLanguageFile = true;

    // The first header line that names a language gives name and code.
    qsizetype next = lines.size();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringView value = valueOf(lines.at(i));
        if (!value.contains(LangFileKey::LanguageName))
            continue;
        info.IDs.Code = fieldView(value, LangFileKey::Code).toString();
        const QStringView name = quotedView(value);
        if (!name.isEmpty()) {
            info.IDs.Name = name.toString();
            next = i + 1;
            break;
        }
    }
    NormalizeISOCode(info.IDs.Code);

    if (!loadFlag)
        return info;
    for (qsizetype i = next; i < lines.size(); ++i) {
        const QStringView value = valueOf(lines.at(i));
        if (value.size() > 2 && isMarker(value, LangFileKey::FlagIcon)) {
            info.Flag = decodeFlagLines(lines, i + 1);
            break;
        }
    }
    return info;
}

void setFlagBuffer(const QByteArray &picture)
{
    QBuffer &buffer = FlagIconBuffer();
    buffer.close();
    buffer.setData(picture);
    buffer.open(QIODevice::ReadWrite);
}

void readHeaderIntoBuffer(const Lines &lines, QStringView signature, bool loadFlag, TLangIDs &ids)
{
    bool isLanguageFile = false;
    const TLangFileHeaderInfo info = readHeader(lines, signature, loadFlag, &isLanguageFile);
    ids = info.IDs;
    if (isLanguageFile && loadFlag)
        setFlagBuffer(info.Flag);
}

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
    }
    return {};
}

TLangFileReadResult ReadLanguageText(QStringView Text, QStringView Signature, QStringView Name,
                                     TLanguageFileData &Data)
{
    return readLanguage(SplitLineViews(Text), Signature, Name, Data);
}

TLangFileReadResult ReadLanguageFile(QByteArrayView Bytes, QStringView Signature, QStringView Name,
                                     TLanguageFileData &Data)
{
    const QString text = DecodeText(Bytes);
    return ReadLanguageText(text, Signature, Name, Data);
}

TLangFileHeaderInfo ReadLanguageHeader(QByteArrayView Bytes, QStringView Signature, bool LoadFlag)
{
    const QString text = DecodeText(Bytes);
    return readHeader(SplitLineViews(text), Signature, LoadFlag);
}

void ReadLangHeader(const QStringList &List, const QString &Signature, bool LoadFlag, TLangIDs &IDs)
{
    readHeaderIntoBuffer(viewsOf(List), Signature, LoadFlag, IDs);
}

void ReadLangFileHeader(const QString &FileName, const QString &Signature, bool LoadFlag,
                        TLangIDs &IDs)
{
    IDs.Clear();
    if (FileName.isEmpty() || !QFileInfo(FileName).isFile())
        return;
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcWordmill) << "cannot read" << FileName << ':' << file.errorString();
        return;
    }
    const QString text = DecodeText(file.readAll());
    readHeaderIntoBuffer(SplitLineViews(text), Signature, LoadFlag, IDs);
}

void ReadLangStreamHeader(QIODevice &Stream, const QString &Signature, bool LoadFlag, TLangIDs &IDs)
{
    IDs.Clear();
    QStringList lines;
    if (LoadTextLines(Stream, lines))
        readHeaderIntoBuffer(viewsOf(lines), Signature, LoadFlag, IDs);
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
