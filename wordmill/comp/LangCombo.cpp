#include "LangCombo.h"

#include <QAbstractItemView>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>

using namespace Qt::StringLiterals;

namespace wordmill {

// Lets the application draw and measure the entries of the open list.
class TLangCombo::OwnerDrawDelegate : public QStyledItemDelegate
{
public:
    explicit OwnerDrawDelegate(TLangCombo *combo) : QStyledItemDelegate(combo), m_combo(combo) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        if (m_combo->fOnDrawItem)
            m_combo->fOnDrawItem(m_combo, index.row(), painter, option.rect,
                                 TOwnerDrawState{option.state, false});
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        int height = m_combo->fItemHeight;
        if (m_combo->fStyle == UnderlyingStyle::OwnerDrawVariable && m_combo->fOnMeasureItem)
            m_combo->fOnMeasureItem(m_combo, index.row(), height);
        return {QStyledItemDelegate::sizeHint(option, index).width(), height};
    }

private:
    TLangCombo *m_combo;
};

TLangCombo::TLangCombo(QWidget *parent) : QComboBox(parent)
{
    setEditable(false);
    connect(this, &QComboBox::activated, this, &TLangCombo::LanguageSelected);
}

TLangCombo::~TLangCombo() = default;

bool TLangCombo::SetEventHandler(const QString &event, const TNotifyEvent &handler)
{
    if (event != u"OnChangeLanguage"_s)
        return false;
    fOnChangeLanguage = handler;
    return true;
}

TLangCombo::TLangComboStyle TLangCombo::StyleCombo()
{
    if (isEditable()) {
        // Only the three list styles exist for a language list.
        setEditable(false);
        ApplyStyle(UnderlyingStyle::DropDownList);
        return scDropDownList;
    }
    switch (fStyle) {
    case UnderlyingStyle::OwnerDrawFixed:
        return scOwnerDrawFixed;
    case UnderlyingStyle::OwnerDrawVariable:
        return scOwnerDrawVariable;
    case UnderlyingStyle::DropDownList:
        break;
    }
    return scDropDownList;
}

void TLangCombo::SetStyleCombo(TLangComboStyle Value)
{
    setEditable(false);
    switch (Value) {
    case scOwnerDrawFixed:
        ApplyStyle(UnderlyingStyle::OwnerDrawFixed);
        break;
    case scOwnerDrawVariable:
        ApplyStyle(UnderlyingStyle::OwnerDrawVariable);
        break;
    default:
        ApplyStyle(UnderlyingStyle::DropDownList);
        break;
    }
}

void TLangCombo::ApplyStyle(UnderlyingStyle style)
{
    const bool wasOwnerDrawn = fStyle != UnderlyingStyle::DropDownList;
    fStyle = style;
    const bool ownerDrawn = style != UnderlyingStyle::DropDownList;
    QAbstractItemView *list = view();
    if (ownerDrawn && !wasOwnerDrawn) {
        // The box's own delegate stays with the box for a return to plain texts.
        m_plainDelegate = list->itemDelegate();
        list->setItemDelegate(new OwnerDrawDelegate(this));
    } else if (!ownerDrawn && wasOwnerDrawn) {
        QAbstractItemDelegate *ownerDelegate = list->itemDelegate();
        list->setItemDelegate(m_plainDelegate);
        delete ownerDelegate;
    }
    list->doItemsLayout();
    update();
}

void TLangCombo::SetItemHeight(int Value)
{
    if (Value <= 0 || Value == fItemHeight)
        return;
    fItemHeight = Value;
    view()->doItemsLayout();
}

void TLangCombo::SetOnDrawItem(const TDrawItemEvent &handler)
{
    fOnDrawItem = handler;
    update();
}

void TLangCombo::SetOnMeasureItem(const TMeasureItemEvent &handler)
{
    fOnMeasureItem = handler;
    view()->doItemsLayout();
}

void TLangCombo::paintEvent(QPaintEvent *event)
{
    if (fStyle == UnderlyingStyle::DropDownList) {
        QComboBox::paintEvent(event);
        return;
    }
    // Owner-drawn: the frame and button come from the style, the field's
    // content from the application.
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (fOnDrawItem && currentIndex() >= 0) {
        const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, this);
        fOnDrawItem(this, currentIndex(), &painter, field, TOwnerDrawState{option.state, true});
    }
}

void TLangCombo::ShowLanguages(const QStringList &LangMenu, int Index)
{
    // Entries are updated in place: the box may be in the middle of telling
    // that the user picked one of them.
    const int count = int(LangMenu.size());
    for (int i = 0; i < count; ++i) {
        if (i < this->count()) {
            if (itemText(i) != LangMenu.at(i))
                setItemText(i, LangMenu.at(i));
        } else {
            addItem(LangMenu.at(i));
        }
    }
    while (this->count() > count)
        removeItem(this->count() - 1);
    setCurrentIndex(Index >= 0 && Index < count ? Index : -1);
    update();
}

void TLangCombo::EmptySelector()
{
    clear();
    update();
}

void TLangCombo::LanguageSelected(int index)
{
    if (index < 0)
        return;
    SelectLanguage(itemText(index));
}

void TLangCombo::ShowEngineLanguages(TWordmillEngine &Engine, int Index)
{
    ShowLanguages(Engine.LData()->LangMenu, Index);
}

} // namespace wordmill
