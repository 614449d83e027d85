#pragma once

#include <wordmill/core/WordmillComponent.h>

#include <QList>

#include <functional>

namespace wordmill {

// Abstract base of every numbered text list bound to an engine.
class TWordmillList : public TWordmillComponent
{
    Q_OBJECT
public:
    using TWordmillComponent::TWordmillComponent;

    // Text of item Index in the current language, decoded; empty when the
    // item is not defined.
    virtual QString GetItem(int Index) = 0;
    // Highest item number the list can hold.
    virtual int MaxIndex() const = 0;
    virtual bool IsDefined(int Index) const = 0;
    // Whether some item's stored design text equals LocStr, ignoring case.
    virtual bool IsDefined(const QString &LocStr) const = 0;
    // Stored design text of the item (escaped, untranslated); empty when none.
    virtual QString GetLocStr(int Index) const = 0;

    QString Item(int Index) { return GetItem(Index); }
};

// A parameterless callback a lexicon calls on every language change.
using TLexiconSlave = std::function<void()>;

// A numbered message table: adds item links, string completion and
// language-change callbacks.
class TLexicon : public TWordmillList
{
    Q_OBJECT
public:
    explicit TLexicon(QObject *owner = nullptr);

    // Callbacks run before OnChangeLanguage; empty entries are skipped.
    QList<TLexiconSlave> Slaves;
    void AddSlave(const TLexiconSlave &slave) { Slaves.append(slave); }

    // The reference form of item Index: "«#" Index ";".
    virtual QString GetLink(int Index) const;
    // Str with its item references and quoted smart strings expanded.
    virtual QString CompleteString(const QString &Str);

    QString Link(int Index) const { return GetLink(Index); }

    void LanguageChanged(QObject *Sender) override;
};

} // namespace wordmill
