#include "WordmillEngineCore.h"

#include <wordmill/WordmillSys.h>
#include <wordmill/core/EngineRegistry.h>
#include <wordmill/core/HeadlessLangData.h>
#include <wordmill/core/ProgrammableLexicon.h>
#include <wordmill/sys/FileBytes.h>
#include <wordmill/sys/FlagBuffer.h>
#include <wordmill/sys/LanguageFile.h>
#include <wordmill/sys/Logging.h>
#include <wordmill/sys/SaveFile.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopedValueRollback>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

const QString DefaultDesignLanguage = u"Design language"_s;

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
    return !IsLoading();
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
        LanguageListChanged();
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
        LanguageListChanged();
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
    if (!fData->LanguageList.isEmpty())
        fData->LanguageList[0].Code = code;
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
    LanguageListChanged();
}

void TWordmillCore::SetLangFileExtension(const QString &Value)
{
    QString value = Value;
    if (!value.isEmpty() && !value.startsWith(u'.'))
        value.prepend(u'.');
    if (value == fLangFileExt)
        return;
    fLangFileExt = value;
    LanguageListChanged();
}

void TWordmillCore::SetLangFileSignature(const QString &Value)
{
    if (Value == fLangFileSign)
        return;
    fLangFileSign = Value;
    LanguageListChanged();
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
    LanguageListChanged();
}

void TWordmillCore::SetLangResourcesAllowEdit(bool Value)
{
    if (Value == fAllowEditInternalLangs)
        return;
    fAllowEditInternalLangs = Value;
    if (!IsReady())
        return;
    const QString before = fData->GetFile(fCurrentLanguage);
    RefreshLanguages(); // the current language may now come from elsewhere: list at once
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

void TWordmillCore::LanguageListChanged()
{
    fLanguagesStale = true;
    // Settings usually change together (a form's stored definition, an
    // application setting several): the list is made once, at the next turn
    // of the event loop, or earlier by the first read of it.
    if (fListingPosted || !QCoreApplication::instance())
        return;
    fListingPosted = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            fListingPosted = false;
            ListLanguagesIfStale();
        },
        Qt::QueuedConnection);
}

void TWordmillCore::ListLanguagesIfStale()
{
    if (fLanguagesStale && !fListing)
        RefreshLanguages();
}

void TWordmillCore::RefreshLanguages()
{
    if (!IsReady())
        return;
    // Reads of the list while it is being made see it as it grows.
    const QScopedValueRollback listing(fListing, true);
    fLanguagesStale = false;
    TLangCoreData &d = *fData;
    d.LanguageList.clear();

    TLanguageEntry design;
    design.Name = fDesignLanguage;
    design.Code = d.DesignLangISO;
    design.Source = fDesignLanguage;
    QBuffer designFlag(&design.Flag);
    designFlag.open(QIODevice::WriteOnly);
    FillSpecialFlag(designFlag, SpecialFlag::DesignLanguage);
    designFlag.close();
    d.LanguageList.append(design);

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
    QList<TLanguageEntry> &list = fData->LanguageList;
    // The design language's own entry never blocks a file of its name.
    int later = -1;
    for (qsizetype i = 1; i < list.size(); ++i)
        if (list.at(i).Name.compare(Name, Qt::CaseInsensitive) == 0) {
            later = int(i);
            break;
        }
    if (later < 0) {
        list.append(TLanguageEntry{Name, Code, Source, Editable, Header.Flag});
        return;
    }
    TLanguageEntry &entry = list[later];
    if (!QFileInfo::exists(entry.Source) && fAllowEditInternalLangs &&
        fLangResources.contains(entry.Source)) {
        entry.Source = Source;
        if (!Code.isEmpty())
            entry.Code = Code;
        if (!Header.Flag.isEmpty())
            entry.Flag = Header.Flag;
        entry.Editable = entry.Editable || Editable;
    }
}

bool TWordmillCore::RebuildLanguageMenu()
{
    if (!IsReady())
        return false;
    if (fLanguagesStale && !fListing) {
        RefreshLanguages(); // rebuilds the menu, through the most derived class
        return false;
    }
    TLangCoreData &d = *fData;
    const QList<TLanguageEntry> &languages = d.LanguageList;
    d.LangMenu.clear();
    d.Flags.ClearFlags();
    for (const TLanguageEntry &entry : languages) {
        d.LangMenu.append(entry.Name);
        d.Flags.NewFlag()->buffer() = entry.Flag;
    }
    if (fIsInitialized) {
        TLangFormLexicon *lexicon = d.LangFormLexicon;
        if (LangCreatorVisible()) {
            d.LangMenu.append(lexicon->GetItem(FormLexiconItem::CreateLanguageEntry));
            FillSpecialFlag(*d.Flags.NewFlag(), SpecialFlag::CreateEntry);
        }
        if (LangEditorVisible() && EditorCanBeShown()) {
            d.LangMenu.append(lexicon->GetItem(FormLexiconItem::EditLanguageEntry));
            FillSpecialFlag(*d.Flags.NewFlag(), SpecialFlag::EditEntry);
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
    if (!fDefaultLanguage.isEmpty() && fDefaultLanguage != name &&
        lexicon->InternalLanguages(fDefaultLanguage, fDefaultLanguage, true))
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

void TWordmillCore::EnsureLangsDir()
{
    const QString dir = GetLangsDir();
    if (dir.isEmpty() || QFileInfo(dir).isDir())
        return;
    if (!QDir().mkpath(dir)) {
        qCWarning(lcWordmill) << "cannot create the language folder" << dir;
        throw EWordmillFileError(
            fData->LangFormLexicon->GetItem(FormLexiconItem::WrongLanguagePath));
    }
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
        if (!resource) {
            qCWarning(lcWordmill) << "no embedded language" << resourceName;
            return false;
        }
        const QByteArray bytes = resource->readAll();
        const QString target = UniqueLanguageFileName(resourceName);
        // A copy cut short by a full disk must not stay behind as a language.
        const QString failure = SaveFileContents(target, bytes);
        if (!failure.isEmpty()) {
            qCWarning(lcWordmill) << "cannot copy the embedded language" << resourceName << "to"
                                  << target << ':' << failure;
            return false;
        }
        fData->LanguageList[LanguageIndex].Source = target;
        return true;
    } catch (const EWordmillFileError &error) {
        qCWarning(lcWordmill) << "cannot copy the embedded language" << resourceName << ':'
                              << error.what();
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
        *TargetList = fData->Languages();
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
    const QList<TLanguageEntry> &languages = fData->LanguageEntries();
    return std::any_of(languages.cbegin(), languages.cend(),
                       [](const TLanguageEntry &entry) { return entry.Editable; });
}

void TWordmillCore::ShowLangEditor()
{
    Translate(fData->LangFormLexicon->GetItem(FormLexiconItem::EditLanguageEntry));
}

void TWordmillCore::ShowLangCreator()
{
    Translate(fData->LangFormLexicon->GetItem(FormLexiconItem::CreateLanguageEntry));
}

void TWordmillCore::RefreshLangControl(QObject *WordmillGUIControl)
{
    if (WordmillGUIControl)
        RefreshControl(WordmillGUIControl, fData->IndexOfLanguage(fCurrentLanguage));
}

} // namespace wordmill
