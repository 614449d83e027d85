#include "platform/EmulatedPlatform.h"

#include "DemoServer.h"
#include "TestPrinters.h"
#include "fce_import_so.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <ostream>

using namespace Qt::StringLiterals;
using corvane::EmulatedPlatform;

namespace {

const QString RepoRoot = DemoServer::RepoRoot();

// The bundled demo download server, on a free loopback port.
class DemoWorldTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        server = new DemoServer;
        server->Start();
    }
    static void TearDownTestSuite()
    {
        server->Stop();
        delete server;
        server = nullptr;
    }

    static inline DemoServer *server = nullptr;
};

struct InstallerCase
{
    const char *name;
    const char16_t *path;
    const char16_t *fileName;
    bool throughMsiexec;
    const char16_t *key;       // registry key the installer leaves, or
    const char16_t *installed; // file it leaves in the profile
};

// A failing row is printed by its name.
void PrintTo(const InstallerCase &c, std::ostream *os)
{
    *os << c.name;
}

class DemoInstallerTest : public DemoWorldTest, public testing::WithParamInterface<InstallerCase>
{
};

TEST_P(DemoInstallerTest, DownloadedInstallerRegistersItsProduct)
{
    const InstallerCase &c = GetParam();
    QTemporaryDir dir;
    EmulatedPlatform machine(dir.filePath(u"my machine"_s));
    ASSERT_TRUE(machine.DownloadBase().startsWith(u"http://127.0.0.1:"_s))
        << "the demo server did not start";

    const QString temp = machine.GetTempFolder();
    const QString file = temp + QString::fromUtf16(c.fileName);
    machine.DownloadToFile(machine.DownloadBase() + QString::fromUtf16(c.path), file, {}, nullptr);
    if (c.key) {
        ASSERT_FALSE(machine.RegistryKeyExists(QString::fromUtf16(c.key)));
    }

    if (c.throughMsiexec)
        EXPECT_TRUE(machine.RunAndWait(u"msiexec"_s, u"/i \"%1\""_s.arg(file), {}, 1, temp));
    else
        EXPECT_TRUE(machine.RunAndWait(file, {}, {}, 1, temp));

    if (c.key) {
        EXPECT_TRUE(machine.RegistryKeyExists(QString::fromUtf16(c.key)));
    }
    if (c.installed) {
        const QFileInfo program(machine.ProfileFolder() + u'/' + QString::fromUtf16(c.installed));
        EXPECT_TRUE(program.isFile() && program.isExecutable());
    }
}

const InstallerCase installerCases[] = {
    {"NetFramework4", u"/data/sqllocaldb/netframe/dotnetfx40_full_x86_x64.exe",
     u"dotnetfx40_full_x86_x64.exe", false, corvane::NetFramework4Key.utf16(), nullptr},
    {"NativeClient64", u"/data/sqllocaldb/nativeclient/64bit/sqlncli.msi", u"sqlncli.msi", false,
     corvane::NativeClientKey.utf16(), nullptr},
    {"NativeClient32", u"/data/sqllocaldb/nativeclient/32bit/sqlncli.msi", u"sqlncli.msi", false,
     corvane::NativeClientKey.utf16(), nullptr},
    {"LocalDb64", u"/data/sqllocaldb/64bit/sqllocaldb.msi", u"sqllocaldb.msi", true,
     corvane::LocalDbKey.utf16(), nullptr},
    {"LocalDb32", u"/data/sqllocaldb/32bit/sqllocaldb.msi", u"sqllocaldb.msi", true,
     corvane::LocalDbKey.utf16(), nullptr},
    {"Application", u"/data/crv/crvsetup.exe", u"crvsetup.exe", false, nullptr,
     u"Program Files/Corvane/crv.exe"},
};

INSTANTIATE_TEST_SUITE_P(Installers, DemoInstallerTest, testing::ValuesIn(installerCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(DemoWorldTest, ServerOffersNoListingsAndNothingElse)
{
    QTemporaryDir dir;
    EmulatedPlatform machine(dir.path());
    for (const QString &path : {u"/data/"_s, u"/data/crv/other.exe"_s}) {
        EXPECT_THROW(machine.DownloadToFile(machine.DownloadBase() + path, dir.filePath(u"x"_s), {},
                                            nullptr),
                     corvane::Exception)
            << qPrintable(path);
    }
}

} // namespace
