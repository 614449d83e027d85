#include "LineID.h"

#include <algorithm>
#include <iterator>

namespace wordmill {

namespace {

constexpr QChar OwnerSeparator = u'@';
constexpr QChar PropertySeparator = u'#';
constexpr QChar AddressSeparator = u'[';

// Span [begin, end) of the owner part, or begin -1 when the key has no "@".
struct OwnerSpan
{
    qsizetype begin = -1;
    qsizetype end = -1;
};

OwnerSpan FindOwner(QStringView lineID)
{
    const qsizetype at = lineID.indexOf(OwnerSeparator);
    if (at < 0)
        return {};
    const qsizetype hash = lineID.indexOf(PropertySeparator, at + 1);
    return {at + 1, hash < 0 ? lineID.size() : hash};
}

} // namespace

QString ComposeLineID(QStringView compName, QStringView ownerName, int propertyType,
                      QStringView itemAddr)
{
    // One allocation: the number is written into a small buffer first.
    char16_t number[12];
    char16_t *digits = std::end(number);
    unsigned value = propertyType < 0 ? 0u - unsigned(propertyType) : unsigned(propertyType);
    do {
        *--digits = char16_t(u'0' + value % 10);
        value /= 10;
    } while (value);
    if (propertyType < 0)
        *--digits = u'-';
    const QStringView numberText(digits, std::end(number) - digits);

    QString key(compName.size() + ownerName.size() + numberText.size() + itemAddr.size() + 3,
                Qt::Uninitialized);
    QChar *out = key.data();
    const auto put = [&out](QStringView part) {
        std::copy(part.begin(), part.end(), out);
        out += part.size();
    };
    put(compName);
    *out++ = OwnerSeparator;
    put(ownerName);
    *out++ = PropertySeparator;
    put(numberText);
    *out++ = AddressSeparator;
    put(itemAddr);
    return key;
}

TLineIDParts SplitLineID(QStringView lineID)
{
    TLineIDParts parts;
    const OwnerSpan owner = FindOwner(lineID);
    if (owner.begin < 0) {
        parts.CompName = lineID.toString();
        return parts;
    }
    parts.CompName = lineID.left(owner.begin - 1).toString();
    parts.OwnerName = lineID.mid(owner.begin, owner.end - owner.begin).toString();
    if (owner.end >= lineID.size())
        return parts;
    const qsizetype numberBegin = owner.end + 1;
    const qsizetype bracket = lineID.indexOf(AddressSeparator, numberBegin);
    if (bracket < 0) {
        parts.PropertyText = lineID.mid(numberBegin).toString();
        return parts;
    }
    parts.PropertyText = lineID.mid(numberBegin, bracket - numberBegin).toString();
    parts.ItemAddr = lineID.mid(bracket + 1).toString();
    parts.HasItemAddr = true;
    return parts;
}

int ReadPropertyID(QStringView propertyText)
{
    // Strictly decimal digits: no sign, no spaces, at most 16 bits.
    if (propertyText.isEmpty() || propertyText.size() > 5)
        return UnreadablePropertyID;
    int value = 0;
    for (const QChar ch : propertyText) {
        if (ch < u'0' || ch > u'9')
            return UnreadablePropertyID;
        value = value * 10 + (ch.unicode() - u'0');
    }
    return value <= 0xFFFF ? value : UnreadablePropertyID;
}

bool ReplaceLineIDOwner(QString &lineID, QStringView currentOwner, QStringView newOwner)
{
    const OwnerSpan owner = FindOwner(lineID);
    if (owner.begin < 0)
        return false;
    const QStringView present = QStringView(lineID).mid(owner.begin, owner.end - owner.begin);
    if (present != currentOwner || present == newOwner)
        return false;
    lineID.replace(owner.begin, owner.end - owner.begin, newOwner.data(), newOwner.size());
    return true;
}

} // namespace wordmill
