#include "LineID.h"

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

QString ComposeLineID(const QString &compName, const QString &ownerName, int propertyType,
                      const QString &itemAddr)
{
    QString key;
    key.reserve(compName.size() + ownerName.size() + itemAddr.size() + 8);
    key += compName;
    key += OwnerSeparator;
    key += ownerName;
    key += PropertySeparator;
    key += QString::number(propertyType);
    key += AddressSeparator;
    key += itemAddr;
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
