#pragma once

#include <wordmill/core/FormLexiconItem.h>
#include <wordmill/core/LangCoreData.h>
#include <wordmill/sys/LanguageCache.h>
#include <wordmill/sys/LanguageFile.h>
#include <wordmill/toolkit/Component.h>

#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

class QBuffer;
class QIODevice;

namespace wordmill {

class TFileBytes;
class TLangFormLexicon;
class TSpans;
class TWordmillList;

// Asked before every language switch; setting Continue to false cancels it.
using TContinueQuery = std::function<void(QObject *Sender, bool &Continue)>;

// Bits of LoadLanguage's Flags.
enum TLoadLanguageFlags : int {
    llAddLines = 1,   // add every component line as it is
    llMarkOld = 2,    // mark lines no registered client knows as old
    llReadFlag = 4,   // read the flag section into the flag buffer
    llAsSuperior = 8, // record the language as the current superior
};

// The language engine: its settings, the list of available languages, the
// switch of the current language, the reading and writing of language files
// and the translation of strings. The component placed on forms derives
// from it and supplies what needs the host: the language folder, the
// built-in images and showing the list in selector controls.
class TWordmillCore : public TComponent
{
    Q_OBJECT
    Q_PROPERTY(QString DesignLangISOCode READ DesignLangISOCode WRITE SetDesignLangISOCode)
    Q_PROPERTY(QString DesignLanguageName READ DesignLanguageName WRITE SetDesignLanguageName)
    Q_PROPERTY(QString DefaultLanguage READ DefaultLanguage WRITE SetDefaultLanguage)
    Q_PROPERTY(QString LangSubdirectory READ LangSubdirectory WRITE SetLangSubdirectory)
    Q_PROPERTY(QString LangFileExtension READ LangFileExtension WRITE SetLangFileExtension)
    Q_PROPERTY(QString LangFileSignature READ LangFileSignature WRITE SetLangFileSignature)
    Q_PROPERTY(TLFEncoding LangFileEncoding READ LangFileEncoding WRITE SetLangFileEncoding)
    Q_PROPERTY(bool HideCopyright READ HideCopyright WRITE SetHideCopyright)
    Q_PROPERTY(bool LangCreatorVisible READ LangCreatorVisible WRITE SetLangCreatorVisible)
    Q_PROPERTY(bool LangEditorVisible READ LangEditorVisible WRITE SetLangEditorVisible)
    Q_PROPERTY(bool TranslateWordmill READ TranslateWordmill WRITE SetTranslateWordmill)
    Q_PROPERTY(QStringList LangResources READ LangResources WRITE SetLangResources)
    Q_PROPERTY(
        bool LangResourcesAllowEdit READ LangResourcesAllowEdit WRITE SetLangResourcesAllowEdit)

public:
    // Encodings a language file can be written in.
    enum class TLFEncoding { Unicode, BigEndianUnicode, UTF8, ANSI };
    Q_ENUM(TLFEncoding)

    // The data object is created by the caller (the engine component) so
    // that a subclass with the editor can be given; nullptr makes one
    // without editor.
    explicit TWordmillCore(QObject *owner = nullptr, std::unique_ptr<TLangCoreData> data = {});
    ~TWordmillCore() override;

    // ---- settings
    QString DesignLangISOCode() const { return fDesignLangISOCode; }
    void SetDesignLangISOCode(const QString &Value);
    QString DesignLanguageName() const { return fDesignLanguage; }
    void SetDesignLanguageName(const QString &Value);
    QString DefaultLanguage() const { return fDefaultLanguage; }
    void SetDefaultLanguage(const QString &Value);
    QString LangSubdirectory() const { return fLangSubdir; }
    void SetLangSubdirectory(const QString &Value);
    QString LangFileExtension() const { return fLangFileExt; }
    void SetLangFileExtension(const QString &Value);
    QString LangFileSignature() const { return fLangFileSign; }
    void SetLangFileSignature(const QString &Value);
    TLFEncoding LangFileEncoding() const { return fLangFileEncoding; }
    void SetLangFileEncoding(TLFEncoding Value) { fLangFileEncoding = Value; }
    bool HideCopyright() const { return fHideCopyright; }
    void SetHideCopyright(bool Value) { fHideCopyright = Value; }
    bool LangCreatorVisible() const;
    void SetLangCreatorVisible(bool Value);
    bool LangEditorVisible() const;
    void SetLangEditorVisible(bool Value);
    bool TranslateWordmill() const { return fIncludeWordmill; }
    void SetTranslateWordmill(bool Value) { fIncludeWordmill = Value; }
    QStringList LangResources() const { return fLangResources; }
    void SetLangResources(const QStringList &Value);
    bool LangResourcesAllowEdit() const { return fAllowEditInternalLangs; }
    void SetLangResourcesAllowEdit(bool Value);
    bool LangMenuFlags() const { return fLangMenuFlags; }
    virtual void SetLangMenuFlags(bool Value) { fLangMenuFlags = Value; }
    // Where compiled forms of loaded languages are kept (see
    // LanguageCaching.cpp): by default "languages" in the user's cache
    // folder, never the language folder, which may be read-only. An empty
    // folder turns the cache off. Deleting the cache changes nothing but
    // the speed of the next loads.
    QString LanguageCacheFolder() const;
    void SetLanguageCacheFolder(const QString &Folder) { fCacheFolder = Folder; }

    // ---- events
    const TContinueQuery &OnChangeLangQuery() const { return fOnChangeLangQuery; }
    void SetOnChangeLangQuery(const TContinueQuery &handler) { fOnChangeLangQuery = handler; }
    const TNotifyEvent &OnChangeLanguage() const { return fOnChangeLanguage; }
    void SetOnChangeLanguage(const TNotifyEvent &handler) { fOnChangeLanguage = handler; }
    const TNotifyEvent &OnBeforeEdit() const { return fOnBeforeEdit; }
    void SetOnBeforeEdit(const TNotifyEvent &handler) { fOnBeforeEdit = handler; }
    const TNotifyEvent &OnAfterEdit() const { return fOnAfterEdit; }
    void SetOnAfterEdit(const TNotifyEvent &handler) { fOnAfterEdit = handler; }
    bool SetEventHandler(const QString &event, const TNotifyEvent &handler) override;

    // ---- state
    TLangCoreData *LData() const { return fData.get(); }
    // The components bound to this engine; nullptr once the data is gone.
    TSpans *SpanClients() const;
    TLangFormLexicon *FormLexicon() const;
    bool IsInitialized() const { return fIsInitialized; }
    bool IsMultiEngine() const { return fIsMultiEngine; }
    // Not being read from a stored definition.
    bool IsReady() const;

    QString CurrentLanguage() const { return fCurrentLanguage; }
    void SetCurrentLanguage(const QString &Value);
    QString CurrentLanguageISO() const { return fCurrentLangISO; }
    void SetCurrentLanguageISO(const QString &Value) { SetCurrentLanguage(Value); }

    // ---- virtual operations
    virtual QString DefaultCookieName() const;
    virtual void SetCookieName(const QString &Name);
    virtual void CookieChanged() {}
    virtual void LanguageSwitched(const QString &Language) {}
    virtual QString StartLanguage() const { return fDefaultLanguage; }
    virtual bool IsSecondaryEngine() const { return fIsMultiEngine; }
    // Makes the menu list and its flags from the language list. False when
    // a subclass has nothing more to do: the engine is not ready, or the
    // list was out of date and listing it rebuilt the menu already.
    virtual bool RebuildLanguageMenu();
    // Shows the language list in a selector control and selects Index.
    virtual void RefreshControl(QObject *Control, int Index) = 0;
    virtual void RefreshAllControls();
    // Full path of the language folder, ending in a separator; empty for none.
    virtual QString GetLangsDir() const = 0;
    // Kind: one of SpecialFlag (FormLexiconItem.h).
    virtual void FillSpecialFlag(QIODevice &Stream, int Kind) = 0;
    virtual bool Initialize(bool SwitchToStart);
    virtual bool ForceSecondary() const { return false; }
    virtual void RegisterClient(QObject *Client);
    virtual void UnregisterClient(QObject *Client);
    QBuffer *FlagImage(int LanguageIndex);
    QBuffer *FlagImage(const QString &ISOorLangName);

    // ---- public operations
    // Switches the language and returns the current language's name.
    QString Translate(const QString &ISOorLangName);
    // Text of a lexicon item (ItemNr 0 or more) or of a smart string (ItemNr
    // below 0) in the current language, decoded.
    virtual QString TranslateString(const QString &Str, TWordmillList *Lexicon, int ItemNr);
    void AssignLanguagesList(QStringList *TargetList) const;
    QString GetLanguageFile(const QString &ISOorLangName) const;
    QString GetLanguageFile(int LanguageIndex) const;
    QString GetISOCode(const QString &LanguageName) const;
    QString GetISOCode(int LanguageIndex) const;
    bool LangExists(const QString &ISOorLangName) const;
    bool EditorCanBeShown() const;
    void ShowLangEditor();
    void ShowLangCreator();
    QString GlobalToOriginal(const QString &GlobalStr) const;
    QString GlobalToLink(const QString &GlobalStr) const;
    void RefreshLangControl(QObject *WordmillGUIControl);

    // ---- import and export (both throw EImportExport)
    // Merges the translations of a lexicon file, a language file, a text
    // list or (into the current language while the editor is open) a packed
    // multi-language file into the translation data, without overwriting
    // what the language translates itself; returns how many were taken.
    int ImportFromFile(const QString &FileName, bool ToCurrentLanguage);
    // Exports the current language as a lexicon file, or as a text list for
    // a name ending in ".txt"; the design language cannot be exported.
    void ExportToFile(const QString &FileName);

    // ---- language list
    void RefreshLanguages();
    // Lists the language whose header was read from Source; the first source
    // of a name wins, except that a file may replace an embedded language
    // while LangResourcesAllowEdit is on.
    void AddDiscoveredLanguage(const QString &Source, const TLangFileHeaderInfo &Header,
                               bool Editable);
    void SyncFormLexicon(const QString &Name, const QString &Code, bool Force);
    // Creates the language folder when missing (nothing to do without one);
    // throws EWordmillFileError("Wrong path to language files!") when it
    // cannot. There is no failure result: callers that can go on without the
    // folder catch the exception.
    void EnsureLangsDir();
    bool ExtractResourceLanguage(int LanguageIndex);
    QString UniqueLanguageFileName(const QString &Base) const;
    // Opens an embedded language by its resource name; nullptr when missing.
    static std::unique_ptr<QIODevice> OpenResourceLanguage(const QString &Name);
    // Where embedded languages live among the program's resources.
    static QString ResourceLanguagePath(const QString &Name);

    // ---- language files
    // Reads the language Name (an entry of the language list) into the
    // translation data, its superior chain first. Never throws: a language
    // that cannot be read leaves the design language and returns false (the
    // reason goes to the "wordmill" log).
    bool LoadLanguage(const QString &Name, int Flags, const QString &Chain);
    // Writes the current translation data under the given header values.
    // Throws EWordmillFileError when the language folder cannot be created or
    // the file cannot be written; the previous file is then left intact.
    void SaveLanguageFile(const QString &Name, const QString &SuperiorName, const QString &Code,
                          const QString &FileName);
    // What SaveLanguageFile writes: the current translation data under the
    // given header values (lexicons and items without text are left out).
    TLanguageFileData LanguageFileData(const QString &Name, const QString &SuperiorName,
                                       const QString &Code) const;

    // ---- string translation
    QString ResolveLanguageRequest(const QString &Request);

    // Lists the languages anew once the form has been read.
    void Loaded() override;
    // Lists the languages when a setting changed since the last listing.
    // Every read of the language list calls it: the list is made at its
    // first use, never from a constructor (it needs the subclass's folder
    // and images).
    void ListLanguagesIfStale();

protected:
    // The bytes of a language-list source: the file of that path when it
    // exists (mapped, not read), otherwise the embedded language of that
    // resource name. False when there is neither or it cannot be read.
    virtual bool ReadLanguageSource(const QString &Source, TFileBytes &Bytes);

    // A setting that shapes the language list changed: the list is made
    // again at its next read, or at the next turn of the event loop.
    void LanguageListChanged();

    bool fIsMultiEngine = true;
    QString LastAutoLangName;
    QString fCurrentLanguage;
    QString fCurrentLangISO;
    QString fDesignLanguage;
    QString fDefaultLanguage;
    QString fDesignLangISOCode;
    QString fLangSubdir;
    QString fLangFileExt;
    QString fLangFileSign;
    TLFEncoding fLangFileEncoding = TLFEncoding::Unicode;
    bool fCookieEnabled = true;
    double fCookieLifeDays = 0;
    QString fCookieName;
    bool fAllowEditInternalLangs = false;
    bool fLangEditorVisible = true;
    bool fLangCreatorVisible = true;
    bool fIncludeWordmill = false;
    bool fLangMenuFlags = true;
    bool fHideCopyright = false;
    QStringList fLangResources;
    TContinueQuery fOnChangeLangQuery;
    TNotifyEvent fOnChangeLanguage;
    TNotifyEvent fOnBeforeEdit;
    TNotifyEvent fOnAfterEdit;
    bool fIsInitialized = false;

private:
    // The editor names a new language current without switching to it.
    friend class TLangCoreData;

    void NameChanged();
    void ResetToDesignLanguage(int Flags);
    // Reads and merges the language file of Source (LoadLanguage without
    // the cache).
    bool LoadLanguageFile(const QString &Name, int Flags, const QString &Chain,
                          const QString &Source);
    void LoadSuperiorLanguage(const QString &Superior, const QString &Name, int Flags,
                              const QString &Chain);
    // Merges the language file Bytes, read from Source, as the language Name
    // onto the reset data; false when it is no such language file.
    bool ApplyLanguageFile(const QString &Name, int Flags, const QString &Chain,
                           const QString &Source, QByteArrayView Bytes);

    // ---- the compiled cache of loaded languages
    // The settings that shape what a load leaves in the stores, as one text.
    QString CacheSettings() const;
    QString CacheFilePath(const QString &Name, const QString &Source,
                          const QString &Settings) const;
    // Why a cache made as Info says is not the one for the language Name of
    // Source under Settings; empty when it still agrees with every file.
    QString CacheMismatch(const TLanguageCacheInfo &Info, const QString &Name,
                          const QString &Source, const QString &Settings);
    // Loads the language from a cache that still agrees with its files and
    // the settings; false (nothing changed) otherwise.
    bool LoadCachedLanguage(const QString &Name, const QString &Source);
    // Writes the cache of the language just loaded from Chain.
    void StoreLanguageCache(const QString &Name, const QString &Source,
                            const QList<TLanguageCacheSource> &Chain);

    std::unique_ptr<TLangCoreData> fData;
    std::optional<QString> fCacheFolder;
    // While a load that may be cached runs: the files it read, and whether
    // all of them were files that could be read.
    QList<TLanguageCacheSource> *fChainRecord = nullptr;
    bool fChainCacheable = true;
    bool fLanguagesStale = true;
    bool fListingPosted = false;
    bool fListing = false;
};

using TLFEncoding = TWordmillCore::TLFEncoding;

// Raised when a language file or the language folder cannot be written.
class EWordmillFileError : public std::runtime_error
{
public:
    explicit EWordmillFileError(const QString &message)
        : std::runtime_error(message.toStdString()), Message(message)
    {
    }
    QString Message;
};

} // namespace wordmill
