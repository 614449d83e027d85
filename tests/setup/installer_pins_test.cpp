#include "platform/InstallerPins.h"

#include "TestPrinters.h"
#include "platform/FakePlatform.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <ostream>

using namespace Qt::StringLiterals;

namespace {

const QByteArray Installer = "#!/bin/sh\necho the installer\n";
const QString Url = u"http://127.0.0.1:8471/data/crv/crvsetup.exe"_s;

QByteArray Sha256(const QByteArray &data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex();
}

const QByteArray Good = Sha256(Installer);
const QByteArray Other = Sha256("something else");

// A pin file (none when null), the platform's own verdict, and the reason
// expected, with %file, %pins, %actual and %expected standing for the
// installer's path, the pin file's path and the two checksums.
struct PinCase
{
    const char *name;
    const char *pins;
    const char16_t *platformRefusal;
    const char16_t *expected;
};

// A failing row is printed by its name.
void PrintTo(const PinCase &c, std::ostream *os)
{
    *os << c.name;
}

class PinTest : public testing::TestWithParam<PinCase>
{
protected:
    void SetUp() override
    {
        pinFile = dir.filePath(u"installers.sha256"_s);
        corvane::SetInstallerPinFile(pinFile);
    }
    void TearDown() override { corvane::SetInstallerPinFile(QString()); }

    QTemporaryDir dir;
    QString pinFile;
};

QByteArray Substituted(QByteArray text)
{
    return text.replace("%good", Good).replace("%GOOD", Good.toUpper()).replace("%other", Other);
}

TEST_P(PinTest, DecidesWhetherTheInstallerMayRun)
{
    const PinCase &c = GetParam();
    if (c.pins) {
        QFile file(pinFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Substituted(c.pins));
    }
    const QString installer = dir.filePath(u"crvsetup.exe"_s);
    QFile file(installer);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Installer);
    file.close();
    corvane::FakePlatform platform;
    if (c.platformRefusal)
        platform.SetInstallerRefusal(installer, QString::fromUtf16(c.platformRefusal));

    QString expected = QString::fromUtf16(c.expected);
    expected.replace(u"%file"_s, QDir::toNativeSeparators(installer))
        .replace(u"%pins"_s, pinFile)
        .replace(u"%actual"_s, QString::fromLatin1(Good))
        .replace(u"%expected"_s, QString::fromLatin1(Other));
    EXPECT_EQ(corvane::CheckInstaller(platform, Url, installer), expected);
}

const PinCase pinCases[] = {
    {"NoPinFile", nullptr, nullptr, u""},
    {"MatchingPin", "%good  /data/crv/crvsetup.exe\n", nullptr, u""},
    {"MatchingPinInAnotherSpelling",
     "# demo installers\r\n\r\n%other  data/sqllocaldb/32bit/sqllocaldb.msi\r\n"
     "%good *./data/crv/crvsetup.exe\r\n",
     nullptr, u""},
    {"UpperCaseDigits", "%GOOD  /data/crv/crvsetup.exe\n", nullptr, u""},
    {"DifferentPin", "%other  /data/crv/crvsetup.exe\n", nullptr,
     u"The downloaded file %file is not trusted: its SHA-256 checksum %actual differs from "
     u"%expected, the one %pins names for /data/crv/crvsetup.exe"},
    {"FileNotNamed", "%other  /data/crv/other.exe\n", nullptr, u""},
    {"PathsAreCaseSensitive", "%other  /data/CRV/crvsetup.exe\n", nullptr, u""},
    {"MalformedLine", "%good  /data/crv/crvsetup.exe\nnot a checksum\n", nullptr,
     u"The downloaded file %file is not trusted: line 2 of the pin file %pins is not a SHA-256 "
     u"checksum line"},
    {"ShortDigest", "abc123  /data/crv/crvsetup.exe\n", nullptr,
     u"The downloaded file %file is not trusted: line 1 of the pin file %pins is not a SHA-256 "
     u"checksum line"},
    {"PlatformRefuses", nullptr, u"it carries no valid signature",
     u"The downloaded file %file is not trusted: it carries no valid signature"},
    {"PinIsAskedBeforeThePlatform", "%other  /data/crv/crvsetup.exe\n", u"unsigned",
     u"The downloaded file %file is not trusted: its SHA-256 checksum %actual differs from "
     u"%expected, the one %pins names for /data/crv/crvsetup.exe"},
};

INSTANTIATE_TEST_SUITE_P(PinFiles, PinTest, testing::ValuesIn(pinCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(InstallerPins, EscapedNamesAreReadAsSha256sumWritesThem)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(u"pins"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\\" + Good + "  /data/back\\\\slash.exe\n");
    file.close();
    const corvane::InstallerPins pins = corvane::InstallerPins::Load(file.fileName());
    EXPECT_EQ(pins.Error(), QString());
    EXPECT_EQ(pins.Pin(u"/data/back\\slash.exe"_s), Good);
}

} // namespace
