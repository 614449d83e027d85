#pragma once

#include <wordmill/core/BindingTable.h>
#include <wordmill/core/PropertySets.h>
#include <wordmill/core/WordmillComponent.h>
#include <wordmill/sys/ComponentStructure.h>

#include <QHash>
#include <QStringList>

#include <functional>

namespace wordmill {

// Base of a per-form client: the component that translates the properties
// of all components owned by the same form. It keeps the design texts it
// found in a design structure, runs the collect pass (read the texts into
// the structure) and the apply pass (write the current language's texts
// back), and hooks the form's creation so that the engine starts before the
// form's own start-up code. Which properties of which classes are read and
// written is decided by the subclass in ProcessAll and ProcessComponent.
class TWordmillCPC : public TWordmillComponent
{
    Q_OBJECT
    Q_PROPERTY(bool InitAfterCreateForm READ InitAfterCreateForm WRITE SetInitAfterCreateForm)

public:
    explicit TWordmillCPC(QObject *owner = nullptr);
    ~TWordmillCPC() override;

    // The design texts collected from the owner's components.
    TComponentStructure DesignStruct;
    // Owner name under which the lines are stored and looked up; empty
    // means the owner's own name.
    QString LanguageOwner;
    // The owner's OnCreate handler as it was before the client took it over.
    TNotifyEvent OwnerOnCreate;
    // The design structure has been collected.
    bool CSInitialized = false;

    // False (the default): the engine starts before the form's own OnCreate
    // code, which then sees the start language. True: the form's code runs
    // first and sees the design texts.
    bool InitAfterCreateForm() const { return fAfterCreate; }
    void SetInitAfterCreateForm(bool Value) { fAfterCreate = Value; }

    QString GetLanguageOwner() const;
    // The owner name a component's lines are stored under: the language
    // owner for the client's own components, another owner's name for
    // components of other owners, empty for a component without owner.
    QString OwnerNameOf(const QObject *Component) const;

    // ---- notifications of the engine
    void InitClient() override;
    void LanguageChanged(QObject *Sender) override;
    TComponentStructure *DesignStructure() override { return &DesignStruct; }

    // ---- operations of clients
    virtual bool TranslatesStringProp(int Element) const { return true; }
    virtual bool TranslatesStringsProp(int Element) const { return true; }
    virtual bool TranslatesStructuredProp(int Element) const { return true; }
    virtual bool TranslatesOtherProp(int Element) const { return true; }
    virtual bool HasExtraStructure() const { return false; }
    virtual void BuildExtraStructure() {}
    // The client's replacement of the owner's OnCreate.
    virtual void OwnerCreated(QObject *Sender);
    // Whether a text is worth collecting: here, it differs from the text
    // the component inherits from its action.
    virtual bool AcceptsText(int PropertyID, const QString &Value, const QString &ActionText) const;
    // Collect (true) or apply (false) the texts of one component.
    virtual void ProcessComponent(QObject *Component, bool Collect);
    // Collect or apply the texts of every component of the owner.
    virtual void ProcessAll(bool Collect) = 0;
    // Takes in a component created at run time: false (nothing done) when it
    // has another owner. A non-empty Name renames it first. Its texts are
    // collected, and with Translate also brought to the current language.
    virtual bool AddComponent(QObject *Component, const QString &Name, bool Translate);
    // Rebuilds the design structure; see the implementation.
    virtual void RecreateTransStruct();
    // Brings one component to the current language (renaming it first when
    // Name is not empty).
    virtual void TranslateComponent(QObject *Component, const QString &Name);
    // Brings the client to the current language.
    virtual void Translate();
    // Keeps and looks up the client's lines under FormName instead of the
    // owner's name, so that several instances of one form class can be
    // told apart.
    void TranslateAs(const QString &FormName);

    // Gives the components their design texts back when they show another
    // language, and empties the design structure. Returns the language they
    // showed (empty for the design language).
    QString ReleaseStructure();
    // Called when a setting that decides what is collected changed.
    void StructureSettingsChanged();
    // Runs Change, which alters what is collected, so that the components
    // first get their design texts back under the old settings and are then
    // collected and translated under the new ones.
    void ChangeStructureSettings(const std::function<void()> &Change);

    // ---- text operations of the passes; each returns the value to assign
    // Collect: records Value unless it is the component's name or refused by
    // AcceptsText. Apply: the translation, else Value.
    QString TransText(QObject *Component, int PropertyID, const QString &ActionText, bool Collect,
                      const QString &Value);
    // Like TransText with an item address, without the name and action tests.
    QString TransAddressed(QObject *Component, int PropertyID, const QString &Addr, bool Collect,
                           const QString &Value);
    // Line i of List at address i (or Prefix + "," + i). Apply replaces a
    // line only by a non-empty translation; returns true when a line changed.
    bool TransStrings(QObject *Component, int PropertyID, bool Collect, QStringList &List);
    bool TransStringsAt(QObject *Component, int PropertyID, const QString &Prefix, bool Collect,
                        QStringList &List);
    // A filter of description and mask pairs separated by "|": each
    // description is stored at "[mask]". Apply rebuilds the filter from
    // complete pairs.
    QString TransFilter(QObject *Component, int PropertyID, bool Collect, const QString &Filter);
    // A name for an object that has none, made of the first caption it
    // showed and kept for the client's life.
    QString MappedName(QObject *Object, const QString &Caption);

    void AddLine(QObject *Component, int PropertyID, const QString &Addr, const QString &Text);
    void AddLineAs(const QString &CompName, QObject *Component, int PropertyID, const QString &Addr,
                   const QString &Text);
    // The current language's text of a recorded line (apply pass).
    QString LookUp(const QString &CompName, QObject *Component, int PropertyID,
                   const QString &Addr);

protected:
    // Fills the key and design text of the line of an apply pass; true when
    // the line was collected.
    bool BindLine(TBindingTable::TBinding &Binding, QObject *Component, int PropertyID,
                  const QString &Addr) const;
    // Writes the current language's text of a binding to its component
    // (named Name) where it differs from what the component shows.
    void ApplyBinding(const TBindingTable::TBinding &Binding, const QString &Name);
    // The apply pass over Components: a replay of the binding table when it
    // was built for them, else a full pass (ProcessComponent) that builds it.
    void ApplyAll(const QList<QObject *> &Components);
    // The entry of the component whose pass builds the table, or null.
    TBindingTable::TEntry *RecordingEntry();

    // Collects the structure again after ReleaseStructure and brings the
    // components back to Language when it is not the design language.
    void CollectAgain(const QString &Language);
    // Makes OwnerCreated the owner's OnCreate handler when the owner is a
    // form or data module. Subclasses call it from their constructor.
    void TakeOverOwnerCreate();

    bool fAfterCreate = false;
    // Names made up for objects that have none.
    QHash<const QObject *, QString> ObjMap;
    // What the last apply pass resolved; cleared whenever the design
    // structure or its keys change.
    TBindingTable Bindings;

private:
    void ReplayBindings();

    // Position of the entry being recorded in Bindings (-1 when none) and
    // the table's generation it belongs to.
    qsizetype fRecordingEntry = -1;
    quint64 fRecordingGeneration = 0;

    // Both list operations: line i at Address(i).
    bool TransLines(QObject *Component, int PropertyID, bool Collect, QStringList &List,
                    const std::function<QString(int)> &Address);
};

// A holder component that the library puts into dialogs it does not create
// itself, to remember which client attached them to an engine (the master).
class TIntegratedWordmillHandler : public TComponent
{
    Q_OBJECT
public:
    explicit TIntegratedWordmillHandler(QObject *owner = nullptr);
    ~TIntegratedWordmillHandler() override;

    // Nothing for an empty master; otherwise Master becomes the only entry.
    void SetIntegrator(QObject *Master);
    // The master, or nullptr.
    QObject *GetIntegrator() const;

private:
    std::unique_ptr<QList<QPointer<QObject>>> Integrator;
};

} // namespace wordmill
