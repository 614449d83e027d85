#include "TestPrinters.h"
#include <wordmill/WordmillCore.h>

#include <gtest/gtest.h>

using namespace wordmill;
using namespace Qt::StringLiterals;

namespace {

// Records the order of Loaded notifications and OnCreate.
QStringList journal;

class Probe : public TComponent
{
    Q_OBJECT
    Q_PROPERTY(QObject *Partner READ Partner WRITE SetPartner)
    Q_PROPERTY(QString Caption MEMBER m_caption)
public:
    using TComponent::TComponent;
    QObject *Partner() const { return m_partner; }
    void SetPartner(QObject *p)
    {
        m_partner = p;
        journal << objectName() + u" partner "_s + (p ? p->objectName() : u"-"_s)
                       + (IsLoading() ? u" loading"_s : u""_s);
    }
    void Loaded() override
    {
        journal << objectName() + u" loaded"_s;
        if (onLoaded)
            onLoaded();
    }
    QString m_caption;
    std::function<void()> onLoaded;

private:
    QObject *m_partner = nullptr;
};

class ProbeModule : public TDataModule
{
    Q_OBJECT
public:
    using TDataModule::TDataModule;
    Q_INVOKABLE void ModuleCreate(QObject *sender)
    {
        journal << u"OnCreate by "_s + (sender ? sender->objectName() : u"-"_s);
    }
};

} // namespace

TEST(ComponentModel, OwnerListKeepsCreationOrderAndForgetsDestroyed)
{
    TDataModule owner;
    auto *a = new TComponent(&owner);
    auto *b = new TComponent(&owner);
    auto *c = new TComponent(&owner);
    EXPECT_EQ(OwnedComponents(&owner), (QList<QObject *>{a, b, c}));
    EXPECT_EQ(a->Owner(), &owner);
    delete b;
    EXPECT_EQ(OwnedComponents(&owner), (QList<QObject *>{a, c}));
    // Changing the owner moves the component to the end of the new list.
    TDataModule other;
    SetComponentOwner(a, &other);
    EXPECT_EQ(OwnedComponents(&owner), (QList<QObject *>{c}));
    EXPECT_EQ(OwnedComponents(&other), (QList<QObject *>{a}));
}

TEST(ComponentModel, ReadingADefinitionLoadsResolvesThenCreates)
{
    TFormReader::RegisterClass(u"Probe"_s, [](QObject *owner, QObject *) -> QObject * {
        return new Probe(owner);
    });
    journal.clear();
    ProbeModule module;
    TFormReader reader(&module);
    const QByteArray definition = R"({
        "name": "Module1",
        "events": {"OnCreate": "ModuleCreate"},
        "components": [
            {"class": "Probe", "name": "First", "properties": {"Partner": "Second", "Caption": "one"}},
            {"class": "Probe", "name": "Second", "properties": {"Partner": "Module1"}}
        ]})";
    QString error;
    ASSERT_TRUE(reader.Read(definition, &error)) << error.toStdString();
    // References are resolved once all components exist, still while loading;
    // then Loaded in creation order, then the form's OnCreate.
    EXPECT_EQ(journal, (QStringList{u"First partner Second loading"_s,
                                    u"Second partner Module1 loading"_s, u"First loaded"_s,
                                    u"Second loaded"_s, u"OnCreate by Module1"_s}));
    auto *first = qobject_cast<Probe *>(OwnedComponents(&module).at(0));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->m_caption, u"one"_s);
    EXPECT_FALSE(first->IsLoading());
}

TEST(ComponentModel, MalformedDefinitionsAreRefusedWithoutOnCreate)
{
    const QByteArray cases[] = {
        "not json",
        R"({"components": [{"class": "NoSuchClass", "name": "X"}]})",
        R"({"components": [{"class": "Probe", "name": "X", "properties": {"NoSuchProperty": 1}}]})",
        R"({"components": [{"class": "Probe", "name": "X", "properties": {"Partner": "Missing"}}]})",
        R"({"events": {"OnCreate": "NoSuchHandler"}})",
    };
    for (const QByteArray &definition : cases) {
        journal.clear();
        ProbeModule module;
        TFormReader reader(&module);
        QString error;
        EXPECT_FALSE(reader.Read(definition, &error)) << definition.constData();
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(journal.contains(u"OnCreate by -"_s));
        EXPECT_FALSE(module.IsLoading());
    }
}

TEST(ComponentModel, LoadedNotificationMayDeleteOtherComponents)
{
    // The first component's Loaded frees the second; the third still gets
    // its notification and the form its OnCreate.
    journal.clear();
    ProbeModule module;
    module.setObjectName(u"Module1"_s);
    module.SetOnCreate(
        [](QObject *sender) { journal << u"OnCreate by "_s + sender->objectName(); });
    FormLoading loading(&module);
    auto *first = new Probe(&module);
    auto *second = new Probe(&module);
    auto *third = new Probe(&module);
    first->setObjectName(u"First"_s);
    second->setObjectName(u"Second"_s);
    third->setObjectName(u"Third"_s);
    first->onLoaded = [second] { delete second; };
    loading.Finish();
    EXPECT_EQ(journal,
              (QStringList{u"First loaded"_s, u"Third loaded"_s, u"OnCreate by Module1"_s}));
    EXPECT_EQ(OwnedComponents(&module), (QList<QObject *>{first, third}));
}

TEST(ComponentModel, ApplicationOnActivateCanReplaceItself)
{
    auto &app = TApplicationEvents::Instance();
    QStringList calls;
    app.SetOnActivate([&](QObject *) { calls << u"original"_s; });
    const TNotifyEvent previous = app.OnActivate();
    app.SetOnActivate([&](QObject *sender) {
        calls << u"hook"_s;
        app.SetOnActivate(previous); // one use only
        previous(sender);
    });
    app.NotifyActivated(nullptr);
    app.NotifyActivated(nullptr);
    EXPECT_EQ(calls, (QStringList{u"hook"_s, u"original"_s, u"original"_s}));
    EXPECT_TRUE(app.WasActivated());
    app.SetOnActivate({});
}

#include "component_model_test.moc"
