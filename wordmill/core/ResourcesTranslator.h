#pragma once

#include <wordmill/core/Lexicon.h>
#include <wordmill/core/ResourcesList.h>
#include <wordmill/core/TranslatorRegistry.h>
#include <wordmill/toolkit/StoredLists.h>

namespace wordmill {

// Translates the texts the application and Qt fetch through
// QCoreApplication::translate (tr() of the application, Qt's own dialog and
// context-menu texts). It knows a list of such texts, each with its form in
// the design language, and answers a lookup of a known text with the
// current language's translation of that design form (a smart string under
// the translator's qualified name), or with the design form itself; every
// other text passes on to Qt's own translators unchanged.
//
// A unit is a translation context: UnitList names the contexts the known
// texts were found in. Lookups go by the text alone, so one text is
// translated alike in every context.
//
// The list is stored with the form ("Units", "Resources") and can grow at
// run time with RegisterResourceString. Translators are created, changed
// and destroyed on the user-interface thread; lookups may come from any
// thread (see TTranslatorRegistry).
class TCustomResourcesTranslator : public TWordmillList, public TStoredLists
{
    Q_OBJECT
    Q_PROPERTY(bool GlobalLexicon READ GlobalLexicon WRITE SetGlobalLexicon)
    Q_PROPERTY(QString OriginalLanguage READ OriginalLanguage WRITE SetOriginalLanguage)
    Q_PROPERTY(int RegisteredStrings READ RegisteredStrings)

public:
    explicit TCustomResourcesTranslator(QObject *owner = nullptr);
    ~TCustomResourcesTranslator() override;

    // The language the program's texts are written in.
    QString OriginalLanguage() const { return fOriginalLang; }
    void SetOriginalLanguage(const QString &Value) { fOriginalLang = Value; }
    int RegisteredStrings() const { return List.Count(); }

    // Registers Resource (the text as loaded) with its design form
    // InDesignLanguage, or Resource itself when that is empty, as a text of
    // no unit registered by code. Registering a text again replaces its
    // design form.
    void RegisterResourceString(const QString &Resource, const QString &InDesignLanguage = {});

    // Item n is entry n of List, in the list's order.
    QString GetItem(int ItemNr) override;
    int MaxIndex() const override { return List.Count() - 1; }
    bool IsDefined(int Index) const override { return Index >= 0 && Index < List.Count(); }
    // Whether some entry's design form is exactly LocStr.
    bool IsDefined(const QString &LocStr) const override { return List.HasDesignForm(LocStr); }
    QString GetLocStr(int Index) const override { return List.DesignStrings(Index); }

    // Makes the translator's current texts the ones every lookup sees. Call
    // after changing List directly or the translations of its texts.
    void ListChanged();

    void LanguageChanged(QObject *Sender) override;
    void Loaded() override;

    // ---- stored lists "Units" and "Resources"
    QStringList StoredListNames() const override;
    bool ReadStoredList(const QString &Name, const QVariantList &Values, QString &Error) override;
    // Written when there are entries and no ancestor, or when they differ
    // from the ancestor translator's; always against another class.
    QList<TStoredList> WriteStoredLists(const QObject *Ancestor) const override;

    // The texts this translator answers, as lookups see them now.
    const TResourceTexts &Texts() const { return fTexts; }

    TResourcesList List;
    TUnitList UnitList;

protected:
    QString fOriginalLang;

private:
    friend class TTranslatorRegistry;

    // The text of entry Index as a lookup shows it now.
    QString CurrentText(int Index);
    // Rebuilds Texts from the list and the current language.
    void RebuildTexts();
    // RebuildTexts and publish, or leave both to the open batch.
    void Refresh();
    void WatchEngine();

    TResourceTexts fTexts;
    QMetaObject::Connection m_engineGone;
    QObject *m_watchedEngine = nullptr;
};

} // namespace wordmill
