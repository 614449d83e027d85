#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

namespace wordmill {

class TWordmillComponent;
class TWordmillList;
struct TFullStructLine;

// An engine's registry of the components bound to it, in registration
// order. It does not own them; a destroyed component drops out by itself.
class TSpans
{
public:
    TSpans();
    ~TSpans();
    TSpans(const TSpans &) = delete;
    TSpans &operator=(const TSpans &) = delete;

    qsizetype Count() const;
    QObject *Client(qsizetype Index) const;
    // The live entries, in registration order.
    QList<QObject *> Components() const;

    void RegisterClient(QObject *Client);
    // Removes the first entry of Client, if any.
    void UnregisterClient(QObject *Client);

    void InitClients();
    void CallClientProcs();
    // Brings every client to InitLanguage; see the implementation for the
    // rules on untranslated clients of the design language.
    void InitToLanguage(const QString &InitLanguage, bool IsDesignLang);
    void PrepareForDesignTimeEdit();

    // The first client whose design structure has a line with the key of
    // StructItem; nullptr when none.
    TWordmillComponent *GetClientByStructLine(const TFullStructLine &StructItem) const;
    bool IsRegistered(const TFullStructLine &StructItem) const;
    TWordmillList *GetListByName(const QString &ListName) const;
    QString SpanName(qsizetype Index) const;
    bool IsRegistered(const QString &ByName) const;

    // Span name of any component: a client's language owner, a list's
    // qualified name, else the component's own name.
    static QString SpanNameOf(const QObject *Component);

private:
    QList<QPointer<QObject>> m_components;
};

} // namespace wordmill
