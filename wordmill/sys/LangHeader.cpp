#include "LangHeader.h"

#include <wordmill/sys/FlagBuffer.h>
#include <wordmill/sys/FlagSection.h>
#include <wordmill/sys/LanguageNames.h>
#include <wordmill/sys/LineFields.h>
#include <wordmill/sys/TextHelpers.h>
#include <wordmill/sys/TextLines.h>

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace wordmill {

void ReadLangHeader(const QStringList &List, const QString &Signature, bool LoadFlag, TLangIDs &IDs)
{
    IDs.Clear();
    if (List.size() < 3 || TrimText(List.at(0)) != Signature)
        return;

    // The header is the first line with "%LANGUAGE_NAME=" that names the
    // language; the flag section is searched after it.
    qsizetype Next = List.size();
    for (qsizetype I = 1; I < List.size(); ++I) {
        const QString Value = LineValue(List.at(I));
        if (!Value.contains(u"%LANGUAGE_NAME="_s))
            continue;
        IDs.Code = ExtractField(Value, u"%CODE="_s);
        const QString Name = ExtractQuoted(Value);
        if (!Name.isEmpty()) {
            IDs.Name = Name;
            Next = I + 1;
            break;
        }
    }
    NormalizeISOCode(IDs.Code);

    if (!LoadFlag)
        return;
    ClearFlagBuffer();
    for (qsizetype I = Next; I < List.size(); ++I) {
        const QString Value = LineValue(List.at(I));
        if (Value.size() > 2 && !Value.startsWith(u'"') && Value.contains(u"%FLAG_ICON"_s)) {
            ReadFlagIcon(List, int(I + 1));
            break;
        }
    }
}

void ReadLangFileHeader(const QString &FileName, const QString &Signature, bool LoadFlag,
                        TLangIDs &IDs)
{
    IDs.Clear();
    if (FileName.isEmpty() || !QFileInfo(FileName).isFile())
        return;
    QStringList Lines;
    if (LoadTextFile(FileName, Lines))
        ReadLangHeader(Lines, Signature, LoadFlag, IDs);
}

void ReadLangStreamHeader(QIODevice &Stream, const QString &Signature, bool LoadFlag, TLangIDs &IDs)
{
    IDs.Clear();
    QStringList Lines;
    if (LoadTextLines(Stream, Lines))
        ReadLangHeader(Lines, Signature, LoadFlag, IDs);
}

} // namespace wordmill
