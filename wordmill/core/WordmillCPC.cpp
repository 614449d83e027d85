#include "WordmillCPC.h"

#include <wordmill/core/StringTranslation.h>
#include <wordmill/core/WordmillEngineCore.h>
#include <wordmill/sys/DisplayText.h>
#include <wordmill/sys/ItemAddress.h>
#include <wordmill/sys/LineID.h>
#include <wordmill/sys/Logging.h>
#include <wordmill/toolkit/Form.h>

#include <QPointer>
#include <QVariant>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

// Actions carry their help keyword as a dynamic property of this name.
constexpr char HelpKeywordProperty[] = "HelpKeyword";

} // namespace

TWordmillCPC::TWordmillCPC(QObject *owner) : TWordmillComponent(owner) {}

TWordmillCPC::~TWordmillCPC() = default;

QString TWordmillCPC::GetLanguageOwner() const
{
    if (!LanguageOwner.isEmpty())
        return LanguageOwner;
    const QObject *owner = Owner();
    return owner ? owner->objectName() : QString();
}

QString TWordmillCPC::OwnerNameOf(const QObject *Component) const
{
    const QObject *owner = ComponentOwner(Component);
    if (!owner)
        return QString();
    if (owner == Owner())
        return GetLanguageOwner();
    return owner->objectName();
}

void TWordmillCPC::InitClient()
{
    if (CSInitialized)
        return;
    CSInitialized = true;
    Bindings.Clear();
    ProcessAll(true);
    if (HasExtraStructure())
        BuildExtraStructure();
}

void TWordmillCPC::LanguageChanged(QObject *Sender)
{
    if (!fWordmillEngine) {
        ReleaseStructure();
        TWordmillComponent::LanguageChanged(Sender);
        return;
    }
    // An engine that has not started yet brings nobody to a language.
    if (!fWordmillEngine->IsInitialized())
        return;
    if (!CSInitialized)
        InitClient();
    if (DesignStruct.Count() > 0)
        ProcessAll(false);
    TWordmillComponent::LanguageChanged(Sender);
}

QString TWordmillCPC::ReleaseStructure()
{
    QString language = WordmillComponentLanguage;
    if (fWordmillEngine && language == fWordmillEngine->DesignLanguageName())
        language.clear();
    // Without an engine every lookup yields the recorded design text, so an
    // apply pass without it gives the components their design texts back.
    // A client that has just lost its engine is restored as well: it may
    // show any language, and collecting that again later would take the
    // translations for design texts.
    if (CSInitialized && (!language.isEmpty() || !fWordmillEngine)) {
        const QPointer<TWordmillCore> engine = fWordmillEngine;
        fWordmillEngine = nullptr;
        WordmillComponentLanguage.clear();
        ProcessAll(false);
        fWordmillEngine = engine;
    }
    // The structure is gone, so it has to be collected again before use.
    CSInitialized = false;
    DesignStruct.Clear();
    Bindings.Clear();
    return language;
}

void TWordmillCPC::RecreateTransStruct()
{
    CollectAgain(ReleaseStructure());
}

void TWordmillCPC::CollectAgain(const QString &Language)
{
    if (!Language.isEmpty() && fWordmillEngine && fWordmillEngine->IsInitialized()) {
        LanguageChanged(this); // collects afresh and applies the current language
        return;
    }
    // The components show their design texts: collect them afresh.
    InitClient();
}

void TWordmillCPC::StructureSettingsChanged()
{
    if (!IsLoading() && fWordmillEngine && fWordmillEngine->IsInitialized())
        RecreateTransStruct();
}

void TWordmillCPC::ChangeStructureSettings(const std::function<void()> &Change)
{
    if (IsLoading() || !fWordmillEngine || !fWordmillEngine->IsInitialized()) {
        Change();
        return;
    }
    // The design texts go back with the settings they were collected with:
    // a kind of property the new settings leave out would otherwise keep
    // its translation for good.
    const QString language = ReleaseStructure();
    Change();
    CollectAgain(language);
}

void TWordmillCPC::Translate()
{
    if (!fWordmillEngine)
        return;
    // A start that switched languages has retranslated every client already.
    if (!fWordmillEngine->Initialize(true))
        LanguageChanged(this);
}

void TWordmillCPC::TranslateAs(const QString &FormName)
{
    const QString old = GetLanguageOwner();
    LanguageOwner = FormName;
    Bindings.Clear(); // the keys name the owner
    if (DesignStruct.SwitchLanguageOwner(old, FormName))
        Translate();
}

void TWordmillCPC::TakeOverOwnerCreate()
{
    FormHooks *form = AsForm(Owner());
    if (!form)
        return;
    OwnerOnCreate = form->OnCreate();
    const TNotifyEvent previous = OwnerOnCreate;
    const QPointer<TWordmillCPC> self = this;
    form->SetOnCreate([self, previous](QObject *Sender) {
        if (self)
            self->OwnerCreated(Sender);
        else if (previous)
            previous(Sender); // the client is gone: the form still starts
    });
}

void TWordmillCPC::OwnerCreated(QObject *Sender)
{
    Q_UNUSED(Sender);
    const QPointer<TWordmillCPC> self = this;
    const TNotifyEvent ownCreate = OwnerOnCreate;
    if (fAfterCreate && ownCreate) {
        ownCreate(this);
        if (!self)
            return;
    }
    if (fWordmillEngine)
        fWordmillEngine->Initialize(true);
    if (self && !fAfterCreate && ownCreate)
        ownCreate(this);
}

bool TWordmillCPC::AcceptsText(int PropertyID, const QString &Value,
                               const QString &ActionText) const
{
    Q_UNUSED(PropertyID);
    return Value != ActionText;
}

void TWordmillCPC::ProcessComponent(QObject *Component, bool Collect)
{
    // An action's help keyword (the widget layer's actions carry it as a
    // dynamic property; the class is tested by name to stay free of it).
    if (Component->inherits("QAction") && TranslatesStringProp(pnHelpKeyword)) {
        const QVariant keyword = Component->property(HelpKeywordProperty);
        if (keyword.isValid()) {
            const QString value = keyword.toString();
            const QString result = TransText(Component, pnHelpKeyword, QString(), Collect, value);
            if (!Collect && result != value)
                Component->setProperty(HelpKeywordProperty, result);
        }
    }
}

bool TWordmillCPC::AddComponent(QObject *Component, const QString &Name, bool Translate)
{
    if (!Component || ComponentOwner(Component) != Owner())
        return false;
    if (!Name.isEmpty())
        Component->setObjectName(Name);
    Bindings.Clear();
    ProcessComponent(Component, true);
    if (Translate && fWordmillEngine)
        ProcessComponent(Component, false);
    return true;
}

void TWordmillCPC::TranslateComponent(QObject *Component, const QString &Name)
{
    if (!Component)
        return;
    if (!Name.isEmpty())
        Component->setObjectName(Name);
    if (ComponentOwner(Component) && fWordmillEngine)
        ProcessComponent(Component, false);
}

// ---- binding table

bool TWordmillCPC::BindLine(TBindingTable::TBinding &Binding, QObject *Component, int PropertyID,
                            const QString &Addr) const
{
    Binding.LineID =
        ComposeLineID(Component->objectName(), OwnerNameOf(Component), PropertyID, Addr);
    const TStructItem *design = DesignStruct.FindItem(Binding.LineID);
    Binding.DesignText = design ? design->Translation : QString();
    return design != nullptr;
}

void TWordmillCPC::ApplyBinding(const TBindingTable::TBinding &Binding, const QString &Name)
{
    // An empty result (no translation, no design text) leaves the component
    // as it is; so does the text it already shows, since writing it again
    // would only reset cursors and selections.
    const QString result = ResolveTranslation(this, Binding.LineID, Binding.DesignText);
    if (result.isEmpty() || result == Binding.Read())
        return;
    Binding.Write(Binding.Rule == TBindingTable::wrText ? CapDisplayText(result, Name) : result);
}

TBindingTable::TEntry *TWordmillCPC::RecordingEntry()
{
    if (fRecordingEntry < 0 || fRecordingGeneration != Bindings.Generation())
        return nullptr;
    return &Bindings.Entries()[size_t(fRecordingEntry)];
}

void TWordmillCPC::ApplyAll(const QList<QObject *> &Components)
{
    if (Bindings.Matches(Components)) {
        ReplayBindings();
        return;
    }
    // A full pass that records what it does, component by component. A
    // write whose signal clears or rebuilds the table ends the recording;
    // the pass still translates the rest.
    Bindings.Begin();
    const quint64 generation = Bindings.Generation();
    for (QObject *component : Components) {
        const bool recording = generation == Bindings.Generation();
        if (recording) {
            Bindings.AddEntry(component);
            fRecordingEntry = qsizetype(Bindings.Entries().size()) - 1;
            fRecordingGeneration = generation;
        }
        ProcessComponent(component, false);
        fRecordingEntry = -1;
    }
    if (generation == Bindings.Generation())
        Bindings.Finish();
}

void TWordmillCPC::ReplayBindings()
{
    const quint64 generation = Bindings.Generation();
    std::vector<TBindingTable::TEntry> entries = Bindings.TakeEntries();
    for (const TBindingTable::TEntry &entry : entries) {
        if (!entry.Component)
            continue;
        if (entry.Generic) {
            ProcessComponent(entry.Component, false);
            continue;
        }
        try {
            for (const TBindingTable::TBinding &binding : entry.Bindings) {
                if (!entry.Component)
                    break; // a write destroyed it
                ApplyBinding(binding, entry.Name);
            }
        } catch (const std::exception &error) {
            qCWarning(lcWordmill) << "translating" << entry.Name << "failed:" << error.what();
        }
    }
    Bindings.ReturnEntries(std::move(entries), generation);
}

// ---- text operations

void TWordmillCPC::AddLine(QObject *Component, int PropertyID, const QString &Addr,
                           const QString &Text)
{
    AddLineAs(Component->objectName(), Component, PropertyID, Addr, Text);
}

void TWordmillCPC::AddLineAs(const QString &CompName, QObject *Component, int PropertyID,
                             const QString &Addr, const QString &Text)
{
    DesignStruct.AddTextProperty(CompName, OwnerNameOf(Component), PropertyID, Text, Addr);
}

QString TWordmillCPC::LookUp(const QString &CompName, QObject *Component, int PropertyID,
                             const QString &Addr)
{
    return FindTranslation(this, CompName, OwnerNameOf(Component), Addr, PropertyID);
}

QString TWordmillCPC::TransText(QObject *Component, int PropertyID, const QString &ActionText,
                                bool Collect, const QString &Value)
{
    if (Collect) {
        if (Value != Component->objectName() && AcceptsText(PropertyID, Value, ActionText))
            AddLine(Component, PropertyID, QString(), Value);
        return Value;
    }
    const QString translated = LookUp(Component->objectName(), Component, PropertyID, QString());
    return translated.isEmpty() ? Value : translated;
}

QString TWordmillCPC::TransAddressed(QObject *Component, int PropertyID, const QString &Addr,
                                     bool Collect, const QString &Value)
{
    if (Collect) {
        AddLine(Component, PropertyID, Addr, Value);
        return Value;
    }
    const QString translated = LookUp(Component->objectName(), Component, PropertyID, Addr);
    return translated.isEmpty() ? Value : translated;
}

bool TWordmillCPC::TransStrings(QObject *Component, int PropertyID, bool Collect, QStringList &List)
{
    return TransLines(Component, PropertyID, Collect, List, [](int i) { return IndexText(i); });
}

bool TWordmillCPC::TransStringsAt(QObject *Component, int PropertyID, const QString &Prefix,
                                  bool Collect, QStringList &List)
{
    return TransLines(Component, PropertyID, Collect, List,
                      [&Prefix](int i) { return AppendIndex(Prefix, i); });
}

bool TWordmillCPC::TransLines(QObject *Component, int PropertyID, bool Collect, QStringList &List,
                              const std::function<QString(int)> &Address)
{
    bool changed = false;
    const QString name = Component->objectName();
    const qsizetype count = List.size();
    for (qsizetype i = 0; i < count; ++i) {
        const QString addr = Address(int(i));
        if (Collect) {
            AddLine(Component, PropertyID, addr, List.at(i));
            continue;
        }
        const QString translated = LookUp(name, Component, PropertyID, addr);
        if (!translated.isEmpty() && translated != List.at(i)) {
            List[i] = translated;
            changed = true;
        }
    }
    return changed;
}

QString TWordmillCPC::TransFilter(QObject *Component, int PropertyID, bool Collect,
                                  const QString &Filter)
{
    QStringList pairs;
    const QString name = Component->objectName();
    qsizetype from = 0;
    for (;;) {
        const qsizetype bar = Filter.indexOf(u'|', from);
        if (bar < 0)
            break; // a description without mask
        QString description = Filter.mid(from, bar - from);
        const qsizetype next = Filter.indexOf(u'|', bar + 1);
        const QString mask = next < 0 ? Filter.mid(bar + 1) : Filter.mid(bar + 1, next - bar - 1);
        const QString addr = SanitizeName(u'[' + mask + u']');
        if (Collect) {
            AddLine(Component, PropertyID, addr, description);
        } else {
            const QString translated = LookUp(name, Component, PropertyID, addr);
            if (!translated.isEmpty())
                description = translated;
            pairs.append(description + u'|' + mask);
        }
        if (next < 0)
            break;
        from = next + 1;
    }
    return Collect ? Filter : pairs.join(u'|');
}

QString TWordmillCPC::MappedName(QObject *Object, const QString &Caption)
{
    const auto it = ObjMap.constFind(Object);
    if (it != ObjMap.constEnd())
        return *it;
    const QString name = MakeIdentifier(Caption);
    if (!name.isEmpty()) {
        ObjMap.insert(Object, name);
        // A destroyed object's address may be reused by a new one, which
        // must not inherit the old name.
        connect(Object, &QObject::destroyed, this, [this](QObject *gone) { ObjMap.remove(gone); });
    }
    return name;
}

// ---- TIntegratedWordmillHandler

TIntegratedWordmillHandler::TIntegratedWordmillHandler(QObject *owner) : TComponent(owner) {}

TIntegratedWordmillHandler::~TIntegratedWordmillHandler() = default;

void TIntegratedWordmillHandler::SetIntegrator(QObject *Master)
{
    if (!Master)
        return;
    if (!Integrator)
        Integrator = std::make_unique<QList<QPointer<QObject>>>();
    Integrator->clear();
    Integrator->append(Master);
}

QObject *TIntegratedWordmillHandler::GetIntegrator() const
{
    if (!Integrator || Integrator->isEmpty())
        return nullptr;
    return Integrator->first().data();
}

} // namespace wordmill
