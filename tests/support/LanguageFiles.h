#pragma once

#include <QFile>
#include <QStringEncoder>
#include <QStringList>

// Writes a language file as the library writes it: UTF-16 LE with its
// byte-order mark, CR LF after every line. False when it cannot be written.
inline bool WriteLanguageFile(const QString &path, const QStringList &lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)(
        lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    return true;
}

// The header line of a language named name, with further fields appended.
inline QString LanguageHeader(const QString &name, const QString &fields = {})
{
    return QStringLiteral("0\t%LANGUAGE_NAME=\"") + name + u'"' + fields;
}
