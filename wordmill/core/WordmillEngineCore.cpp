#include "WordmillEngineCore.h"

#include <wordmill/WordmillSys.h>
#include <wordmill/core/EngineRegistry.h>
#include <wordmill/core/HeadlessLangData.h>
#include <wordmill/core/ProgrammableLexicon.h>
#include <wordmill/sys/FlagBuffer.h>
#include <wordmill/sys/FileBytes.h>
#include <wordmill/sys/LanguageFile.h>
#include <wordmill/sys/Logging.h>
#include <wordmill/sys/SaveFile.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

const QString DefaultDesignLanguage = u"Design language"_s;

bool containsCaseInsensitive(const QStringList &list, const QString &text)
{
    return list.contains(text, Qt::CaseInsensitive);
}

} // namespace

TWordmillCore::TWordmillCore(QObject *owner, std::unique_ptr<TLangCoreData> data)
    : TComponent(owner), fData(data ? std::move(data) : std::make_unique<THeadlessLangData>())
{
    fData->Engine = this;
    LastAutoLangName = DefaultDesignLanguage;
    fLangMenuFlags = true;
    fHideCopyright = false;
    fData->LangFormLexicon = new TLangFormLexicon(this);
    fIsMultiEngine = true;
    fDesignLangISOCode.clear();
    fData->DesignLangISO.clear();
    SetDesignLanguageName(QString());
    fLangSubdir.clear();
    SetLangFileExtension(u"lng"_s);
    fLangFileSign = u"LANGUAGE_FILE"_s;
    fLangEditorVisible = true;
    fLangCreatorVisible = true;
    fIncludeWordmill = false;
    fCookieEnabled = true;
    fCookieLifeDays = 0;
    fLangFileEncoding = TLFEncoding::Unicode;
    fAllowEditInternalLangs = false;
    connect(this, &QObject::objectNameChanged, this, &TWordmillCore::NameChanged);
}

void TWordmillCore::AfterConstruction()
{
    IsFullyCreated = true;
    if (IsReady()) {
        SyncFormLexicon(fDesignLanguage, fDesignLangISOCode, false);
        RefreshLanguages();
    }
}

TWordmillCore::~TWordmillCore()
{
    MarkComponentDestroying(this);
    // The form lexicon is a component of the engine; free it while the data
    // still exists so it can leave the registry.
    delete fData->LangFormLexicon;
    fData->LangFormLexicon = nullptr;
    fData.reset();
}

TSpans *TWordmillCore::SpanClients() const
{
    return fData ? &fData->SpanClients : nullptr;
}

TLangFormLexicon *TWordmillCore::FormLexicon() const
{
    return fData ? fData->LangFormLexicon : nullptr;
}

bool TWordmillCore::IsReady() const
{
    return IsFullyCreated && !IsLoading();
}

void TWordmillCore::Loaded()
{
    SyncFormLexicon(fCurrentLanguage, fCurrentLangISO, false);
    RefreshLanguages();
}

void TWordmillCore::NameChanged()
{
    if (!fIsMultiEngine || !Owner() || objectName().isEmpty() || Owner()->objectName().isEmpty())
        return;
    const QString identity = DefaultCookieName();
    if (!EngineRegistry::Contains(identity) && !ForceSecondary()) {
        EngineRegistry::Add(identity);
        fIsMultiEngine = false;
        RefreshLanguages();
    }
}

bool TWordmillCore::SetEventHandler(const QString &event, const TNotifyEvent &handler)
{
    if (event == u"OnChangeLanguage"_s)
        fOnChangeLanguage = handler;
    else if (event == u"OnBeforeEdit"_s)
        fOnBeforeEdit = handler;
    else if (event == u"OnAfterEdit"_s)
        fOnAfterEdit = handler;
    else
        return false;
    return true;
}

// ---- settings

QString TWordmillCore::DefaultCookieName() const
{
    return Owner() ? objectName() + u'&' + Owner()->objectName() : objectName();
}

void TWordmillCore::SetCookieName(const QString &Name)
{
    const QString value = Name == DefaultCookieName() ? QString() : Name;
    if (value == fCookieName)
        return;
    fCookieName = value;
    CookieChanged();
}

void TWordmillCore::SetDesignLanguageName(const QString &Value)
{
    const QString name = Value.isEmpty() ? DefaultDesignLanguage : Value;
    const QString old = fDesignLanguage;
    fDesignLanguage = name;
    if (fCurrentLanguage == old) {
        fCurrentLanguage = name;
        fCurrentLangISO = fData->DesignLangISO;
    }
    if (fDefaultLanguage == old)
        fDefaultLanguage = name;
    if (name != old) {
        SyncFormLexicon(fCurrentLanguage, fCurrentLangISO, true);
        RefreshLanguages();
    }
}

void TWordmillCore::SetDesignLangISOCode(const QString &Value)
{
    QString code = Value;
    NormalizeISOCode(code);
    const bool changed = code != fDesignLangISOCode;
    const bool currentIsDesign = fCurrentLanguage == fDesignLanguage;
    fDesignLangISOCode = code;
    fData->DesignLangISO = code;
    if (!fData->LangCodes.isEmpty())
        fData->LangCodes[0] = code;
    if (currentIsDesign)
        fCurrentLangISO = code;
    // A table entry such as "cs - Czech" names the design language, unless
    // the application has named it itself.
    if (Value.size() > 3 && fDesignLanguage == LastAutoLangName) {
        const qsizetype dash = Value.indexOf(u'-');
        const QString name = dash >= 0 ? Value.mid(dash + 1).trimmed() : QString();
        if (!name.isEmpty()) {
            LastAutoLangName = name;
            SetDesignLanguageName(name);
        }
    }
    if (changed) {
        SyncFormLexicon(fCurrentLanguage, fCurrentLangISO, true);
        if (fIsInitialized && (fLangCreatorVisible || fLangEditorVisible))
            RebuildLanguageMenu();
    }
}

void TWordmillCore::SetDefaultLanguage(const QString &Value)
{
    if (Value == fDefaultLanguage)
        return;
    if (!fIsInitialized) {
        fDefaultLanguage = Value;
        return;
    }
    const QString old = fDefaultLanguage;
    fDefaultLanguage = Value;
    if (!old.isEmpty() && (fCurrentLanguage == old || fCurrentLangISO == old))
        Translate(Value);
}

void TWordmillCore::SetLangSubdirectory(const QString &Value)
{
    const QString value = Value.trimmed();
    if (value == fLangSubdir)
        return;
    fLangSubdir = value;
    RefreshLanguages();
}

void TWordmillCore::SetLangFileExtension(const QString &Value)
{
    QString value = Value;
    if (!value.isEmpty() && !value.startsWith(u'.'))
        value.prepend(u'.');
    if (value == fLangFileExt)
        return;
    fLangFileExt = value;
    RefreshLanguages();
}

void TWordmillCore::SetLangFileSignature(const QString &Value)
{
    if (Value == fLangFileSign)
        return;
    fLangFileSign = Value;
    RefreshLanguages();
}

bool TWordmillCore::LangCreatorVisible() const
{
    return fLangCreatorVisible && !IsSecondaryEngine();
}

void TWordmillCore::SetLangCreatorVisible(bool Value)
{
    if (Value == fLangCreatorVisible)
        return;
    fLangCreatorVisible = Value;
    if (!IsSecondaryEngine())
        RebuildLanguageMenu();
}

bool TWordmillCore::LangEditorVisible() const
{
    return fLangEditorVisible && !IsSecondaryEngine();
}

void TWordmillCore::SetLangEditorVisible(bool Value)
{
    if (Value == fLangEditorVisible)
        return;
    fLangEditorVisible = Value;
    if (!IsSecondaryEngine())
        RebuildLanguageMenu();
}

void TWordmillCore::SetLangResources(const QStringList &Value)
{
    if (Value == fLangResources)
        return;
    fLangResources = Value;
    RefreshLanguages();
}

void TWordmillCore::SetLangResourcesAllowEdit(bool Value)
{
    if (Value == fAllowEditInternalLangs)
        return;
    fAllowEditInternalLangs = Value;
    if (!IsReady())
        return;
    const QString before = fData->GetFile(fCurrentLanguage);
    RefreshLanguages();
    // A file took the place of the embedded language, or the reverse: read
    // the current language from its new source.
    if (fIsInitialized && fData->GetFile(fCurrentLanguage) != before)
        Translate(fCurrentLanguage);
}

void TWordmillCore::SetCurrentLanguage(const QString &Value)
{
    if (Value != fCurrentLangISO && Value != fCurrentLanguage)
        Translate(Value);
}

// ---- language list

void TWordmillCore::RefreshLanguages()
{
    if (!IsReady())
        return;
    TLangCoreData &d = *fData;
    d.Languages.clear();
    d.FileNames.clear();
    d.LangCodes.clear();
    d.EditableLangs.clear();
    d.Flags.ClearFlags();

    d.Languages.append(fDesignLanguage);
    d.FileNames.append(fDesignLanguage);
    d.LangCodes.append(d.DesignLangISO);
    QBuffer *designFlag = d.Flags.NewFlag();
    FillSpecialFlag(*designFlag, 2);

    const QString signature = u'[' + fLangFileSign + u']';
    for (qsizetype i = 0; i < fLangResources.size();) {
        const QString name = fLangResources.at(i);
        std::unique_ptr<QIODevice> resource = OpenResourceLanguage(name);
        if (!resource) {
            qCWarning(lcWordmill) << "no embedded language" << name << "- dropped from the list";
            fLangResources.removeAt(i);
            continue;
        }
        AddDiscoveredLanguage(name, ReadLanguageHeader(resource->readAll(), signature, true),
                              fAllowEditInternalLangs);
        ++i;
    }

    const QString dir = GetLangsDir();
    if (!dir.isEmpty()) {
        const QFileInfoList entries =
            QDir(dir).entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
        for (const QFileInfo &entry : entries) {
            const QString fileName = entry.fileName();
            const qsizetype dot = fileName.lastIndexOf(u'.');
            const QString extension = dot >= 0 ? fileName.mid(dot) : QString();
            if (extension.compare(fLangFileExt, Qt::CaseInsensitive) != 0)
                continue;
            const QString path = dir + fileName;
            // Mapped, so that only the header's and the flag's pages are read.
            TFileBytes file;
            if (!file.Open(path)) {
                qCWarning(lcWordmill) << "cannot read" << path << ':' << file.ErrorString();
                continue;
            }
            const TLangFileHeaderInfo header = ReadLanguageHeader(file.Bytes(), signature, true);
            if (header.IDs.Name.isEmpty())
                qCWarning(lcWordmill) << path << "is not a language file: no signature" << signature
                                      << "or no language name";
            AddDiscoveredLanguage(path, header, true);
        }
    }
    RebuildLanguageMenu();
}

void TWordmillCore::AddDiscoveredLanguage(const QString &Source, const TLangFileHeaderInfo &Header,
                                          bool Editable)
{
    const QString &Name = Header.IDs.Name;
    const QString &Code = Header.IDs.Code;
    if (Name.isEmpty())
        return;
    TLangCoreData &d = *fData;
    // The design language's own entry never blocks a file of its name.
    int later = -1;
    for (qsizetype i = 1; i < d.Languages.size(); ++i)
        if (d.Languages.at(i).compare(Name, Qt::CaseInsensitive) == 0) {
            later = int(i);
            break;
        }
    if (later < 0) {
        d.FileNames.append(Source);
        d.Languages.append(Name);
        d.LangCodes.append(Code);
        if (Editable)
            d.EditableLangs.append(Name);
        QBuffer *flag = d.Flags.GetFlagStream(d.Languages.size() - 1);
        flag->buffer() = Header.Flag;
        flag->seek(0);
        return;
    }
    const QString current = d.FileNames.at(later);
    if (!QFileInfo::exists(current) && fAllowEditInternalLangs && fLangResources.contains(current)) {
        d.FileNames[later] = Source;
        if (!Code.isEmpty())
            d.LangCodes[later] = Code;
        if (!Header.Flag.isEmpty()) {
            QBuffer *flag = d.Flags.GetFlagStream(later);
            flag->buffer() = Header.Flag;
            flag->seek(0);
        }
        if (Editable && !containsCaseInsensitive(d.EditableLangs, Name))
            d.EditableLangs.append(Name);
    }
}

bool TWordmillCore::RebuildLanguageMenu()
{
    if (!IsReady())
        return false;
    TLangCoreData &d = *fData;
    d.LangMenu = d.Languages;
    if (fIsInitialized) {
        TLangFormLexicon *lexicon = d.LangFormLexicon;
        if (LangCreatorVisible()) {
            d.LangMenu.append(lexicon->GetItem(1));
            const int position = int(d.LangMenu.size()) - 1;
            if (position >= d.Flags.Count())
                FillSpecialFlag(*d.Flags.GetFlagStream(position), 0);
        }
        if (LangEditorVisible() && EditorCanBeShown()) {
            d.LangMenu.append(lexicon->GetItem(2));
            const int position = int(d.LangMenu.size()) - 1;
            if (position >= d.Flags.Count())
                FillSpecialFlag(*d.Flags.GetFlagStream(position), 1);
        }
    }
    return true;
}

void TWordmillCore::RefreshAllControls()
{
    const int position = fData->IndexOfLanguage(fCurrentLanguage);
    for (QObject *client : fData->SpanClients.Components())
        if (!IsComponentLoading(client))
            RefreshControl(client, position);
}

void TWordmillCore::SyncFormLexicon(const QString &Name, const QString &Code, bool Force)
{
    if (!IsReady() || (!Force && fIncludeWordmill))
        return;
    TLangFormLexicon *lexicon = fData->LangFormLexicon;
    const QString name = Name.isEmpty() ? fCurrentLanguage : Name;
    if (lexicon->InternalLanguages(name, Code, true))
        return;
    if (!fDefaultLanguage.isEmpty() && fDefaultLanguage != name
        && lexicon->InternalLanguages(fDefaultLanguage, fDefaultLanguage, true))
        return;
    if (!fDesignLanguage.isEmpty() && fDesignLanguage != name) {
        if (lexicon->InternalLanguages(fDesignLanguage, fData->DesignLangISO, true))
            SetDesignLangISOCode(lexicon->InternalLanguage().Code);
        else
            lexicon->LoadLang(EnglishDefs());
        return;
    }
    lexicon->LoadLang(EnglishDefs());
}

bool TWordmillCore::EnsureLangsDir()
{
    const QString dir = GetLangsDir();
    if (dir.isEmpty() || QFileInfo(dir).isDir())
        return true;
    if (!QDir().mkpath(dir))
        throw EWordmillFileError(fData->LangFormLexicon->GetItem(29));
    return true;
}

bool TWordmillCore::ExtractResourceLanguage(int LanguageIndex)
{
    if (fLangResources.isEmpty())
        return false;
    const QString resourceName = fData->GetFile(LanguageIndex);
    if (!fLangResources.contains(resourceName))
        return false;
    try {
        EnsureLangsDir();
        std::unique_ptr<QIODevice> resource = OpenResourceLanguage(resourceName);
        if (!resource)
            return false;
        const QByteArray bytes = resource->readAll();
        const QString target = UniqueLanguageFileName(resourceName);
        // A copy cut short by a full disk must not stay behind as a language.
        if (!SaveFileContents(target, bytes).isEmpty())
            return false;
        fData->FileNames[LanguageIndex] = target;
        return true;
    } catch (const EWordmillFileError &) {
        return false;
    }
}

QString TWordmillCore::UniqueLanguageFileName(const QString &Base) const
{
    const QString dir = GetLangsDir();
    // The extension a base already carries keeps its spelling; numbers go
    // before it.
    QString stem = Base;
    QString ext = fLangFileExt;
    if (!ext.isEmpty() && stem.endsWith(ext, Qt::CaseInsensitive)) {
        ext = stem.right(ext.size());
        stem.chop(ext.size());
    }
    QString candidate = dir + stem + ext;
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = dir + stem + QString::number(n) + ext;
    return candidate;
}

QString TWordmillCore::ResourceLanguagePath(const QString &Name)
{
    return u":/languages/"_s + Name;
}

std::unique_ptr<QIODevice> TWordmillCore::OpenResourceLanguage(const QString &Name)
{
    if (Name.isEmpty())
        return nullptr;
    auto file = std::make_unique<QFile>(ResourceLanguagePath(Name));
    if (!file->open(QIODevice::ReadOnly))
        return nullptr;
    return file;
}

// ---- registry and public operations

void TWordmillCore::RegisterClient(QObject *Client)
{
    fData->SpanClients.RegisterClient(Client);
}

void TWordmillCore::UnregisterClient(QObject *Client)
{
    fData->SpanClients.UnregisterClient(Client);
}

QBuffer *TWordmillCore::FlagImage(int LanguageIndex)
{
    return fData->Flag(LanguageIndex);
}

QBuffer *TWordmillCore::FlagImage(const QString &ISOorLangName)
{
    return fData->Flag(ISOorLangName);
}

void TWordmillCore::AssignLanguagesList(QStringList *TargetList) const
{
    if (TargetList)
        *TargetList = fData->Languages;
}

QString TWordmillCore::GetLanguageFile(const QString &ISOorLangName) const
{
    return fData->GetFile(ISOorLangName);
}

QString TWordmillCore::GetLanguageFile(int LanguageIndex) const
{
    return fData->GetFile(LanguageIndex);
}

QString TWordmillCore::GetISOCode(const QString &LanguageName) const
{
    return fData->GetCode(LanguageName);
}

QString TWordmillCore::GetISOCode(int LanguageIndex) const
{
    return fData->GetCode(LanguageIndex);
}

bool TWordmillCore::LangExists(const QString &ISOorLangName) const
{
    return fData->Exists(ISOorLangName);
}

bool TWordmillCore::EditorCanBeShown() const
{
    return !fData->EditableLangs.isEmpty();
}

void TWordmillCore::ShowLangEditor()
{
    Translate(fData->LangFormLexicon->GetItem(2));
}

void TWordmillCore::ShowLangCreator()
{
    Translate(fData->LangFormLexicon->GetItem(1));
}

void TWordmillCore::RefreshLangControl(QObject *WordmillGUIControl)
{
    if (WordmillGUIControl)
        RefreshControl(WordmillGUIControl, fData->IndexOfLanguage(fCurrentLanguage));
}

} // namespace wordmill
