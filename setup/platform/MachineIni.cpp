#include "platform/MachineIni.h"

#include <QFileInfo>
#include <QSettings>

using namespace Qt::StringLiterals;

namespace corvane {

namespace {

const QString Section = u"windows"_s;

// A value as the file wrote it; QSettings splits a value with commas into
// a list.
QString ValueText(const QVariant &value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u", "_s);
    return value.toString();
}

void ReadNumber(const QString &key, const QString &value, quint32 &target, QStringList &problems)
{
    bool ok = false;
    const quint32 number = value.trimmed().toUInt(&ok);
    if (ok)
        target = number;
    else
        problems << u"%1=%2 is not a number; %3 is used"_s.arg(key, value, QString::number(target));
}

void ReadBoolean(const QString &key, const QString &value, std::optional<bool> &target,
                 const QString &fallback, QStringList &problems)
{
    if (const std::optional<bool> flag = ParseBoolean(value))
        target = flag;
    else
        problems << u"%1=%2 is neither true nor false; %3 is used"_s.arg(key, value, fallback);
}

void ReadBoolean(const QString &key, const QString &value, bool &target, QStringList &problems)
{
    std::optional<bool> flag = target;
    ReadBoolean(key, value, flag, target ? u"true"_s : u"false"_s, problems);
    target = *flag;
}

} // namespace

std::optional<bool> ParseBoolean(QStringView text)
{
    const QStringView word = text.trimmed();
    for (const QStringView yes : {u"true", u"yes", u"on", u"1"}) {
        if (word.compare(yes, Qt::CaseInsensitive) == 0)
            return true;
    }
    for (const QStringView no : {u"false", u"no", u"off", u"0"}) {
        if (word.compare(no, Qt::CaseInsensitive) == 0)
            return false;
    }
    return std::nullopt;
}

MachineSettings ReadMachineIni(const QString &path, QStringList &problems)
{
    MachineSettings machine;
    if (!QFileInfo::exists(path))
        return machine;
    const QSettings ini(path, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError) {
        problems << u"the file cannot be read; the defaults are used"_s;
        return machine;
    }
    const QStringList keys = ini.allKeys();
    for (const QString &key : keys) {
        const qsizetype slash = key.indexOf(u'/');
        const QStringView section = slash < 0 ? QStringView() : QStringView(key).left(slash);
        const QString name = key.mid(slash + 1).toLower();
        if (section.compare(Section, Qt::CaseInsensitive) != 0 || name.contains(u'/')) {
            problems << u"%1 is outside the [windows] section and is ignored"_s.arg(key);
            continue;
        }
        const QString value = ValueText(ini.value(key));
        if (name == u"platform"_s)
            ReadNumber(name, value, machine.version.platformId, problems);
        else if (name == u"major"_s)
            ReadNumber(name, value, machine.version.major, problems);
        else if (name == u"minor"_s)
            ReadNumber(name, value, machine.version.minor, problems);
        else if (name == u"wow64"_s)
            ReadBoolean(name, value, machine.wow64, problems);
        else if (name == u"online"_s)
            ReadBoolean(name, value, machine.online, problems);
        else if (name == u"admin"_s)
            ReadBoolean(name, value, machine.admin, u"the default"_s, problems);
        else
            problems << u"the key %1 is unknown and ignored"_s.arg(key);
    }
    return machine;
}

} // namespace corvane
