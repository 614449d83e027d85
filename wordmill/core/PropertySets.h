#pragma once

#include <QtGlobal>

#include <initializer_list>

namespace wordmill {

// The kinds of properties a client translates. Each kind belongs to a group;
// the property number of an element, under which its texts are stored, is
// the group's first number plus the element's ordinal.

// String properties: numbers 0 to 20.
enum TStringProperties : int {
    pnCaption,
    pnHint,
    pnTextHint,
    pnEditLabelHint,
    pnEditLabelCaption,
    pnText,
    pnTitle,
    pnValueName,
    pnHelpKeyword,
    pnBalloonHint,
    pnBalloonTitle,
    pnSimpleText,
    pnFileNameLabel,
    pnOkButtonLabel,
    pnExpandButtonCaption,
    pnExpandedText,
    pnFooterText,
    pnVerificationText,
    pnDialogCaption,
    pnHeaderTitle,
    pnPrompt
};

// String lists: numbers 32 to 42.
enum TTStringsProperties : int {
    pnLines,
    pnItems,
    pnTitleCaptions,
    pnTabs,
    pnPages,
    pnSections,
    pnHeader,
    pnFooter,
    pnInsertList,
    pnItemList,
    pnAutoCompleteList
};

// Properties made of items: numbers 64 to 80.
enum TStructuredProperties : int {
    pnPanels,
    pnBands,
    pnButtonCategories,
    pnGrpButtonItems,
    pnTreeItems,
    pnListColumns,
    pnListGroups,
    pnListItems,
    pnHeaderSections,
    pnDBGridTitleCaptions,
    pnOutlineItems,
    pnTabProducerColumns,
    pnFileTypes,
    pnButtons,
    pnRadioButtons,
    pnMessages,
    pnKeyCaptions
};

// Other properties and whole component kinds: numbers 96 to 109.
enum TOtherProperties : int {
    pnFilter,
    RvProject_DISABLED,
    RvSystem_DISABLED,
    RvRender_DISABLED,
    RAVE_IS_DISABLED,
    TeeChart_IS_DISABLED,
    cnTActionManager,
    cnTGestureManager,
    cnTScreenTipItem,
    ScreenMask_UNSUPP,
    UniCalendar_UNSUPP,
    DateFormat_UNSUPP,
    TimeFormat_UNSUPP,
    WebOptions_UNSUPP
};

enum TAdditionProperties : int { adCount };

// Sets of elements: bit n stands for element n.
using TTranslateStringProperties = quint32;
using TTranslateTStringsProperties = quint32;
using TTranslateStructuredProperties = quint32;
using TTranslateOtherProperties = quint32;
using TAdditionSet = quint32;

// The elements a client can be told to handle; others are dropped silently.
inline constexpr quint32 StringPropertiesMask = 0xFFFFF;     // up to pnHeaderTitle
inline constexpr quint32 TStringsPropertiesMask = 0xFF;      // up to pnFooter
inline constexpr quint32 StructuredPropertiesMask = 0x17FFF; // no pnMessages
inline constexpr quint32 OtherPropertiesMask = 0x1C1;        // filter and component kinds
inline constexpr quint32 AdditionPropertiesMask = 0x1;

// What a new client handles: everything but help keywords, status-bar texts
// and prompts; every list but the rarely translated ones; no status-bar
// panels, tree items, list-view items or messages.
inline constexpr quint32 DefaultTransStringProp = 1046271;
inline constexpr quint32 DefaultTransTStringsProp = 255;
inline constexpr quint32 DefaultTransStructuredProp = 98158;
inline constexpr quint32 DefaultTransOtherProp = 321;

// Sub-item numbers used inside item addresses.
inline constexpr int HeaderSubID = 500;
inline constexpr int FooterSubID = 501;
inline constexpr int SubTitleSubID = 504;
inline constexpr int CommandLinkHintSubID = 506;
inline constexpr int NameSubID = 513;

constexpr bool InSet(quint32 set, int element)
{
    return element >= 0 && element < 32 && ((set >> element) & 1u) != 0;
}

constexpr quint32 SetOf(std::initializer_list<int> elements)
{
    quint32 set = 0;
    for (int element : elements)
        if (element >= 0 && element < 32)
            set |= 1u << element;
    return set;
}

// Property numbers of the elements.
constexpr int PropertyNumber(TStringProperties element)
{
    return int(element);
}
constexpr int PropertyNumber(TTStringsProperties element)
{
    return 32 + int(element);
}
constexpr int PropertyNumber(TStructuredProperties element)
{
    return 64 + int(element);
}
constexpr int PropertyNumber(TOtherProperties element)
{
    return 96 + int(element);
}

} // namespace wordmill
