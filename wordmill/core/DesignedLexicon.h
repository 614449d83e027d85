#pragma once

#include <wordmill/core/Lexicon.h>

#include <QStringList>

namespace wordmill {

// A lexicon whose items are the lines of a list filled at design time: item
// n is line n of Items, kept in the design language in escaped form.
class TCustomDesignedLexicon : public TLexicon
{
    Q_OBJECT
public:
    explicit TCustomDesignedLexicon(QObject *owner = nullptr);

    const QStringList &Items() const { return fItems; }
    void SetItems(const QStringList &Value) { fItems = Value; }

    // Escapes Text, appends it as the last line and returns its item number.
    int CreateItem(const QString &Text);

    QString GetItem(int Index) override;
    int MaxIndex() const override;
    bool IsDefined(int Index) const override;
    bool IsDefined(const QString &LocStr) const override;
    QString GetLocStr(int Index) const override;

protected:
    QStringList fItems;
};

// The designed lexicon placed on forms.
class TDesignedLexicon : public TCustomDesignedLexicon
{
    Q_OBJECT
    Q_PROPERTY(QStringList Items READ Items WRITE SetItems)
    Q_PROPERTY(bool GlobalLexicon READ GlobalLexicon WRITE SetGlobalLexicon)

public:
    using TCustomDesignedLexicon::TCustomDesignedLexicon;
};

} // namespace wordmill
