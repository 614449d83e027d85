#include "TsReader.h"

#include <wordmill/core/ResourcesList.h>
#include <wordmill/sys/LanguageNames.h>
#include <wordmill/sys/OneLineForm.h>

#include <QFile>
#include <QScopeGuard>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

// The text of a <source> element. Characters XML cannot carry are written
// by lupdate as <byte value="x9"/> (hexadecimal after "x", else decimal).
QString readSourceText(QXmlStreamReader &xml)
{
    QString text;
    while (xml.readNext() != QXmlStreamReader::Invalid) {
        if (xml.isCharacters()) {
            text += xml.text();
        } else if (xml.isStartElement() && xml.name() == u"byte"_s) {
            const QStringView value = xml.attributes().value(u"value"_s);
            bool ok = false;
            const uint code =
                value.startsWith(u'x') ? value.mid(1).toUInt(&ok, 16) : value.toUInt(&ok, 10);
            if (ok && code > 0 && code <= 0xFFFF)
                text += QChar(char16_t(code));
            xml.skipCurrentElement();
        } else if (xml.isStartElement()) {
            xml.skipCurrentElement();
        } else if (xml.isEndElement()) {
            break;
        }
    }
    return text;
}

} // namespace

QString UnsortedUnitName()
{
    return u"Unsorted"_s;
}

bool ReadTsFile(QIODevice &Device, TResourcesList &List, TUnitList &Units, QString *Error)
{
    // A device that is not open yet is opened for this read only.
    const bool opened = !Device.isOpen();
    if (opened && !Device.open(QIODevice::ReadOnly)) {
        if (Error)
            *Error = Device.errorString();
        return false;
    }
    const auto closeAgain = qScopeGuard([&] {
        if (opened)
            Device.close();
    });
    if (Units.Count() == 0)
        Units.Strings.append(UnsortedUnitName());
    QXmlStreamReader xml(&Device);
    bool sawTs = false;
    QString context;
    quint16 unit = 0;
    int position = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = xml.name();
        if (name == u"TS"_s) {
            sawTs = true;
            QString code = xml.attributes().value(u"sourcelanguage"_s).toString();
            if (NormalizeISOCode(code))
                List.LibraryLangCode = code;
        } else if (!sawTs) {
            xml.raiseError(u"not a translation source file"_s);
        } else if (name == u"context"_s) {
            context.clear();
            unit = 0;
            position = 0;
        } else if (name == u"name"_s) {
            context = xml.readElementText();
            const int index = Units.AddUnit(context);
            // ten bits hold the unit: later contexts stay unsorted
            unit = index <= int(TResourceInfo::UnitMask) ? quint16(index) : 0;
        } else if (name == u"message"_s) {
            QString id = xml.attributes().value(u"id"_s).toString();
            QString source;
            while (xml.readNextStartElement()) {
                if (xml.name() == u"source"_s)
                    source = readSourceText(xml);
                else
                    xml.skipCurrentElement();
            }
            if (id.isEmpty())
                id = context + u'#' + QString::number(position);
            ++position;
            QString design = source;
            EncodeControlChars(design);
            List.RegisterKnown(source, design, id, unit);
        }
    }
    if (xml.hasError() || !sawTs) {
        if (Error)
            *Error = u"line %1: %2"_s.arg(xml.lineNumber())
                         .arg(sawTs ? xml.errorString() : u"not a translation source file"_s);
        return false;
    }
    return true;
}

bool ReadTsFile(const QString &FileName, TResourcesList &List, TUnitList &Units, QString *Error)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (Error)
            *Error = FileName + u": "_s + file.errorString();
        return false;
    }
    if (!ReadTsFile(file, List, Units, Error)) {
        if (Error)
            *Error = FileName + u": "_s + *Error;
        return false;
    }
    return true;
}

} // namespace wordmill
