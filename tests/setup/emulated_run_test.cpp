#include "platform/EmulatedPlatform.h"

#include "TestPrinters.h"
#include "fce_import_so.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>
#include <ostream>

using namespace Qt::StringLiterals;
using corvane::EmulatedPlatform;

namespace {

const QString DemoRoot =
    QDir::cleanPath(QStringLiteral(WORDMILL_TEST_DATA "/../../setup/demo/www"));
const QString Msiexec = QStringLiteral(WORDMILL_BINARY_DIR "/setup/msiexec");

void WriteFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A machine whose profile path contains spaces, as a user's temp folder may.
class RunTest : public testing::Test
{
protected:
    RunTest() : machine(dir.filePath(u"machine profile"_s)), temp(machine.GetTempFolder()) {}

    QTemporaryDir dir;
    EmulatedPlatform machine;
    QString temp;
};

TEST_F(RunTest, WaitsForTheChildWhileTheEventQueueIsServed)
{
    // Written as a download leaves it: without the executable bits.
    const QString installer = temp + u"setup.exe"_s;
    WriteFile(installer, "#!/bin/sh\nsleep 0.5\necho finished > \"$PWD/result\"\n");
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(20);
    QElapsedTimer clock;
    clock.start();

    EXPECT_TRUE(machine.RunAndWait(installer, QString(), QString(), 1, temp));

    EXPECT_GE(clock.elapsed(), 450);
    EXPECT_GE(ticks, 5);
    EXPECT_EQ(ReadFile(temp + u"result"_s), QByteArray("finished\n"));
}

TEST_F(RunTest, ChildRunsInTheDirectoryWithTheMachineProfile)
{
    const QString work = dir.filePath(u"work dir"_s);
    QDir().mkpath(work);
    WriteFile(temp + u"report.exe"_s,
              "#!/bin/sh\nprintf '%s\\n%s\\n%s\\n' \"$PWD\" \"$CORVANE_MACHINE_PROFILE\" \"$1\" "
              "> report\n");
    EXPECT_TRUE(
        machine.RunAndWait(temp + u"report.exe"_s, u"\"first argument\""_s, QString(), 1, work));
    const QStringList lines = QString::fromUtf8(ReadFile(work + u"/report"_s)).split(u'\n');
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(QFileInfo(lines.at(0)).canonicalFilePath(), QFileInfo(work).canonicalFilePath());
    EXPECT_EQ(lines.at(1), machine.ProfileFolder());
    EXPECT_EQ(lines.at(2), u"first argument"_s);
}

struct StartFailureCase
{
    const char *name;
    const char16_t *file;
    QByteArray content; // written to the file when not empty
    const char16_t *directory;
};

// A failing row is printed by its name.
void PrintTo(const StartFailureCase &c, std::ostream *os)
{
    *os << c.name;
}

class StartFailureTest : public RunTest, public testing::WithParamInterface<StartFailureCase>
{
};

TEST_P(StartFailureTest, NothingStartedGivesFalse)
{
    const StartFailureCase &c = GetParam();
    const QString file = temp + QString::fromUtf16(c.file);
    if (!c.content.isEmpty())
        WriteFile(file, c.content);
    const QString directory =
        c.directory ? dir.filePath(QString::fromUtf16(c.directory)) : QString(temp);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(machine.RunAndWait(file, QString(), QString(), 1, directory));
    EXPECT_LT(clock.elapsed(), 5000);
}

const StartFailureCase startFailureCases[] = {
    {"MissingFile", u"gone.exe", {}, nullptr},
    {"NotAProgram", u"data.exe", QByteArray("\x01\x02\x03 not a program"), nullptr},
    {"MissingWorkingDirectory", u"ok.exe", "#!/bin/sh\nexit 0\n", u"no such dir"},
};

INSTANTIATE_TEST_SUITE_P(Runs, StartFailureTest, testing::ValuesIn(startFailureCases),
                         [](const auto &info) { return std::string(info.param.name); });

// The msiexec helper, called the way the LocalDB step calls it.
struct MsiexecCase
{
    const char *name;
    const char16_t *parameters; // %1: the package path
};

// A failing row is printed by its name.
void PrintTo(const MsiexecCase &c, std::ostream *os)
{
    *os << c.name;
}

class MsiexecTest : public RunTest, public testing::WithParamInterface<MsiexecCase>
{
};

TEST_P(MsiexecTest, InstallsTheLocalDbPackageFromAFolderWithSpaces)
{
    qputenv("CORVANE_DEMO_STEP_SECONDS", "0");
    const QString package = temp + u"sqllocaldb.msi"_s;
    ASSERT_TRUE(QFile::copy(DemoRoot + u"/data/sqllocaldb/64bit/sqllocaldb.msi"_s, package));
    ASSERT_FALSE(machine.RegistryKeyExists(corvane::LocalDbKey.toString()));

    EXPECT_TRUE(machine.RunAndWait(
        u"msiexec"_s, QString::fromUtf16(GetParam().parameters).arg(package), QString(), 1, temp));
    EXPECT_TRUE(machine.RegistryKeyExists(corvane::LocalDbKey.toString()));
}

const MsiexecCase msiexecCases[] = {
    {"QuotedPath", u"/i \"%1\""},
    {"UnquotedPath", u"/i %1"},
    {"QuietOptionsAfterThePath", u"/i \"%1\" /qn /norestart"},
};

INSTANTIATE_TEST_SUITE_P(CommandLines, MsiexecTest, testing::ValuesIn(msiexecCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct HelperExitCase
{
    const char *name;
    QStringList arguments; // %1 in an argument: the file below
    QByteArray file;
    int exitCode;
};

// A failing row is printed by its name.
void PrintTo(const HelperExitCase &c, std::ostream *os)
{
    *os << c.name;
}

class MsiexecExitTest : public testing::TestWithParam<HelperExitCase>
{
};

TEST_P(MsiexecExitTest, ExitsWithTheInstallerCode)
{
    const HelperExitCase &c = GetParam();
    QTemporaryDir dir;
    const QString file = dir.filePath(u"package.msi"_s);
    if (!c.file.isEmpty())
        WriteFile(file, c.file);
    QStringList arguments;
    for (const QString &argument : c.arguments)
        arguments.append(QString(argument).replace(u"%1"_s, file));
    QProcess helper;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"CORVANE_MACHINE_PROFILE"_s, dir.filePath(u"profile"_s));
    helper.setProcessEnvironment(environment);
    helper.start(Msiexec, arguments);
    ASSERT_TRUE(helper.waitForFinished(10000));
    EXPECT_EQ(helper.exitCode(), c.exitCode);
}

const HelperExitCase helperExitCases[] = {
    {"Installed", {u"/i"_s, u"%1"_s}, "#!/bin/sh\n# corvane-msi-package: demo\nexit 0\n", 0},
    {"ActionFails", {u"/i"_s, u"%1"_s}, "#!/bin/sh\n# corvane-msi-package: demo\nexit 3\n", 3},
    {"NoPackageOption", {u"/qn"_s}, {}, 64},
    {"PackageMissing", {u"/i"_s, u"%1"_s}, {}, 66},
    {"NotAPackage", {u"/i"_s, u"%1"_s}, "#!/bin/sh\nexit 0\n", 65},
};

INSTANTIATE_TEST_SUITE_P(Helper, MsiexecExitTest, testing::ValuesIn(helperExitCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
