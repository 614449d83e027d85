#include "SmallDisk.h"
#include "TestEngine.h"
#include "TestPrinters.h"
#include <wordmill/core/LangCoreData.h>
#include <wordmill/sys/Descent.h>
#include <wordmill/sys/SaveFile.h>

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace wordmill;
using namespace Qt::StringLiterals;

namespace {

const QByteArray Earlier = "the earlier file, which must survive";
const QString NoSpace = u"No space left on device"_s;

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool WriteFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.flush();
}

// A file that fits the save file's buffer, and one larger than it.
struct SizeCase
{
    const char *name;
    int bytes;
    friend void PrintTo(const SizeCase &c, std::ostream *os) { *os << c.name; }
};

const SizeCase sizeCases[] = {
    {"SmallFileInTheBuffer", 2 * 1024},
    {"LargeFile", 300 * 1024},
};

// A full small disk holding an earlier file "keep.lng".
class FullDisk : public testing::TestWithParam<SizeCase>
{
protected:
    void SetUp() override
    {
        if (!disk.IsMounted())
            GTEST_SKIP() << qPrintable(disk.Reason());
        target = disk.FilePath(u"keep.lng"_s);
        ASSERT_TRUE(WriteFile(target, Earlier));
    }

    void ExpectEarlierFileKept()
    {
        EXPECT_EQ(ReadFile(target), Earlier);
        EXPECT_EQ(disk.Files(), (QStringList{u"filler"_s, u"keep.lng"_s}));
    }

    SmallDisk disk;
    QString target;
};

TEST_P(FullDisk, SaveReportsTheReasonAndKeepsTheEarlierFile)
{
    ASSERT_TRUE(disk.Fill());
    EXPECT_EQ(SaveFileContents(target, QByteArray(GetParam().bytes, 'x')), NoSpace);
    ExpectEarlierFileKept();
}

TEST_P(FullDisk, LanguageSaveThrowsTheReasonAndKeepsTheEarlierFile)
{
    TestEngine engine;
    engine.langsDir = disk.FilePath(QString());
    TLangCoreData &d = *engine.LData();
    d.DataLexicon.NewLexicon(u"Form1.Lexicon1"_s);
    // About 40 bytes per item in UTF-16.
    for (int n = 0; n < GetParam().bytes / 40; ++n)
        d.DataLexicon.WriteItem(u"Form1.Lexicon1"_s, n, u"item %1"_s.arg(n), DescentOwn);
    ASSERT_TRUE(disk.Fill());

    try {
        engine.SaveLanguageFile(u"Keep"_s, QString(), QString(), target);
        FAIL() << "the save reported success";
    } catch (const EWordmillFileError &error) {
        EXPECT_EQ(error.Message, target + u": "_s + NoSpace);
    }
    ExpectEarlierFileKept();
}

TEST(FullDiskExtraction, AnEmbeddedLanguageCutShortIsNotLeftBehind)
{
    SmallDisk disk;
    if (!disk.IsMounted())
        GTEST_SKIP() << qPrintable(disk.Reason());
    TestEngine engine;
    engine.langsDir = disk.FilePath(QString()) + u'/';
    engine.SetLangResources({u"ENGLISH"_s});
    engine.RefreshLanguages();
    ASSERT_EQ(engine.LData()->FileNames().value(1), u"ENGLISH"_s);
    ASSERT_TRUE(disk.Fill());

    EXPECT_FALSE(engine.ExtractResourceLanguage(1));
    EXPECT_EQ(engine.LData()->FileNames().value(1), u"ENGLISH"_s);
    EXPECT_EQ(disk.Files(), QStringList{u"filler"_s});
}

INSTANTIATE_TEST_SUITE_P(Sizes, FullDisk, testing::ValuesIn(sizeCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(SaveFile, ReplacesTheFileWhenEverythingWasWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"a.txt"_s);
    ASSERT_TRUE(WriteFile(path, Earlier));
    EXPECT_EQ(SaveFileContents(path, "new content"), QString());
    EXPECT_EQ(ReadFile(path), QByteArray("new content"));

    // A caller that streams its data commits through the same check.
    QSaveFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("streamed");
    EXPECT_EQ(CommitSaveFile(file), QString());
    EXPECT_EQ(ReadFile(path), QByteArray("streamed"));
}

TEST(SaveFile, ReportsAFolderThatCannotBeWritten)
{
    QTemporaryDir dir;
    EXPECT_FALSE(SaveFileContents(dir.filePath(u"missing/a.txt"_s), "x").isEmpty());
    QSaveFile unopened(dir.filePath(u"b.txt"_s));
    EXPECT_FALSE(CommitSaveFile(unopened).isEmpty());
}

} // namespace
