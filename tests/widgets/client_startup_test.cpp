#include "BindingFixture.h"

#include <QLabel>

using namespace binding_test;
using namespace wordmill;

namespace {

// A form read from a stored definition whose own OnCreate records what it
// sees.
class StartForm : public TForm
{
    Q_OBJECT
public:
    QObject *createSender = nullptr;
    QString labelAtCreate;
    QString languageAtCreate;
    QStringList selectorAtCreate;
    bool engineStartedAtCreate = false;

    Q_INVOKABLE void FormCreate(QObject *Sender)
    {
        createSender = Sender;
        labelAtCreate = findChild<QLabel *>(u"Label1"_s)->text();
        auto *engine = findChild<TWordmillEngine *>();
        languageAtCreate = engine->CurrentLanguage();
        engineStartedAtCreate = engine->IsInitialized();
        auto *combo = findChild<TLangCombo *>(u"LangCombo1"_s);
        for (int i = 0; i < combo->count(); ++i)
            selectorAtCreate.append(combo->itemText(i));
    }
};

QByteArray Definition(const QString &engineName, const QString &langsDir, bool initAfterCreate)
{
    return uR"({
  "name": "Form1",
  "events": {"OnCreate": "FormCreate"},
  "components": [
    {"class": "TWordmillEngine", "name": "ENGINE",
     "properties": {"DesignLangISOCode": "cs", "DesignLanguageName": "čeština",
                    "DefaultLanguage": "Testish", "LangSubdirectory": "DIR"}},
    {"class": "TWordmillClient", "name": "WordmillClient1",
     "properties": {"WordmillEngine": "ENGINE", "InitAfterCreateForm": AFTER}},
    {"class": "QLabel", "name": "Label1", "properties": {"text": "Popisek"}},
    {"class": "TLangCombo", "name": "LangCombo1",
     "properties": {"WordmillEngine": "ENGINE", "StyleCombo": "scDropDownList"}},
    {"class": "TLangFlagsCombo", "name": "LangFlags1", "properties": {"WordmillEngine": "ENGINE"}},
    {"class": "TLangFlag", "name": "LangFlag1", "properties": {"WordmillEngine": "ENGINE"}},
    {"class": "TValuedLabel", "name": "Size1",
     "properties": {"ValueName": "Velikost", "ValueSeparator": ":", "ValueSpaces": 1,
                    "Value": "15 MB"}}
  ]
})"_s.replace(u"ENGINE"_s, engineName)
        .replace(u"DIR"_s, langsDir)
        .replace(u"AFTER"_s, initAfterCreate ? u"true"_s : u"false"_s)
        .toUtf8();
}

class ClientStartup : public testing::TestWithParam<bool>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        WriteLanguage(dir.filePath(u"testish.lng"_s), u"Testish"_s, u"tt"_s,
                      {ComponentLine(0, u"Caption"_s, u"Label1"_s, u"Form1"_s),
                       ComponentLine(7, u"Size"_s, u"Size1"_s, u"Form1"_s)});
        TWidgetFormReader reader(&form);
        QString error;
        ASSERT_TRUE(reader.Read(Definition(FreshEngineName(), dir.path(), GetParam()), &error))
            << error.toStdString();
    }

    QTemporaryDir dir;
    StartForm form;
};

TEST_P(ClientStartup, EngineStartsAroundTheFormsOwnOnCreate)
{
    auto *client = form.findChild<TWordmillClient *>(u"WordmillClient1"_s);
    auto *label = form.findChild<QLabel *>(u"Label1"_s);
    ASSERT_TRUE(client && label);
    EXPECT_EQ(form.createSender, client); // the client, not the form, is the sender
    if (GetParam()) {
        // The form's code ran first and saw the design texts.
        EXPECT_FALSE(form.engineStartedAtCreate);
        EXPECT_EQ(form.labelAtCreate, u"Popisek"_s);
        EXPECT_EQ(form.languageAtCreate, u"čeština"_s);
        EXPECT_EQ(form.selectorAtCreate, (QStringList{u"čeština"_s, u"Testish"_s}));
    } else {
        EXPECT_TRUE(form.engineStartedAtCreate);
        EXPECT_EQ(form.labelAtCreate, u"Caption"_s);
        EXPECT_EQ(form.languageAtCreate, u"Testish"_s);
        EXPECT_EQ(form.selectorAtCreate.mid(0, 2), (QStringList{u"čeština"_s, u"Testish"_s}));
        EXPECT_EQ(form.selectorAtCreate.size(), 4); // and the editor entries
    }
    // Either way the form ends up in the start language with the design
    // texts collected.
    EXPECT_EQ(label->text(), u"Caption"_s);
    EXPECT_EQ(client->DesignStruct.GetString(u"Label1"_s, u"Form1"_s, 0, QString()), u"Popisek"_s);
    auto *combo = form.findChild<TLangCombo *>(u"LangCombo1"_s);
    EXPECT_EQ(combo->currentText(), u"Testish"_s);
    auto *flags = form.findChild<TLangFlagsCombo *>(u"LangFlags1"_s);
    ASSERT_TRUE(flags);
    EXPECT_EQ(flags->currentText(), u"Testish"_s);
    ASSERT_TRUE(form.findChild<TLangFlag *>(u"LangFlag1"_s));
    auto *size = form.findChild<TValuedLabel *>(u"Size1"_s);
    ASSERT_TRUE(size);
    EXPECT_EQ(size->text(), u"Size: 15 MB"_s);
}

INSTANTIATE_TEST_SUITE_P(InitAfterCreateForm, ClientStartup, testing::Bool(), [](const auto &info) {
    return info.param ? std::string("after_the_forms_code") : std::string("before_the_forms_code");
});

TEST(ClientHook, FormStillStartsWhenTheClientIsGone)
{
    TForm form;
    int created = 0;
    form.SetOnCreate([&](QObject *) { ++created; });
    auto *client = new TWordmillClient(&form);
    EXPECT_EQ(client->OwnerOnCreate ? 1 : 0, 1);
    delete client;
    form.DoCreate(&form);
    EXPECT_EQ(created, 1);
}

TEST(ClientHook, ClientOfAPlainObjectIsNeverHooked)
{
    QObject owner;
    TWordmillClient client(&owner);
    EXPECT_FALSE(client.OwnerOnCreate);
}

} // namespace

#include "client_startup_test.moc"
