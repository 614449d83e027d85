// The compiled cache of loaded languages: used while it agrees with the
// language files and the settings, never trusted otherwise, and never more
// than a matter of speed.

#include "LogCapture.h"
#include "SmallDisk.h"
#include "TestEngine.h"
#include "TestPrinters.h"

#include <wordmill/WordmillSys.h>

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace wordmill;
using namespace Qt::StringLiterals;

namespace {

// A text the stores took from a cache refers to the mapped file instead of
// owning its characters.
bool FromCache(const QString &text)
{
    return !text.isEmpty() && const_cast<QString &>(text).data_ptr().d_ptr() == nullptr;
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray Utf16(const QString &text)
{
    return QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)(text);
}

// "Testish" with the superior "Base", each translating one caption.
class LanguageCache : public testing::Test
{
public:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        QDir(temp.path()).mkpath(u"langs"_s);
        WriteTestish(u"Jmeno-1"_s);
        WriteBase(u"Base-1"_s);
        engine.langsDir = temp.filePath(u"langs/"_s);
        engine.SetDesignLanguageName(u"design"_s);
        engine.SetLanguageCacheFolder(CacheFolder());
        engine.RefreshLanguages();
    }

    QString CacheFolder() const { return temp.filePath(u"cache"_s); }
    QStringList CacheFiles() const
    {
        return QDir(CacheFolder()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    QString CacheFile() const { return QDir(CacheFolder()).filePath(CacheFiles().value(0)); }

    void WriteTestish(const QString &caption)
    {
        WriteFile(temp.filePath(u"langs/testish.lng"_s),
                  Utf16(u"[LANGUAGE_FILE]\r\n"
                        "0\t%LANGUAGE_NAME=\"Testish\"\t%CODE=tt;\t%SUPERIOR_LANGUAGE=Base;\r\n"
                        "0\t\"%1\"\t%COMPONENT=Label1;\t%OWNER=Form1;\r\n"
                        "0\t%LEXICON_STRINGS\r\n0\t%LEXICON_NAME=Form1.Lexicon1;\r\n"
                        "4\t\"ctyri\"\r\n0\t%SMART_STRINGS\r\n0\t\"Ano\"\r\n0\t\"Yes\"\r\n"_s.arg(
                            caption)));
    }
    void WriteBase(const QString &caption)
    {
        WriteFile(temp.filePath(u"langs/base.lng"_s),
                  Utf16(u"[LANGUAGE_FILE]\r\n0\t%LANGUAGE_NAME=\"Base\"\t%CODE=bs;\r\n"
                        "0\t\"%1\"\t%COMPONENT=Edit1;\t%OWNER=Form1;\r\n"
                        "0\t%LEXICON_STRINGS\r\n0\t%SMART_STRINGS\r\n"_s.arg(caption)));
    }

    QString Caption() const
    {
        return engine.LData()->DataStruct.GetString(u"Label1"_s, u"Form1"_s, 0, QString());
    }
    QString BaseCaption() const
    {
        return engine.LData()->DataStruct.GetString(u"Edit1"_s, u"Form1"_s, 0, QString());
    }

    // Switches away and back to Testish.
    void SwitchToTestish()
    {
        engine.Translate(u"design"_s);
        engine.Translate(u"Testish"_s);
        ASSERT_EQ(engine.CurrentLanguage(), u"Testish"_s);
    }

    // What every load of Testish must leave, from the cache or not.
    void ExpectTestish(const QString &caption, const QString &baseCaption)
    {
        const TLangCoreData &d = *engine.LData();
        EXPECT_EQ(Caption(), caption);
        EXPECT_EQ(BaseCaption(), baseCaption);
        EXPECT_EQ(d.DataLexicon.ReadItem(u"Form1.Lexicon1"_s, 4), u"ctyri"_s);
        EXPECT_EQ(d.SmartLexicon.ReadItem(u"Ano"_s), u"Yes"_s);
        EXPECT_EQ(engine.CurrentLanguageISO(), u"tt"_s);
        EXPECT_EQ(d.CurrentSuperiorLang.Name, u"Base"_s);
        EXPECT_EQ(d.CurrentSuperiorLang.Code, u"bs"_s);
    }

    QTemporaryDir temp;
    TestEngine engine;
};

TEST_F(LanguageCache, TheSecondSwitchTakesTheStoresFromTheCache)
{
    SwitchToTestish();
    EXPECT_FALSE(FromCache(Caption()));
    ASSERT_EQ(CacheFiles().size(), 1);
    SwitchToTestish();
    EXPECT_TRUE(FromCache(Caption()));
    ExpectTestish(u"Jmeno-1"_s, u"Base-1"_s);
    // Nothing is ever written beside the language files.
    EXPECT_EQ(QDir(engine.langsDir).entryList(QDir::Files, QDir::Name),
              (QStringList{u"base.lng"_s, u"testish.lng"_s}));
}

// What may happen between two switches, and what Testish must then show.
struct Change
{
    const char *name;
    std::function<void(LanguageCache &)> change;
    QString caption = u"Jmeno-1"_s;
    QString baseCaption = u"Base-1"_s;
    // How many cache files there are afterwards (other settings make a
    // cache of their own).
    int caches = 1;

    friend void PrintTo(const Change &c, std::ostream *os) { *os << c.name; }
};

class CacheChanges : public LanguageCache, public testing::WithParamInterface<Change>
{
};

// Replaces a cache file by a changed copy. A cache is only ever replaced,
// never changed in place: a file changed under a mapping is as far out of
// reach as a translation file changed under Qt's translator. (The format's
// own checks of damaged bytes are tested with the format.)
void Replace(const QString &path, const std::function<void(QByteArray &)> &how)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    file.close();
    how(bytes);
    WriteFile(path + u".new"_s, bytes);
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(path + u".new"_s, path));
}

const Change changes[] = {
    // Same size: only the content tells.
    {"language_file_edited", [](LanguageCache &t) { t.WriteTestish(u"Jmeno-2"_s); }, u"Jmeno-2"_s},
    {"superior_file_edited", [](LanguageCache &t) { t.WriteBase(u"Base-2"_s); }, u"Jmeno-1"_s,
     u"Base-2"_s},
    {"cache_cut_short",
     [](LanguageCache &t) {
         Replace(t.CacheFile(), [](QByteArray &b) { b.truncate(b.size() / 2); });
     }},
    {"cache_replaced_by_another_file",
     [](LanguageCache &t) { Replace(t.CacheFile(), [](QByteArray &b) { b = "not a cache"; }); }},
    {"cache_with_another_content_hash",
     [](LanguageCache &t) {
         Replace(t.CacheFile(), [](QByteArray &b) { b[16] = char(b[16] ^ 1); });
     }},
    {"cache_deleted", [](LanguageCache &t) { QFile::remove(t.CacheFile()); }},
    {"settings_changed", [](LanguageCache &t) { t.engine.SetTranslateWordmill(true); },
     u"Jmeno-1"_s, u"Base-1"_s, 2},
    {"language_added_to_the_folder",
     [](LanguageCache &t) {
         WriteFile(t.engine.langsDir + u"other.lng"_s,
                   Utf16(u"[LANGUAGE_FILE]\r\n0\t%LANGUAGE_NAME=\"Other\"\t%CODE=ot;\r\n"
                         "0\t%LEXICON_STRINGS\r\n0\t%SMART_STRINGS\r\n"_s));
         t.engine.RefreshLanguages();
         ASSERT_EQ(t.engine.LData()->Languages().size(), 4); // design, Base, Other, Testish
     },
     u"Jmeno-1"_s, u"Base-1"_s, 2},
};

TEST_P(CacheChanges, AreNeverMissedAndTheCacheIsMadeAgain)
{
    SwitchToTestish();
    SwitchToTestish();
    ASSERT_TRUE(FromCache(Caption()));

    GetParam().change(*this);
    SwitchToTestish();
    EXPECT_FALSE(FromCache(Caption())) << "a stale or broken cache was used";
    ExpectTestish(GetParam().caption, GetParam().baseCaption);

    SwitchToTestish();
    EXPECT_TRUE(FromCache(Caption())) << "the cache was not made again";
    ExpectTestish(GetParam().caption, GetParam().baseCaption);
    EXPECT_EQ(CacheFiles().size(), GetParam().caches);
}

INSTANTIATE_TEST_SUITE_P(Cases, CacheChanges, testing::ValuesIn(changes),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(LanguageCache, AnEmptyFolderTurnsItOffAndEmbeddedLanguagesAreNotCached)
{
    engine.SetLanguageCacheFolder(QString());
    SwitchToTestish();
    SwitchToTestish();
    EXPECT_FALSE(FromCache(Caption()));
    ExpectTestish(u"Jmeno-1"_s, u"Base-1"_s);

    engine.SetLanguageCacheFolder(CacheFolder());
    engine.SetLangResources({u"ENGLISH"_s});
    engine.RefreshLanguages();
    engine.Translate(u"English"_s);
    ASSERT_EQ(engine.CurrentLanguage(), u"English"_s);
    EXPECT_TRUE(CacheFiles().isEmpty());
}

TEST_F(LanguageCache, AFullDiskCostsOnlySpeed)
{
    SmallDisk disk;
    if (!disk.IsMounted())
        GTEST_SKIP() << qPrintable(disk.Reason());
    engine.SetLanguageCacheFolder(disk.FilePath(u"cache"_s));
    QDir().mkpath(disk.FilePath(u"cache"_s));
    ASSERT_TRUE(disk.Fill());

    LogCapture log;
    SwitchToTestish();
    ExpectTestish(u"Jmeno-1"_s, u"Base-1"_s);
    EXPECT_TRUE(log.Contains(u"cannot write the language cache"_s));
    // No cache cut short is left behind.
    EXPECT_TRUE(QDir(disk.FilePath(u"cache"_s)).entryList(QDir::Files | QDir::Hidden).isEmpty());
    SwitchToTestish();
    ExpectTestish(u"Jmeno-1"_s, u"Base-1"_s);
}

} // namespace
