#include "fce_import_so.h"

#include "platform/Platform.h"

using namespace Qt::StringLiterals;

namespace corvane {

QString WindowsName(const WindowsVersion &version)
{
    // Windows 9x family: told apart by the minor version alone.
    if (version.platformId == 1) {
        switch (version.minor) {
        case 0:
            return u"95"_s;
        case 10:
            return u"98"_s;
        default:
            return u"?"_s;
        }
    }
    if (version.platformId != 2)
        return u"?"_s;
    // NT family.
    switch (version.major) {
    case 3:
        return u"NT3"_s;
    case 4:
        return u"NT4"_s;
    case 5:
        switch (version.minor) {
        case 0:
            return u"Windows 2000"_s;
        case 1:
            return u"Windows XP"_s;
        }
        break;
    case 6:
        switch (version.minor) {
        case 0:
            return u"Windows Vista"_s;
        case 1:
            return u"Windows 7"_s;
        case 2:
            return u"Windows 8"_s;
        }
        break;
    }
    return u"?"_s;
}

} // namespace corvane

bool IsAdministrator()
{
    return corvane::CurrentPlatform().IsAdministrator();
}

QString GetWindowsName()
{
    return corvane::WindowsName(corvane::CurrentPlatform().GetWindowsVersion());
}

bool IsWow64()
{
    return corvane::CurrentPlatform().IsWow64();
}

bool IsInternetConnected()
{
    return corvane::CurrentPlatform().IsInternetConnected();
}

bool RegistryKeyExists(const QString &path)
{
    return corvane::CurrentPlatform().RegistryKeyExists(path);
}

bool IsLocalDbInstalled()
{
    return RegistryKeyExists(corvane::LocalDbKey.toString());
}

QString GetTempFolder()
{
    return corvane::CurrentPlatform().GetTempFolder();
}

QByteArray GetSystemLocaleInfo(int type)
{
    return corvane::CurrentPlatform().GetSystemLocaleInfo(type);
}
