#include "LangCoreData.h"

#include <wordmill/core/WordmillEngineCore.h>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

int indexOfCaseInsensitive(const QStringList &list, const QString &text)
{
    for (qsizetype i = 0; i < list.size(); ++i)
        if (list.at(i).compare(text, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

} // namespace

TLangCoreData::TLangCoreData(TWordmillCore *OwnedEngine)
    : Engine(OwnedEngine), WorkLexicon(u"Temp lexicon"_s), WorkSmartLexicon(u"Smart"_s)
{
}

TLangCoreData::~TLangCoreData() = default;

int TLangCoreData::IndexOfLanguage(const QString &Name) const
{
    return indexOfCaseInsensitive(Languages, Name);
}

int TLangCoreData::IndexOfLanguageOrCode(const QString &ISOorLangName) const
{
    // Codes first: a language named like another one's code loses.
    if (!ISOorLangName.isEmpty()) {
        const int byCode = indexOfCaseInsensitive(LangCodes, ISOorLangName);
        if (byCode >= 0)
            return byCode;
    }
    return IndexOfLanguage(ISOorLangName);
}

QString TLangCoreData::GetFile(const QString &ISOorLangName) const
{
    return GetFile(IndexOfLanguageOrCode(ISOorLangName));
}

QString TLangCoreData::GetFile(int LanguageIndex) const
{
    return LanguageIndex >= 0 && LanguageIndex < FileNames.size() ? FileNames.at(LanguageIndex)
                                                                  : QString();
}

QString TLangCoreData::GetCode(const QString &LanguageName) const
{
    return GetCode(IndexOfLanguage(LanguageName));
}

QString TLangCoreData::GetCode(int LanguageIndex) const
{
    return LanguageIndex >= 0 && LanguageIndex < LangCodes.size() ? LangCodes.at(LanguageIndex)
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
