#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

namespace corvane {

class Platform;

// The pin file of the downloaded installers: "installers.sha256" beside the
// program, in the format sha256sum writes, one installer a line:
//   <64 hex digits>  /data/crv/crvsetup.exe
// The name is the path of the installer's URL (a leading "/" or "./" may be
// left out; "*" before it, as sha256sum writes it for binary mode, is
// allowed). Blank lines and lines that start with "#" are ignored. An
// installer that the file names is run only when its SHA-256 matches; one it
// does not name, or any installer when there is no pin file, is run as
// before.
class InstallerPins
{
public:
    // Reads a pin file. A missing file gives no pins; a file that cannot be
    // read or holds a line that is not a checksum line gives the reason in
    // Error(), and then no installer is trusted.
    static InstallerPins Load(const QString &path);

    const QString &Error() const { return m_error; }
    // The pinned SHA-256 of the URL path as 64 lower-case hex digits, or
    // empty when the file does not name it.
    QByteArray Pin(const QString &urlPath) const;

private:
    QHash<QString, QByteArray> m_pins;
    QString m_error;
};

// "installers.sha256" in the program's folder, unless SetInstallerPinFile
// named another file.
QString InstallerPinFile();
// Names the pin file to use; an empty path means the one beside the program.
void SetInstallerPinFile(const QString &path);

// Whether the file just downloaded from url to path may be run: empty when
// it may, else the reason it may not, worded for the user. The pin file is
// asked first, then the platform's own check (Platform::VerifyInstaller).
QString CheckInstaller(Platform &platform, const QString &url, const QString &path);

} // namespace corvane
