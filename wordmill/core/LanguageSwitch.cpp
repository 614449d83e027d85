// The start of the engine and the switch of the current language.

#include <wordmill/core/WordmillEngineCore.h>

#include <wordmill/core/LangCoreData.h>
#include <wordmill/core/ProgrammableLexicon.h>

namespace wordmill {

bool TWordmillCore::Initialize(bool SwitchToStart)
{
    TLangCoreData &d = *fData;
    bool switched = false;
    if (fIsInitialized) {
        d.SpanClients.InitClients();
    } else {
        fIsInitialized = true;
        d.SpanClients.InitClients();
        if (SwitchToStart) {
            const QString start = StartLanguage();
            if (start != fDesignLanguage && start != d.DesignLangISO) {
                Translate(start);
                switched = true;
            }
        }
        if (!switched && (LangCreatorVisible() || LangEditorVisible()))
            RebuildLanguageMenu();
    }
    d.SpanClients.InitToLanguage(fCurrentLanguage, fCurrentLanguage == fDesignLanguage);
    return switched;
}

QString TWordmillCore::Translate(const QString &ISOorLangName)
{
    TLangCoreData &d = *fData;
    bool proceed = true;
    if (fOnChangeLangQuery)
        fOnChangeLangQuery(this, proceed);
    if (!proceed) {
        RebuildLanguageMenu(); // selectors show the unchanged language again
        return fCurrentLanguage;
    }
    Initialize(false);
    const QString name = ResolveLanguageRequest(ISOorLangName);
    if (d.IndexOfLanguage(name) < 0) {
        RebuildLanguageMenu();
        return fCurrentLanguage;
    }
    LoadLanguage(name, 0, QString());
    SyncFormLexicon(fCurrentLanguage, fCurrentLangISO, false);
    d.SpanClients.CallClientProcs();
    LanguageSwitched(fCurrentLanguage);
    if (fOnChangeLanguage)
        fOnChangeLanguage(this);
    RebuildLanguageMenu();
    return fCurrentLanguage;
}

QString TWordmillCore::ResolveLanguageRequest(const QString &Request)
{
    TLangCoreData &d = *fData;
    int mode = -1;
    if (!IsSecondaryEngine()) {
        TLangFormLexicon *lexicon = d.LangFormLexicon;
        if (Request == lexicon->GetItem(FormLexiconItem::CreateLanguageEntry)) {
            EnsureLangsDir(); // the creator saves into it; throws when it cannot be made
            mode = 0;
        } else if (Request == lexicon->GetItem(FormLexiconItem::EditLanguageEntry) && EditorCanBeShown())
            mode = 1;
    }
    if (mode < 0) {
        for (const TLanguageEntry &entry : d.LanguageEntries())
            if (entry.Code.compare(Request, Qt::CaseInsensitive) == 0)
                return entry.Name;
        return Request;
    }
    const QString remembered = fCurrentLanguage;
    if (fOnBeforeEdit)
        fOnBeforeEdit(this);
    QString language = d.EditorExecute(mode);
    RefreshLanguages();
    if (d.IndexOfLanguage(language) < 0)
        language = remembered;
    if (fOnAfterEdit)
        fOnAfterEdit(this);
    return language;
}

} // namespace wordmill
