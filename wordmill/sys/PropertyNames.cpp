#include "PropertyNames.h"

#include <wordmill/sys/LineID.h>
#include <wordmill/sys/TextHelpers.h> // ContainsLetter

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

// Names of the numbers 0 to 127: string properties (0 to 20), string lists
// (32 to 42), structured properties (64 to 80) and other properties (96 to
// 109). Unused numbers of the four groups have an empty name.
constexpr std::array<const char16_t *, 128> GroupNames = {
    // 0 to 20
    u"Caption", u"Hint", u"TextHint", u"EditLabel.Hint", u"EditLabel.Caption", u"Text", u"Title",
    u"ValueName", u"HelpKeyword", u"BalloonHint", u"BalloonTitle", u"SimpleText", u"FileNameLabel",
    u"OkButtonLabel", u"ExpandButtonCaption", u"ExpandedText", u"FooterText", u"VerificationText",
    u"DialogCaption", u"HeaderTitle", u"Prompt",
    // 21 to 31
    u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"",
    // 32 to 42
    u"Lines", u"Items", u"TitleCaptions", u"Tabs", u"Pages", u"Sections", u"Header", u"Footer",
    u"InsertList", u"ItemList", u"AutoCompleteList",
    // 43 to 63
    u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"",
    u"", u"",
    // 64 to 80
    u"Panels", u"Bands", u"Category", u"Items", u"Items", u"Columns", u"Groups", u"Items",
    u"Sections", u"Columns", u"Items", u"Columns", u"FileTypes", u"Buttons", u"RadioButtons",
    u"Messages", u"KeyCaptions",
    // 81 to 95
    u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"",
    // 96 to 109
    u"Filter", u"RV", u"RV", u"DisplayName", u"DocInfo", u"TCH", u"", u"Gestures", u"ScreenTip",
    u"ScreenMask", u"", u"DateFormat", u"TimeFormat", u"WebOptions",
    // 110 to 127
    u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u""};

// Names of the sub-item properties 500 to 521 used inside item addresses.
constexpr int FirstSubItemID = 500;
constexpr std::array<const char16_t *, 22> SubItemNames = {u"Header",
                                                           u"Footer",
                                                           u"BottomDescription",
                                                           u"SubsetTitle",
                                                           u"SubTitle",
                                                           u"TopDescription",
                                                           u"CommandLinkHint",
                                                           u"Author",
                                                           u"Creator",
                                                           u"KeyWords",
                                                           u"Producer",
                                                           u"Subject",
                                                           u"DisplayMessage",
                                                           u"Name",
                                                           u"CustomText",
                                                           u"Detail",
                                                           u"Description",
                                                           u"TextPrompt",
                                                           u"Format",
                                                           u"",
                                                           u"ServerMessages",
                                                           u"Unknown"};

constexpr int LastSubItemID = FirstSubItemID + int(SubItemNames.size()) - 1; // 521

// A sub-property number that marks "no sub-property" inside an address.
constexpr int NoSubProperty = 499;

constexpr QChar SegmentSeparator = u',';
constexpr QChar SubPropertySeparator = u'.';

// A number read from an item address; absent when the text is not an integer.
struct Number
{
    bool present = false;
    int value = 0;
};

// A decimal integer with an optional sign that fits an int.
Number ReadInteger(QStringView text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    // toInt tolerates surrounding blanks; an address segment must not.
    if (!ok || text.front().isSpace() || text.back().isSpace())
        return {};
    return {true, value};
}

QStringView ReadUntil(QStringView text, qsizetype &pos, bool stopAtSubProperty)
{
    const qsizetype begin = pos;
    while (pos < text.size() && text[pos] != SegmentSeparator &&
           !(stopAtSubProperty && text[pos] == SubPropertySeparator))
        ++pos;
    return text.mid(begin, pos - begin);
}

void AppendIndexPrefix(QString &result, const Number &index)
{
    if (index.present) {
        result += u"[%1]."_s.arg(index.value);
    } else if (!result.isEmpty()) {
        result += u'.';
    }
}

} // namespace

QString PropertyTypeName(int number, const QStringList &wordmillAdditionNames)
{
    if (number >= FirstAdditionPropertyID) {
        const qsizetype position = qsizetype(number) - FirstAdditionPropertyID;
        return position < wordmillAdditionNames.size() ? wordmillAdditionNames.at(position)
                                                       : u"Unknown"_s;
    }
    if (number >= FirstSubItemID && number <= LastSubItemID)
        return QString::fromUtf16(SubItemNames[number - FirstSubItemID]);
    if (number >= 0 && number < int(GroupNames.size()))
        return QString::fromUtf16(GroupNames[number]);
    return u"Unknown"_s;
}

QString PropertyPathOf(QStringView lineID, const QStringList &wordmillAdditionNames)
{
    const TLineIDParts parts = SplitLineID(lineID);
    QString result = PropertyTypeName(ReadPropertyID(parts.PropertyText), wordmillAdditionNames);

    const QStringView address(parts.ItemAddr);
    qsizetype pos = 0;
    while (pos < address.size()) {
        const QStringView segment = ReadUntil(address, pos, true);
        const Number index = ReadInteger(segment);
        QStringView lastText = segment;
        Number subProperty;
        if (pos < address.size() && address[pos] == SubPropertySeparator) {
            ++pos;
            lastText = ReadUntil(address, pos, false);
            subProperty = ReadInteger(lastText);
            if (subProperty.value == NoSubProperty)
                subProperty.present = false;
        }
        if (pos < address.size() && address[pos] == SegmentSeparator)
            ++pos;
        const bool lastSegment = pos >= address.size();

        if (subProperty.present) {
            AppendIndexPrefix(result, index);
            // Sub-properties stop at the sub-item names; anything above is unknown.
            result += PropertyTypeName(std::min(subProperty.value, UnreadablePropertyID));
        } else if (ContainsLetter(lastText.toString())) {
            AppendIndexPrefix(result, index);
            QString name = lastText.toString();
            name.replace(u':', u'.');
            name.replace(u'=', u' ');
            result += name;
        } else if (index.present) {
            result += (lastSegment ? u".Item[%1]"_s : u"[%1].Item"_s).arg(index.value);
        }
    }
    return result;
}

} // namespace wordmill
