#include "platform/InstallerPins.h"

#include "platform/Platform.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace corvane {

namespace {

constexpr qsizetype DigestDigits = 64;
// A pin file lists a handful of installers; anything far larger is no pin file.
constexpr qint64 MaxPinFileSize = 1024 * 1024;

QString &ConfiguredPinFile()
{
    static QString path;
    return path;
}

QString Tr(const char *text)
{
    return QCoreApplication::translate("corvane::InstallerPins", text);
}

bool IsHexDigest(QByteArrayView digits)
{
    if (digits.size() != DigestDigits)
        return false;
    for (const char c : digits) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')))
            return false;
    }
    return true;
}

// The name as the URL path without its leading "/" or "./", so both
// spellings of a line match.
QString NameKey(QString name)
{
    if (name.startsWith(u"./"_s))
        name.remove(0, 2);
    while (name.startsWith(u'/'))
        name.remove(0, 1);
    return name;
}

// sha256sum escapes a name holding a backslash or a line break and marks
// the line with a leading backslash.
bool Unescape(QByteArray &name)
{
    QByteArray plain;
    plain.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name.at(i) != '\\') {
            plain.append(name.at(i));
            continue;
        }
        if (++i >= name.size())
            return false;
        if (name.at(i) == 'n')
            plain.append('\n');
        else if (name.at(i) == '\\')
            plain.append('\\');
        else
            return false;
    }
    name = plain;
    return true;
}

// "<digest>  <name>" or "<digest> *<name>", optionally behind a backslash.
bool ParseLine(QByteArray line, QByteArray &digest, QString &name)
{
    const bool escaped = line.startsWith('\\');
    if (escaped)
        line.remove(0, 1);
    if (line.size() < DigestDigits + 3 || line.at(DigestDigits) != ' ')
        return false;
    const char mode = line.at(DigestDigits + 1);
    if (mode != ' ' && mode != '*')
        return false;
    digest = line.left(DigestDigits);
    QByteArray file = line.mid(DigestDigits + 2);
    if (!IsHexDigest(digest) || file.isEmpty() || (escaped && !Unescape(file)))
        return false;
    digest = digest.toLower();
    name = QString::fromUtf8(file);
    return true;
}

// The SHA-256 of the file as lower-case hex digits; empty with the reason in
// error when it cannot be read.
QByteArray FileDigest(const QString &path, QString &error)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file)) {
        error = file.errorString();
        return QByteArray();
    }
    return hash.result().toHex();
}

} // namespace

InstallerPins InstallerPins::Load(const QString &path)
{
    InstallerPins pins;
    QFile file(path);
    if (!file.exists())
        return pins;
    if (!file.open(QIODevice::ReadOnly)) {
        pins.m_error = Tr("the pin file %1 cannot be read: %2").arg(path, file.errorString());
        return pins;
    }
    if (file.size() > MaxPinFileSize) {
        pins.m_error = Tr("the pin file %1 is too large").arg(path);
        return pins;
    }
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray line = lines.at(i);
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        QByteArray digest;
        QString name;
        if (!ParseLine(line, digest, name)) {
            pins.m_error = Tr("line %1 of the pin file %2 is not a SHA-256 checksum line")
                               .arg(QString::number(i + 1), path);
            pins.m_pins.clear();
            return pins;
        }
        pins.m_pins.insert(NameKey(name), digest);
    }
    return pins;
}

QByteArray InstallerPins::Pin(const QString &urlPath) const
{
    return m_pins.value(NameKey(urlPath));
}

QString InstallerPinFile()
{
    const QString &configured = ConfiguredPinFile();
    if (!configured.isEmpty())
        return configured;
    return QDir(QCoreApplication::applicationDirPath()).filePath(u"installers.sha256"_s);
}

void SetInstallerPinFile(const QString &path)
{
    ConfiguredPinFile() = path;
}

QString CheckInstaller(Platform &platform, const QString &url, const QString &path)
{
    const QString pinFile = InstallerPinFile();
    const InstallerPins pins = InstallerPins::Load(pinFile);
    QString reason = pins.Error();
    if (reason.isEmpty()) {
        const QString urlPath = QUrl(url).path();
        const QByteArray expected = pins.Pin(urlPath);
        if (!expected.isEmpty()) {
            QString error;
            const QByteArray actual = FileDigest(path, error);
            if (actual.isEmpty())
                reason = Tr("it cannot be read: %1").arg(error);
            else if (actual != expected)
                reason = Tr("its SHA-256 checksum %1 differs from %2, the one %3 names for %4")
                             .arg(QString::fromLatin1(actual), QString::fromLatin1(expected),
                                  pinFile, urlPath);
        }
    }
    if (reason.isEmpty())
        reason = platform.VerifyInstaller(path);
    if (reason.isEmpty())
        return QString();
    return Tr("The downloaded file %1 is not trusted: %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

} // namespace corvane
