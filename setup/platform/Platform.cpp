#include "platform/Platform.h"

#include <QtGlobal>

#include <utility>

#ifdef Q_OS_WIN
#include "platform/Win32Platform.h"
#else
#include "platform/EmulatedPlatform.h"
#endif

namespace corvane {

namespace {

std::unique_ptr<Platform> &Installed()
{
    static std::unique_ptr<Platform> platform;
    return platform;
}

std::unique_ptr<Platform> CreateNativePlatform()
{
#ifdef Q_OS_WIN
    return std::make_unique<Win32Platform>();
#else
    return std::make_unique<EmulatedPlatform>();
#endif
}

} // namespace

QString Platform::VerifyInstaller(const QString &path)
{
    Q_UNUSED(path);
    return QString();
}

Platform &CurrentPlatform()
{
    auto &platform = Installed();
    if (!platform)
        platform = CreateNativePlatform();
    return *platform;
}

std::unique_ptr<Platform> SetPlatform(std::unique_ptr<Platform> platform)
{
    // An empty slot means "the native backend", created again on next use.
    return std::exchange(Installed(), std::move(platform));
}

} // namespace corvane
