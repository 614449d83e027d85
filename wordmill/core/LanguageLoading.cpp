// Loading and saving whole languages: the superior chain, merging a file's
// lines onto what the chain left, and writing the current data back.

#include <wordmill/core/WordmillEngineCore.h>

#include <wordmill/WordmillSys.h>
#include <wordmill/core/LangCoreData.h>
#include <wordmill/core/ProgrammableLexicon.h>
#include <wordmill/sys/FileBytes.h>
#include <wordmill/sys/FlagBuffer.h>
#include <wordmill/sys/LanguageFile.h>
#include <wordmill/sys/Logging.h>
#include <wordmill/sys/SaveFile.h>
#include <wordmill/sys/TextLines.h>
#include <wordmill/toolkit/ComponentNames.h>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

#include <functional>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

QStringConverter::Encoding FileEncoding(TLFEncoding encoding)
{
    switch (encoding) {
    case TLFEncoding::Unicode:
        return QStringConverter::Utf16LE;
    case TLFEncoding::BigEndianUnicode:
        return QStringConverter::Utf16BE;
    case TLFEncoding::UTF8:
        return QStringConverter::Utf8;
    case TLFEncoding::ANSI:
        break;
    }
    return QStringConverter::System;
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
    if (fIncludeWordmill &&
        !d.LangFormLexicon->InternalLanguages(fDesignLanguage, d.DesignLangISO, true))
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

    const QString source = d.LanguageEntries().at(index).Source;
    // A plain switch (no editor, not a superior) may come from the compiled
    // cache, and otherwise records the files it reads to write one.
    QList<TLanguageCacheSource> chain;
    const bool cacheable =
        Flags == 0 && Chain.isEmpty() && !fChainRecord && !LanguageCacheFolder().isEmpty();
    if (cacheable) {
        if (LoadCachedLanguage(Name, source))
            return true;
        fChainRecord = &chain;
        fChainCacheable = true;
    }
    const bool loaded = LoadLanguageFile(Name, Flags, Chain, source);
    if (cacheable) {
        fChainRecord = nullptr;
        if (loaded && fChainCacheable)
            StoreLanguageCache(Name, source, chain);
    }
    return loaded;
}

bool TWordmillCore::LoadLanguageFile(const QString &Name, int Flags, const QString &Chain,
                                     const QString &Source)
{
    TFileBytes bytes;
    if (!ReadLanguageSource(Source, bytes)) {
        qCWarning(lcWordmill) << "cannot load language" << Name << "from" << Source;
        fChainCacheable = false;
        return false;
    }
    qsizetype recorded = -1;
    if (fChainRecord) {
        // Embedded languages are not cached: only files can be checked.
        if (QFileInfo(Source).isFile()) {
            recorded = fChainRecord->size();
            fChainRecord->append(
                {Name, Source, QString(), bytes.Bytes().size(), LanguageCacheHash(bytes.Bytes())});
        } else {
            fChainCacheable = false;
        }
    }
    if (!ApplyLanguageFile(Name, Flags, Chain, Source, bytes.Bytes())) {
        fChainCacheable = false;
        ResetToDesignLanguage(Flags);
        return false;
    }
    if (recorded >= 0)
        (*fChainRecord)[recorded].Code =
            (Flags & llAsSuperior) ? fData->CurrentSuperiorLang.Code : fCurrentLangISO;
    return true;
}

bool TWordmillCore::ReadLanguageSource(const QString &Source, TFileBytes &Bytes)
{
    if (QFileInfo(Source).isFile()) {
        if (!Bytes.Open(Source)) {
            qCWarning(lcWordmill) << "cannot read" << Source << ':' << Bytes.ErrorString();
            return false;
        }
        return true;
    }
    if (!fLangResources.contains(Source))
        return false;
    std::unique_ptr<QIODevice> resource = OpenResourceLanguage(Source);
    if (!resource) {
        qCWarning(lcWordmill) << "no embedded language" << Source;
        return false;
    }
    Bytes.SetBytes(resource->readAll());
    return true;
}

void TWordmillCore::LoadSuperiorLanguage(const QString &Superior, const QString &Name, int Flags,
                                         const QString &Chain)
{
    TLangCoreData &d = *fData;
    QString superior = Superior;
    if (superior.isEmpty() || d.IndexOfLanguage(superior) < 0 ||
        Chain.contains(u'-' + superior + u'-'))
        superior = fDesignLanguage;
    const QString chain = Chain.isEmpty() ? u'-' + Name + u'-' : Chain + Name + u'-';
    LoadLanguage(superior, llAsSuperior, chain);
    d.NewLanguage();
    // The editor's load: what is loaded so far is the source language.
    if (Chain.isEmpty() && (Flags & llAddLines))
        d.CompleteSourceData();
}

namespace {

// Merges the lines of a language file into the engine's stores while the
// file is read: every text is made once, straight from the file.
class StoreMerge : public TLangFileSink
{
public:
    StoreMerge(TLangCoreData &data, int flags, QString formLexiconName,
               std::function<void(const TLangFileHeaderView &)> loadSuperior)
        : d(data), Flags(flags), FormLexiconName(std::move(formLexiconName)),
          LoadSuperior(std::move(loadSuperior))
    {
    }

    bool Sections(const TLangFileHeaderView *header) override
    {
        // The header that names the language (else the file's last one)
        // gives the code and the superior.
        if (!header)
            return true;
        Code = header->Code.toString();
        NormalizeISOCode(Code);
        LoadSuperior(*header);
        return true;
    }

    bool Component(const TLangFileComponentView &line) override
    {
        quint16 changeable = line.Changeable;
        const QString key =
            ComposeLineID(line.CompName, line.OwnerName, line.PropertyID, line.ItemAddr);
        if ((Flags & llMarkOld) && !d.SpanClients.IsRegistered(Registered(line)))
            changeable |= ChangeableOld;
        bool added = false;
        TStructItem &item = d.DataStruct.FindOrAddLine(key, added);
        // "%NOTRANS" keeps the inherited translation as this language's own;
        // the editor's load takes every line as it is.
        if (added || (Flags & llAddLines) || (changeable & ChangeableTranslatable))
            item.Translation = OneLineText(line.Translation);
        item.Descent = DescentOwn;
        item.Changeable = changeable;
        return true;
    }

    bool Lexicon(QStringView name, bool isFormLexicon) override
    {
        LexiconName = isFormLexicon ? FormLexiconName : name.toString();
        if (LexiconName.isEmpty()) {
            Problem = u"the engine's own lexicon has no name"_s;
            return false;
        }
        d.DataLexicon.NewLexicon(LexiconName);
        return true;
    }

    bool Item(int number, QStringView text) override
    {
        d.DataLexicon.WriteItem(LexiconName, number, OneLineText(text), DescentOwn);
        return true;
    }

    bool SmartLexicon(QStringView name) override
    {
        SmartName = name.toString();
        d.SmartLexicon.NewLexicon(SmartName);
        return true;
    }

    bool Pair(QStringView original, QStringView translation) override
    {
        if (SmartName.isEmpty())
            d.SmartLexicon.AddItem(OneLineText(original), OneLineText(translation), DescentOwn);
        else
            d.SmartLexicon.AddItem(SmartName, OneLineText(original), OneLineText(translation),
                                   DescentOwn);
        return true;
    }

    void Flag(const QByteArray &picture) override { Picture = picture; }

    QString Code;
    QByteArray Picture;
    QString Problem;

private:
    static TFullStructLine Registered(const TLangFileComponentView &line)
    {
        TFullStructLine item;
        item.CompName = line.CompName.toString();
        item.OwnerName = line.OwnerName.toString();
        item.ItemAddr = line.ItemAddr.toString();
        item.PropertyID = line.PropertyID;
        return item;
    }

    TLangCoreData &d;
    const int Flags;
    const QString FormLexiconName;
    const std::function<void(const TLangFileHeaderView &)> LoadSuperior;
    QString LexiconName;
    QString SmartName;
};

} // namespace

bool TWordmillCore::ApplyLanguageFile(const QString &Name, int Flags, const QString &Chain,
                                      const QString &Source, QByteArrayView Bytes)
{
    TLangCoreData &d = *fData;
    QString decoded;
    const QStringView text = TextView(Bytes, decoded);
    const QString signature = u'[' + fLangFileSign + u']';
    const auto refuse = [&](const QString &reason) {
        qCWarning(lcWordmill).noquote()
            << "language" << Name << "in" << Source << "not loaded:" << reason;
        return false;
    };

    // The editor's load completes its source data as soon as the superiors
    // are in: a file that fails later must not get that far.
    if ((Flags & llAddLines) && Chain.isEmpty()) {
        TLangFileSink check;
        if (const TLangFileReadResult read = ReadLanguageText(text, signature, Name, check); !read)
            return refuse(read.Message());
    }

    // Only the superior of the header that names the language is loaded:
    // every superior load starts from empty stores, so loading the superior
    // of an earlier header line as well would only be thrown away again, at
    // a cost that doubles with every level of a chain.
    const QString formLexiconName = QualifiedName(d.LangFormLexicon);
    StoreMerge merge(d, Flags, formLexiconName, [&](const TLangFileHeaderView &header) {
        LoadSuperiorLanguage(header.Superior.toString(), Name, Flags, Chain);
    });
    if (const TLangFileReadResult read = ReadLanguageText(text, signature, Name, merge); !read)
        return refuse(merge.Problem.isEmpty() ? read.Message() : merge.Problem);
    QString code = merge.Code;

    // The library's own texts of a built-in language come from its table.
    TLangFormLexicon *formLexicon = d.LangFormLexicon;
    if (formLexicon->InternalLanguages(Name, code, fIncludeWordmill)) {
        d.DataLexicon.DeleteLexicon(formLexiconName);
        if (code.isEmpty() && fIncludeWordmill)
            code = formLexicon->InternalLanguage().Code;
    }

    if (Flags & llReadFlag) {
        QBuffer &flag = FlagIconBuffer();
        flag.close();
        flag.setData(merge.Picture);
        flag.open(QIODevice::ReadWrite);
    }

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

TLanguageFileData TWordmillCore::LanguageFileData(const QString &Name, const QString &SuperiorName,
                                                  const QString &Code) const
{
    const TLangCoreData &d = *fData;
    TLanguageFileData file;
    file.Headers.append({Name, Code, SuperiorName, LangFileVersion});

    file.Components.reserve(d.DataStruct.Count());
    for (int i = 0; i < d.DataStruct.Count(); ++i)
        file.Components.append(d.DataStruct.GetFull(i));

    // Only lexicons with a text are written, and only items with one.
    const QString formLexiconName = QualifiedName(d.LangFormLexicon);
    for (int l = 0; l < d.DataLexicon.LexiconCount(); ++l) {
        TLangFileLexicon lexicon;
        lexicon.Name = d.DataLexicon.LexiconName(l);
        lexicon.IsFormLexicon = lexicon.Name == formLexiconName;
        const int max = d.DataLexicon.MaxItemNr(lexicon.Name);
        for (int n = 0; n <= max; ++n) {
            if (!d.DataLexicon.IsIncluded(lexicon.Name, n))
                continue;
            QString text = d.DataLexicon.ReadItem(lexicon.Name, n);
            if (!text.isEmpty())
                lexicon.Items.append({n, std::move(text)});
        }
        if (!lexicon.Items.isEmpty())
            file.Lexicons.append(std::move(lexicon));
    }

    const TSmartLexiconData &smart = d.SmartLexicon;
    for (int n = 0; n <= smart.MaxItemNr(); ++n)
        if (smart.IsIncluded(n))
            file.GlobalPairs.append({smart.GetLocStr(n), smart.ReadItem(n)});
    for (int l = 0; l < smart.LexiconCount(); ++l) {
        TLangFileSmartLexicon lexicon;
        lexicon.Name = smart.LexiconName(l);
        if (smart.ItemsCount(lexicon.Name) == 0)
            continue;
        for (int n = 0; n <= smart.MaxItemNr(lexicon.Name); ++n)
            if (smart.IsIncluded(lexicon.Name, n))
                lexicon.Pairs.append(
                    {smart.GetLocStr(lexicon.Name, n), smart.ReadItem(lexicon.Name, n)});
        file.SmartLexicons.append(std::move(lexicon));
    }

    if (FlagBufferHasData())
        file.Flag = FlagIconBuffer().data();

    return file;
}

void TWordmillCore::SaveLanguageFile(const QString &Name, const QString &SuperiorName,
                                     const QString &Code, const QString &FileName)
{
    EnsureLangsDir();
    if (Name.isEmpty() || FileName.isEmpty())
        return;
    const QByteArray bytes =
        WriteLanguageFile(LanguageFileData(Name, SuperiorName, Code), u'[' + fLangFileSign + u']',
                          FileEncoding(fLangFileEncoding));
    // Written beside the target and renamed over it: a failed save leaves
    // the previous file intact.
    const QString failure = SaveFileContents(FileName, bytes);
    if (!failure.isEmpty()) {
        qCWarning(lcWordmill).noquote()
            << "cannot save language" << Name << "to" << FileName << ':' << failure;
        throw EWordmillFileError(FileName + u": "_s + failure);
    }
}

} // namespace wordmill
