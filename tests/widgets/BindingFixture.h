#pragma once

#include "TestPrinters.h"
#include <wordmill/WordmillComp.h>
#include <wordmill/WordmillCtrls.h>
#include <wordmill/WordmillSys.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace binding_test {

using namespace Qt::StringLiterals;

// One component line of a language file: the translation of property Id of
// component Comp (owned by Owner) at item address Addr.
inline QString ComponentLine(int Id, const QString &Text, const QString &Comp, const QString &Owner,
                             const QString &Addr = {})
{
    QString line = QString::number(Id) + u"\t\""_s + Text + u"\"\t%COMPONENT="_s + Comp +
                   u";\t%OWNER="_s + Owner + u';';
    if (!Addr.isEmpty())
        line += u"\t%ITEM="_s + Addr + u';';
    return line;
}

// A component named Name, made with Form as its parent and owned by it.
template <typename T> T *OwnedComponent(QObject *Form, const QString &Name)
{
    T *component;
    if constexpr (std::is_base_of_v<QWidget, T>)
        component = new T(static_cast<QWidget *>(Form));
    else
        component = new T(Form);
    component->setObjectName(Name);
    wordmill::SetComponentOwner(component, Form);
    return component;
}

// The caption line (property 0) of a component of Form1.
inline QString CaptionLine(const QString &Comp, const QString &Text)
{
    return ComponentLine(0, Text, Comp, u"Form1"_s);
}

// Writes a language file (UTF-16 with byte-order mark, CR LF), with a flag
// section when Flag holds picture bytes.
inline void WriteLanguage(const QString &Path, const QString &Name, const QString &Code,
                          const QStringList &ComponentLines, const QByteArray &Flag = {})
{
    QStringList lines{u"[LANGUAGE_FILE]"_s, u"0\t%LANGUAGE_NAME=\""_s + Name + u"\"\t%CODE="_s +
                                                Code + u";\t%FILEVER=WMLF1;"_s};
    lines += ComponentLines;
    lines += {u"0\t%LEXICON_STRINGS"_s, u"0\t%SMART_STRINGS"_s};
    if (!Flag.isEmpty()) {
        lines += u"0\t%FLAG_ICON"_s;
        for (qsizetype i = 0; i * 50 < Flag.size(); ++i)
            lines += QString::number(i) + u'\t' +
                     QString::fromLatin1(Flag.mid(i * 50, 50).toHex().toUpper());
    }
    QFile file(Path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringEncoder(QStringConverter::Utf16LE,
                              QStringConverter::Flag::WriteBom)(lines.join(u"\r\n"_s) + u"\r\n"_s));
}

// A one-coloured 16 x 16 flag as bitmap file bytes.
inline QByteArray FlagBitmap(QColor Colour)
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

// Every line of a structure as "number:address" (or "component/number:address"
// with names), sorted by key.
inline QStringList LineKeys(const wordmill::TComponentStructure &Struct, bool WithNames = false)
{
    QStringList keys;
    for (int i = 0; i < Struct.Count(); ++i) {
        const wordmill::TFullStructLine line = Struct.GetFull(i);
        QString key = QString::number(line.PropertyID) + u':' + line.ItemAddr;
        if (WithNames)
            key = line.CompName + u'/' + key;
        keys.append(key);
    }
    return keys;
}

// Engine identities stay registered for the whole process: each test gets a
// fresh engine name so that its engine is a primary one.
inline QString FreshEngineName()
{
    static int serial = 0;
    return u"WordmillEngine"_s + QString::number(++serial);
}

// A form "Form1" with an engine whose language folder is a temporary
// directory, and a client; the language "Testish" (code "tt") translates
// whatever lines a test writes for it.
class BindingFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        form = std::make_unique<wordmill::TForm>();
        form->setObjectName(u"Form1"_s);
        engine = new wordmill::TWordmillEngine(form.get());
        engine->setObjectName(FreshEngineName());
        engine->SetDesignLanguageName(u"čeština"_s);
        engine->SetDesignLangISOCode(u"cs"_s);
    }

    void TearDown() override { form.reset(); }

    // Writes "Testish" with these lines and lets the engine find it.
    void WriteTestish(const QStringList &Lines)
    {
        WriteLanguage(dir.filePath(u"testish.lng"_s), u"Testish"_s, u"tt"_s, Lines);
        engine->SetLangSubdirectory(dir.path());
        engine->RefreshLanguages();
    }

    wordmill::TWordmillClient *NewClient()
    {
        auto *client = new wordmill::TWordmillClient(form.get());
        client->setObjectName(u"WordmillClient1"_s);
        return client;
    }

    template <typename W> W *Add(const QString &Name, QObject *Parent = nullptr)
    {
        W *component;
        if constexpr (std::is_base_of_v<QWidget, W>)
            component = new W(Parent ? static_cast<QWidget *>(Parent) : form.get());
        else
            component = new W(Parent ? Parent : form.get());
        component->setObjectName(Name);
        wordmill::SetComponentOwner(component, form.get());
        return component;
    }

    QTemporaryDir dir;
    std::unique_ptr<wordmill::TForm> form;
    wordmill::TWordmillEngine *engine = nullptr;
};

} // namespace binding_test
