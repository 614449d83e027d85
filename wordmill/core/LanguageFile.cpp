// Reading and writing whole languages: the language file format.

#include <wordmill/core/WordmillEngineCore.h>

#include <wordmill/WordmillSys.h>
#include <wordmill/core/LangCoreData.h>
#include <wordmill/core/ProgrammableLexicon.h>
#include <wordmill/sys/FlagBuffer.h>
#include <wordmill/sys/FlagSection.h>
#include <wordmill/sys/SaveFile.h>
#include <wordmill/sys/TextLines.h>
#include <wordmill/toolkit/ComponentNames.h>

#include <QFileInfo>
#include <QStringEncoder>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

const QString LangNameKey = u"%LANGUAGE_NAME="_s;
const QString CodeKey = u"%CODE="_s;
const QString SuperiorKey = u"%SUPERIOR_LANGUAGE="_s;
const QString ComponentKey = u"%COMPONENT="_s;
const QString OwnerKey = u"%OWNER="_s;
const QString ItemKey = u"%ITEM="_s;
const QString LexiconNameKey = u"%LEXICON_NAME="_s;
const QString NoTrans = u"%NOTRANS"_s;
const QString Old = u"%OLD"_s;
const QString WordmillMark = u"%WORDMILL"_s;
const QString LexiconStrings = u"%LEXICON_STRINGS"_s;
const QString SmartStrings = u"%SMART_STRINGS"_s;
const QString FlagIcon = u"%FLAG_ICON"_s;
const QString FileVersion = u"%FILEVER=WMLF1;"_s;
constexpr int MaxItemNumber = 0xFFFF;

// A line of a language file: its integer ID and the value after the first tab.
struct FileLine
{
    int id = 0;
    QString value;
};

bool readLine(const QStringList &lines, int index, FileLine &line)
{
    if (!TryLineID(lines, index, line.id))
        return false;
    const QString &text = lines.at(index);
    const qsizetype tab = text.indexOf(u'\t');
    line.value = tab >= 0 ? text.mid(tab + 1) : QString();
    return true;
}

// A marker line ends a section: its value is no quoted text and holds the
// marker keyword.
bool isMarker(const QString &value, const QString &marker)
{
    return !value.startsWith(u'"') && value.contains(marker);
}

// The line cut of spaces and control characters at both ends.
QString trimmedLine(const QString &text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

QString quoted(const QString &text)
{
    return u'"' + text + u'"';
}

} // namespace

void TWordmillCore::ResetToDesignLanguage(int Flags)
{
    TLangCoreData &d = *fData;
    d.Clear();
    ClearFlagBuffer();
    if (Flags & llAsSuperior) {
        d.CurrentSuperiorLang.Name = fDesignLanguage;
        d.CurrentSuperiorLang.Code = d.DesignLangISO;
    } else {
        fCurrentLanguage = fDesignLanguage;
        fCurrentLangISO = d.DesignLangISO;
    }
    if (fIncludeWordmill && !d.LangFormLexicon->InternalLanguages(fDesignLanguage, d.DesignLangISO, true))
        d.LangFormLexicon->LoadLang(EnglishDefs());
}

bool TWordmillCore::LoadLanguage(const QString &Name, int Flags, const QString &Chain)
{
    ResetToDesignLanguage(Flags);
    TLangCoreData &d = *fData;
    const int index = d.IndexOfLanguage(Name);
    if (index == 0)
        return true; // the design language has no data
    if (index < 0)
        return false;

    QStringList lines;
    bool read = false;
    const QString source = d.FileNames.at(index);
    if (QFileInfo(source).isFile()) {
        read = LoadTextFile(source, lines);
    } else if (fLangResources.contains(source)) {
        if (std::unique_ptr<QIODevice> resource = OpenResourceLanguage(source))
            read = LoadTextLines(*resource, lines);
    }
    if (!read || !ReadLanguageLines(Name, Flags, Chain, lines)) {
        ResetToDesignLanguage(Flags);
        return false;
    }
    return true;
}

bool TWordmillCore::LoadSuperiorLanguage(const QString &HeaderValue, const QString &Name,
                                         int Flags, const QString &Chain)
{
    TLangCoreData &d = *fData;
    QString superior = ExtractField(HeaderValue, SuperiorKey);
    if (superior.isEmpty() || d.IndexOfLanguage(superior) < 0
        || Chain.contains(u'-' + superior + u'-'))
        superior = fDesignLanguage;
    const QString chain = Chain.isEmpty() ? u'-' + Name + u'-' : Chain + Name + u'-';
    LoadLanguage(superior, llAsSuperior, chain);
    d.NewLanguage();
    // The editor's load: what is loaded so far is the source language.
    if (Chain.isEmpty() && (Flags & llAddLines))
        d.CompleteSourceData();
    return true;
}

bool TWordmillCore::ReadLanguageLines(const QString &Name, int Flags, const QString &Chain,
                                      const QStringList &Lines)
{
    TLangCoreData &d = *fData;
    if (Lines.isEmpty())
        return false;
    if (trimmedLine(Lines.first()) != u'[' + fLangFileSign + u']')
        return false;

    // Header: the first header line that names this language exactly, else
    // the last header line. Only that line's code and superior count: every
    // superior load starts from empty stores, so loading the superior of an
    // earlier header line as well would only be thrown away again, at a cost
    // that doubles with every level of a chain.
    const int count = int(Lines.size());
    int sectionStart = count;
    bool hasHeader = false;
    QString header;
    for (int i = 1; i < count; ++i) {
        const QString &text = Lines.at(i);
        if (!text.contains(LangNameKey))
            continue;
        const qsizetype tab = text.indexOf(u'\t');
        header = tab >= 0 ? text.mid(tab + 1) : text;
        hasHeader = true;
        if (ExtractQuoted(header) == Name) {
            sectionStart = i + 1;
            break;
        }
    }
    QString code;
    if (hasHeader) {
        code = ExtractField(header, CodeKey);
        NormalizeISOCode(code);
        LoadSuperiorLanguage(header, Name, Flags, Chain);
    }
    FileLine line;

    // Component section.
    int i = sectionStart;
    for (; i < count; ++i) {
        if (!readLine(Lines, i, line))
            continue;
        if (isMarker(line.value, LexiconStrings))
            break;
        if (line.value.size() < 3 || line.id < 0 || line.id > MaxItemNumber)
            continue;
        TFullStructLine item;
        item.CompName = ExtractField(line.value, ComponentKey);
        if (item.CompName.isEmpty())
            continue;
        item.PropertyID = quint16(line.id);
        item.OwnerName = ExtractField(line.value, OwnerKey);
        item.ItemAddr = ExtractField(line.value, ItemKey);
        item.Translation = ExtractQuotedText(line.value);
        item.Descent = DescentOwn;
        item.Changeable = line.value.contains(NoTrans) ? 0 : ChangeableTranslatable;
        if (line.value.contains(Old))
            item.Changeable |= ChangeableOld;
        if ((Flags & llMarkOld) && !d.SpanClients.IsRegistered(item))
            item.Changeable |= ChangeableOld;
        if (Flags & llAddLines) {
            d.DataStruct.AddLine(item);
            continue;
        }
        const int found = d.DataStruct.Find(item);
        if (found < 0) {
            d.DataStruct.AddLine(item);
            continue;
        }
        // "%NOTRANS" keeps the inherited translation as this language's own.
        const QString translation = (item.Changeable & ChangeableTranslatable)
                                        ? item.Translation
                                        : d.DataStruct.Translation(found);
        d.DataStruct.SetupLine(found, translation, DescentOwn, item.Changeable);
    }

    // Lexicon section.
    QString lexicon;
    for (++i; i < count; ++i) {
        if (!readLine(Lines, i, line))
            continue;
        if (isMarker(line.value, SmartStrings))
            break;
        if (line.value.size() < 3)
            continue;
        if (!line.value.startsWith(u'"')) {
            lexicon = line.value.contains(WordmillMark) ? QualifiedName(d.LangFormLexicon)
                                                         : ExtractField(line.value, LexiconNameKey);
            if (lexicon.isEmpty())
                return false;
            d.DataLexicon.NewLexicon(lexicon);
            continue;
        }
        const QString text = ExtractQuotedText(line.value);
        if (line.id >= 0 && line.id <= MaxItemNumber && !text.isEmpty() && !lexicon.isEmpty())
            d.DataLexicon.WriteItem(lexicon, line.id, text, DescentOwn);
    }

    // Smart-string section: pairs of original and translation with one ID.
    QString smartLexicon;
    int flagMarker = -1;
    for (++i; i < count; ++i) {
        if (!readLine(Lines, i, line))
            continue;
        if (isMarker(line.value, FlagIcon)) {
            flagMarker = i;
            break;
        }
        if (line.value.size() < 3)
            continue;
        if (!line.value.startsWith(u'"') && line.value.contains(LexiconNameKey)) {
            smartLexicon = ExtractField(line.value, LexiconNameKey);
            if (smartLexicon.isEmpty())
                return false;
            d.SmartLexicon.NewLexicon(smartLexicon);
            continue;
        }
        const QString original = ExtractQuotedText(line.value);
        if (original.isEmpty())
            continue;
        int next = i + 1;
        FileLine translationLine;
        while (next < count && !readLine(Lines, next, translationLine))
            ++next;
        if (next >= count)
            break;
        const QString translation = ExtractQuotedText(translationLine.value);
        if (translationLine.id == line.id && !translation.isEmpty()) {
            if (smartLexicon.isEmpty())
                d.SmartLexicon.AddItem(original, translation, DescentOwn);
            else
                d.SmartLexicon.AddItem(smartLexicon, original, translation, DescentOwn);
            i = next;
        } else {
            i = next - 1; // the next line starts a new pair
        }
    }

    // The library's own texts of a built-in language come from its table.
    TLangFormLexicon *formLexicon = d.LangFormLexicon;
    if (formLexicon->InternalLanguages(Name, code, fIncludeWordmill)) {
        d.DataLexicon.DeleteLexicon(QualifiedName(formLexicon));
        if (code.isEmpty() && fIncludeWordmill)
            code = formLexicon->InternalLanguage().Code;
    }

    if ((Flags & llReadFlag) && flagMarker >= 0)
        ReadFlagIcon(Lines, flagMarker + 1);

    if (Flags & llAsSuperior) {
        d.CurrentSuperiorLang.Name = Name;
        d.CurrentSuperiorLang.Code = code;
    } else {
        fCurrentLanguage = Name;
        fCurrentLangISO = code;
        if (d.CurrentSuperiorLang.Name.isEmpty()) {
            d.CurrentSuperiorLang.Name = fDesignLanguage;
            d.CurrentSuperiorLang.Code = d.DesignLangISO;
        }
    }
    return true;
}

void TWordmillCore::SaveLanguageFile(const QString &Name, const QString &SuperiorName,
                                     const QString &Code, const QString &FileName)
{
    EnsureLangsDir();
    if (Name.isEmpty() || FileName.isEmpty())
        return;
    TLangCoreData &d = *fData;
    QStringList lines;
    lines.reserve(d.DataStruct.Count() + 16);
    lines << u'[' + fLangFileSign + u']';

    QString header = u"0\t"_s + LangNameKey + quoted(Name);
    QString code = Code;
    if (NormalizeISOCode(code))
        header += u'\t' + CodeKey + code + u';';
    if (!SuperiorName.isEmpty())
        header += u'\t' + SuperiorKey + SuperiorName + u';';
    header += u'\t' + FileVersion;
    lines << header;

    for (int i = 0; i < d.DataStruct.Count(); ++i) {
        const TFullStructLine item = d.DataStruct.GetFull(i);
        QString text = QString::number(item.PropertyID) + u'\t'
                       + ((item.Changeable & ChangeableTranslatable) ? quoted(item.Translation)
                                                                     : NoTrans)
                       + u'\t' + ComponentKey + item.CompName + u';' + u'\t' + OwnerKey
                       + item.OwnerName + u';';
        if (!item.ItemAddr.isEmpty())
            text += u'\t' + ItemKey + item.ItemAddr + u';';
        if (item.Changeable & ChangeableOld)
            text += u'\t' + Old;
        lines << text;
    }

    lines << u"0\t"_s + LexiconStrings;
    const QString formLexiconName = QualifiedName(d.LangFormLexicon);
    for (int l = 0; l < d.DataLexicon.LexiconCount(); ++l) {
        const QString lexicon = d.DataLexicon.LexiconName(l);
        QStringList items;
        const int max = d.DataLexicon.MaxItemNr(lexicon);
        for (int n = 0; n <= max; ++n) {
            if (!d.DataLexicon.IsIncluded(lexicon, n))
                continue;
            const QString text = d.DataLexicon.ReadItem(lexicon, n);
            if (!text.isEmpty())
                items << QString::number(n) + u'\t' + quoted(text);
        }
        if (items.isEmpty())
            continue;
        QString lexiconLine = u"0\t"_s + LexiconNameKey + lexicon + u';';
        if (lexicon == formLexiconName)
            lexiconLine += u'\t' + WordmillMark;
        lines << lexiconLine << items;
    }

    lines << u"0\t"_s + SmartStrings;
    int pair = 0;
    for (int n = 0; n <= d.SmartLexicon.MaxItemNr(); ++n) {
        if (!d.SmartLexicon.IsIncluded(n))
            continue;
        const QString id = QString::number(pair++) + u'\t';
        lines << id + quoted(d.SmartLexicon.GetLocStr(n)) << id + quoted(d.SmartLexicon.ReadItem(n));
    }
    for (int l = 0; l < d.SmartLexicon.LexiconCount(); ++l) {
        const QString lexicon = d.SmartLexicon.LexiconName(l);
        if (d.SmartLexicon.ItemsCount(lexicon) == 0)
            continue;
        lines << u"0\t"_s + LexiconNameKey + lexicon + u';';
        pair = 0;
        for (int n = 0; n <= d.SmartLexicon.MaxItemNr(lexicon); ++n) {
            if (!d.SmartLexicon.IsIncluded(lexicon, n))
                continue;
            const QString id = QString::number(pair++) + u'\t';
            lines << id + quoted(d.SmartLexicon.GetLocStr(lexicon, n))
                  << id + quoted(d.SmartLexicon.ReadItem(lexicon, n));
        }
    }

    if (FlagBufferHasData())
        WriteFlagIcon(lines);

    QString text = lines.join(u"\r\n"_s);
    text += u"\r\n"_s;
    QByteArray bytes;
    switch (fLangFileEncoding) {
    case TLFEncoding::Unicode:
        bytes = QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)(text);
        break;
    case TLFEncoding::BigEndianUnicode:
        bytes = QStringEncoder(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom)(text);
        break;
    case TLFEncoding::UTF8:
        bytes = QStringEncoder(QStringConverter::Utf8, QStringConverter::Flag::WriteBom)(text);
        break;
    case TLFEncoding::ANSI:
        bytes = QStringEncoder(QStringConverter::System)(text);
        break;
    }

    // Written beside the target and renamed over it: a failed save leaves
    // the previous file intact.
    const QString failure = SaveFileContents(FileName, bytes);
    if (!failure.isEmpty())
        throw EWordmillFileError(FileName + u": "_s + failure);
}

} // namespace wordmill
