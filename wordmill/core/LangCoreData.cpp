#include "LangCoreData.h"

#include <wordmill/core/WordmillEngineCore.h>

using namespace Qt::StringLiterals;

namespace wordmill {

TLangCoreData::TLangCoreData(TWordmillCore *OwnedEngine)
    : Engine(OwnedEngine), WorkLexicon(u"Temp lexicon"_s), WorkSmartLexicon(u"Smart"_s)
{
}

TLangCoreData::~TLangCoreData() = default;

const QList<TLanguageEntry> &TLangCoreData::LanguageEntries() const
{
    if (Engine)
        Engine->ListLanguagesIfStale();
    return LanguageList;
}

namespace {

template <typename Field> QStringList column(const QList<TLanguageEntry> &entries, Field field)
{
    QStringList values;
    values.reserve(entries.size());
    for (const TLanguageEntry &entry : entries)
        values.append(entry.*field);
    return values;
}

} // namespace

QStringList TLangCoreData::Languages() const
{
    return column(LanguageEntries(), &TLanguageEntry::Name);
}

QStringList TLangCoreData::LangCodes() const
{
    return column(LanguageEntries(), &TLanguageEntry::Code);
}

QStringList TLangCoreData::FileNames() const
{
    return column(LanguageEntries(), &TLanguageEntry::Source);
}

QStringList TLangCoreData::EditableLangs() const
{
    QStringList names;
    for (const TLanguageEntry &entry : LanguageEntries())
        if (entry.Editable)
            names.append(entry.Name);
    return names;
}

int TLangCoreData::IndexOfLanguage(const QString &Name) const
{
    const QList<TLanguageEntry> &entries = LanguageEntries();
    for (qsizetype i = 0; i < entries.size(); ++i)
        if (entries.at(i).Name.compare(Name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

int TLangCoreData::IndexOfLanguageOrCode(const QString &ISOorLangName) const
{
    // Codes first: a language named like another one's code loses.
    if (!ISOorLangName.isEmpty()) {
        const QList<TLanguageEntry> &entries = LanguageEntries();
        for (qsizetype i = 0; i < entries.size(); ++i)
            if (entries.at(i).Code.compare(ISOorLangName, Qt::CaseInsensitive) == 0)
                return int(i);
    }
    return IndexOfLanguage(ISOorLangName);
}

QString TLangCoreData::GetFile(const QString &ISOorLangName) const
{
    return GetFile(IndexOfLanguageOrCode(ISOorLangName));
}

QString TLangCoreData::GetFile(int LanguageIndex) const
{
    const QList<TLanguageEntry> &entries = LanguageEntries();
    return LanguageIndex >= 0 && LanguageIndex < entries.size() ? entries.at(LanguageIndex).Source
                                                                : QString();
}

QString TLangCoreData::GetCode(const QString &LanguageName) const
{
    return GetCode(IndexOfLanguage(LanguageName));
}

QString TLangCoreData::GetCode(int LanguageIndex) const
{
    const QList<TLanguageEntry> &entries = LanguageEntries();
    return LanguageIndex >= 0 && LanguageIndex < entries.size() ? entries.at(LanguageIndex).Code
                                                                : QString();
}

bool TLangCoreData::Exists(const QString &ISOorLangName) const
{
    return IndexOfLanguageOrCode(ISOorLangName) >= 0;
}

QBuffer *TLangCoreData::Flag(const QString &ISOorLangName)
{
    const int index = IndexOfLanguageOrCode(ISOorLangName);
    return index >= 0 ? Flag(index) : nullptr;
}

QBuffer *TLangCoreData::Flag(int LanguageIndex)
{
    LanguageEntries(); // the flags are made with the list
    return LanguageIndex >= 0 && LanguageIndex < Flags.Count() ? Flags.GetFlagStream(LanguageIndex)
                                                               : nullptr;
}

QString TLangCoreData::LangsDir() const
{
    return Engine ? Engine->GetLangsDir() : QString();
}

void TLangCoreData::NewLanguage()
{
    DataStruct.NewLanguage();
    DataLexicon.NewLanguage();
    SmartLexicon.NewLanguage();
}

void TLangCoreData::Clear()
{
    DataStruct.Clear();
    DataLexicon.Clear();
    SmartLexicon.Clear();
    CurrentSuperiorLang = TLangIDs();
}

} // namespace wordmill
