// Loading and saving whole languages: the superior chain, merging a file's
// lines onto what the chain left, and writing the current data back.

#include <wordmill/core/WordmillEngineCore.h>

#include <wordmill/WordmillSys.h>
#include <wordmill/core/LangCoreData.h>
#include <wordmill/core/ProgrammableLexicon.h>
#include <wordmill/sys/FlagBuffer.h>
#include <wordmill/sys/LanguageFile.h>
#include <wordmill/sys/Logging.h>
#include <wordmill/sys/SaveFile.h>
#include <wordmill/toolkit/ComponentNames.h>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

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
    QByteArray bytes;
    if (!ReadLanguageSource(source, bytes)) {
        qCWarning(lcWordmill) << "cannot load language" << Name << "from" << source;
        return false;
    }
    if (!ApplyLanguageFile(Name, Flags, Chain, source, bytes)) {
        ResetToDesignLanguage(Flags);
        return false;
    }
    return true;
}

bool TWordmillCore::ReadLanguageSource(const QString &Source, QByteArray &Bytes)
{
    Bytes.clear();
    if (QFileInfo(Source).isFile()) {
        QFile file(Source);
        if (!file.open(QIODevice::ReadOnly)) {
            qCWarning(lcWordmill) << "cannot read" << Source << ':' << file.errorString();
            return false;
        }
        Bytes = file.readAll();
        return true;
    }
    if (!fLangResources.contains(Source))
        return false;
    std::unique_ptr<QIODevice> resource = OpenResourceLanguage(Source);
    if (!resource) {
        qCWarning(lcWordmill) << "no embedded language" << Source;
        return false;
    }
    Bytes = resource->readAll();
    return true;
}

void TWordmillCore::LoadSuperiorLanguage(const QString &Superior, const QString &Name,
                                         int Flags, const QString &Chain)
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

bool TWordmillCore::ApplyLanguageFile(const QString &Name, int Flags, const QString &Chain,
                                      const QString &Source, QByteArrayView Bytes)
{
    TLangCoreData &d = *fData;
    TLanguageFileData file;
    const TLangFileReadResult read =
        ReadLanguageFile(Bytes, u'[' + fLangFileSign + u']', Name, file);
    if (!read) {
        qCWarning(lcWordmill).noquote()
            << "language" << Name << "in" << Source << "not loaded:" << read.Message();
        return false;
    }

    // The header that names the language (else the file's last one) gives
    // the code and the superior. Only its superior is loaded: every superior
    // load starts from empty stores, so loading the superior of an earlier
    // header line as well would only be thrown away again, at a cost that
    // doubles with every level of a chain.
    QString code;
    if (!file.Headers.isEmpty()) {
        const TLangFileHeader &header = file.Headers.constLast();
        code = header.Code;
        LoadSuperiorLanguage(header.Superior, Name, Flags, Chain);
    }

    for (TFullStructLine &item : file.Components) {
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

    const QString formLexiconName = QualifiedName(d.LangFormLexicon);
    for (const TLangFileLexicon &lexicon : std::as_const(file.Lexicons)) {
        const QString name = lexicon.IsFormLexicon ? formLexiconName : lexicon.Name;
        if (name.isEmpty()) {
            qCWarning(lcWordmill) << "language" << Name << "in" << Source
                                  << "not loaded: the engine's own lexicon has no name";
            return false;
        }
        d.DataLexicon.NewLexicon(name);
        for (const auto &[number, text] : lexicon.Items)
            d.DataLexicon.WriteItem(name, number, text, DescentOwn);
    }

    for (const auto &[original, translation] : std::as_const(file.GlobalPairs))
        d.SmartLexicon.AddItem(original, translation, DescentOwn);
    for (const TLangFileSmartLexicon &lexicon : std::as_const(file.SmartLexicons)) {
        d.SmartLexicon.NewLexicon(lexicon.Name);
        for (const auto &[original, translation] : lexicon.Pairs)
            d.SmartLexicon.AddItem(lexicon.Name, original, translation, DescentOwn);
    }

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
        flag.setData(file.Flag);
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
        qCWarning(lcWordmill).noquote() << "cannot save language" << Name << "to" << FileName
                                        << ':' << failure;
        throw EWordmillFileError(FileName + u": "_s + failure);
    }
}

} // namespace wordmill
