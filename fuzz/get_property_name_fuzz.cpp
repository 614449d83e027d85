// Feeds arbitrary structure line keys and addition-name lists to the key
// parser and the property path builder.
//
// Input: one byte selecting the text encoding (even: UTF-8, odd: UTF-16),
// then the text. Its first line is the key, further lines are the caller's
// addition names.

#include <wordmill/sys/ComponentStructure.h>
#include <wordmill/sys/LineID.h>
#include <wordmill/sys/PropertyNames.h>

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace Qt::StringLiterals;
using namespace wordmill;

namespace {

QString DecodeInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return {};
    const bool utf16 = (data[0] & 1) != 0;
    const auto *text = data + 1;
    const auto length = static_cast<qsizetype>(size - 1);
    if (utf16)
        return QString(reinterpret_cast<const QChar *>(text), length / 2);
    return QString::fromUtf8(reinterpret_cast<const char *>(text), length);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 4096)
        return 0;
    const QStringList lines = DecodeInput(data, size).split(u'\n');
    const QString key = lines.value(0);
    const QStringList additions = lines.mid(1);

    TComponentStructure structure;
    structure.AddLine(TSimpleStructLine{key, u"t"_s, 0, 1});
    const QString path = structure.GetPropertyName(0, additions);
    if (path != PropertyPathOf(key, additions))
        std::abort();

    const TFullStructLine full = structure.GetFull(0);
    if (full.CompName != structure.ComponentName(0) || full.PropertyID != structure.PropertyID(0))
        std::abort();

    // A key built from its own parts splits back into the same parts.
    const QString rebuilt =
        ComposeLineID(full.CompName, full.OwnerName, full.PropertyID, full.ItemAddr);
    const TLineIDParts again = SplitLineID(rebuilt);
    if (!full.CompName.contains(u'@') && !full.OwnerName.contains(u'#') &&
        (again.CompName != full.CompName || again.OwnerName != full.OwnerName ||
         again.ItemAddr != full.ItemAddr))
        std::abort();

    structure.AddLine(TSimpleStructLine{rebuilt, u"u"_s, 1, 1});
    structure.SwitchLanguageOwner(full.OwnerName, u"Other"_s);
    for (int i = 0; i < structure.Count(); ++i)
        structure.GetPropertyName(i, additions);
    return 0;
}
