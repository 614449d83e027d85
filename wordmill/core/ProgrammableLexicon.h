#pragma once

#include <wordmill/core/FormLexiconTables.h>
#include <wordmill/core/Lexicon.h>
#include <wordmill/sys/IndexedItems.h>
#include <wordmill/sys/LangIDs.h>
#include <wordmill/sys/LanguageNames.h>

namespace wordmill {

// A lexicon whose items are defined by code, by number (0 to 65535),
// normally from its OnInitialization handler.
class TCustomProgrammableLexicon : public TLexicon
{
    Q_OBJECT
public:
    explicit TCustomProgrammableLexicon(QObject *owner = nullptr);

    // Escapes Text and stores it as item ItemNr; an empty Text changes nothing.
    void DefineItem(quint16 ItemNr, const QString &Text);

    const TNotifyEvent &OnInitialization() const { return fOnInitialization; }
    // Stores the handler and runs it at once when one is given.
    void SetOnInitialization(const TNotifyEvent &handler);

    QString GetItem(int Index) override;
    int MaxIndex() const override;
    bool IsDefined(int Index) const override;
    bool IsDefined(const QString &LocStr) const override;
    QString GetLocStr(int Index) const override;

    bool SetEventHandler(const QString &event, const TNotifyEvent &handler) override;

protected:
    TIndexedItems fIndexedItems;
    TNotifyEvent fOnInitialization;
};

// The library's own texts (language menu entries, editor, import and
// export) in four built-in languages.
class TLangFormLexicon : public TCustomProgrammableLexicon
{
    Q_OBJECT
public:
    // Loads the English table and binds the owning engine.
    explicit TLangFormLexicon(TWordmillCore *owner);

    void LoadLang(const TInternalLangDefs &StringArray);
    // Whether Lang or Code names a built-in language; loads its table when
    // LoadDefs is true.
    bool InternalLanguages(const QString &Lang, const QString &Code, bool LoadDefs);
    const TLangIDs &InternalLanguage() const { return fIntLang; }

    QString GetItem(int Index) override;

private:
    TLangIDs fIntLang;
};

} // namespace wordmill
