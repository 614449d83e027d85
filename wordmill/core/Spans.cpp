#include "Spans.h"

#include <wordmill/core/Lexicon.h>
#include <wordmill/core/WordmillCPC.h>
#include <wordmill/WordmillSys.h>
#include <wordmill/sys/ComponentStructure.h>
#include <wordmill/toolkit/ComponentNames.h>

namespace wordmill {

namespace {

// Loops take the entries present when they start; an entry destroyed during
// the loop is skipped.
template<typename F>
void forEachComponent(const QList<QPointer<QObject>> &entries, F f)
{
    const QList<QPointer<QObject>> snapshot = entries;
    for (const QPointer<QObject> &entry : snapshot)
        if (auto *component = qobject_cast<TWordmillComponent *>(entry.data()))
            f(component);
}

} // namespace

TSpans::TSpans() = default;
TSpans::~TSpans() = default;

qsizetype TSpans::Count() const
{
    return Components().size();
}

QObject *TSpans::Client(qsizetype Index) const
{
    const QList<QObject *> live = Components();
    return Index >= 0 && Index < live.size() ? live.at(Index) : nullptr;
}

QList<QObject *> TSpans::Components() const
{
    QList<QObject *> live;
    live.reserve(m_components.size());
    for (const QPointer<QObject> &entry : m_components)
        if (entry)
            live.append(entry.data());
    return live;
}

void TSpans::RegisterClient(QObject *Client)
{
    if (!Client)
        return;
    m_components.removeIf([](const QPointer<QObject> &p) { return p.isNull(); });
    m_components.append(Client);
}

void TSpans::UnregisterClient(QObject *Client)
{
    m_components.removeIf([](const QPointer<QObject> &p) { return p.isNull(); });
    for (qsizetype i = 0; i < m_components.size(); ++i) {
        if (m_components.at(i).data() == Client) {
            m_components.removeAt(i);
            return;
        }
    }
}

void TSpans::InitClients()
{
    forEachComponent(m_components, [](TWordmillComponent *c) { c->InitClient(); });
}

void TSpans::CallClientProcs()
{
    forEachComponent(m_components, [](TWordmillComponent *c) { c->LanguageChanged(nullptr); });
}

void TSpans::InitToLanguage(const QString &InitLanguage, bool IsDesignLang)
{
    forEachComponent(m_components, [&](TWordmillComponent *c) {
        if (c->WordmillComponentLanguage == InitLanguage)
            return; // already shows that language
        if (IsDesignLang && c->WordmillComponentLanguage.isEmpty()) {
            // never translated: it shows its design texts already
            c->WordmillComponentLanguage = InitLanguage;
            return;
        }
        c->LanguageChanged(nullptr);
    });
}

void TSpans::PrepareForDesignTimeEdit()
{
    forEachComponent(m_components, [](TWordmillComponent *c) { c->PrepareForEdit(); });
}

TWordmillComponent *TSpans::GetClientByStructLine(const TFullStructLine &StructItem) const
{
    for (QObject *entry : Components()) {
        auto *client = qobject_cast<TWordmillComponent *>(entry);
        TComponentStructure *design = client ? client->DesignStructure() : nullptr;
        if (design && design->Find(StructItem) >= 0)
            return client;
    }
    return nullptr;
}

bool TSpans::IsRegistered(const TFullStructLine &StructItem) const
{
    return GetClientByStructLine(StructItem) != nullptr;
}

TWordmillList *TSpans::GetListByName(const QString &ListName) const
{
    for (QObject *component : Components())
        if (auto *list = qobject_cast<TWordmillList *>(component); list && QualifiedName(list) == ListName)
            return list;
    return nullptr;
}

QString TSpans::SpanName(qsizetype Index) const
{
    return SpanNameOf(Client(Index));
}

bool TSpans::IsRegistered(const QString &ByName) const
{
    for (QObject *component : Components())
        if (SpanNameOf(component) == ByName)
            return true;
    return false;
}

QString TSpans::SpanNameOf(const QObject *Component)
{
    if (!Component)
        return QString();
    if (qobject_cast<const TWordmillList *>(Component))
        return QualifiedName(Component);
    // A per-form client names its span after the form it translates.
    if (const auto *client = qobject_cast<const TWordmillCPC *>(Component))
        return client->GetLanguageOwner();
    return Component->objectName();
}

} // namespace wordmill
