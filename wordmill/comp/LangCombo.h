#pragma once

#include <wordmill/comp/LanguageSelector.h>

#include <QAbstractItemDelegate>
#include <QComboBox>
#include <QPointer>
#include <QStyle>

#include <functional>

class QPainter;

namespace wordmill {

// State of an entry being drawn by the application.
struct TOwnerDrawState
{
    QStyle::State State;    // selected, has focus, enabled...
    bool ComboEdit = false; // the closed box's own field, not the list
};

// Draws entry Index into Rect; the control itself draws nothing.
using TDrawItemEvent = std::function<void(QObject *Control, int Index, QPainter *Canvas,
                                          const QRect &Rect, const TOwnerDrawState &State)>;
// Tells the height of entry Index (scOwnerDrawVariable); Height comes in as
// ItemHeight.
using TMeasureItemEvent = std::function<void(QObject *Control, int Index, int &Height)>;

// A drop-down list of the engine's languages followed by the editor
// entries. Picking an entry switches the language (or opens the editor)
// and then fires OnChangeLanguage. The engine fills the list; the control
// keeps its activation for itself.
class TLangCombo : public QComboBox, public TLanguageSelector
{
    Q_OBJECT
    Q_PROPERTY(
        wordmill::TWordmillEngine *WordmillEngine READ WordmillEngine WRITE SetWordmillEngine)
    Q_PROPERTY(TLangComboStyle StyleCombo READ StyleCombo WRITE SetStyleCombo)
    Q_PROPERTY(int ItemHeight READ ItemHeight WRITE SetItemHeight)

public:
    // How the entries are shown.
    enum TLangComboStyle {
        scDropDownList,     // plain texts
        scOwnerDrawFixed,   // drawn by OnDrawItem, all entries ItemHeight high
        scOwnerDrawVariable // drawn by OnDrawItem, heights from OnMeasureItem
    };
    Q_ENUM(TLangComboStyle)

    explicit TLangCombo(QWidget *parent = nullptr);
    ~TLangCombo() override;

    // Reading switches an editable box back to a drop-down list.
    TLangComboStyle StyleCombo();
    void SetStyleCombo(TLangComboStyle Value);
    int ItemHeight() const { return fItemHeight; }
    void SetItemHeight(int Value);

    const TDrawItemEvent &OnDrawItem() const { return fOnDrawItem; }
    void SetOnDrawItem(const TDrawItemEvent &handler);
    const TMeasureItemEvent &OnMeasureItem() const { return fOnMeasureItem; }
    void SetOnMeasureItem(const TMeasureItemEvent &handler);

    bool SetEventHandler(const QString &event, const TNotifyEvent &handler) override;

    // Shows the engine's list and selects position Index.
    void ShowLanguages(const QStringList &LangMenu, int Index);
    void EmptySelector() override;
    void ShowEngineLanguages(TWordmillEngine &Engine, int Index) override;

protected:
    void paintEvent(QPaintEvent *event) override;
    QObject *SelectorObject() override { return this; }

private:
    class OwnerDrawDelegate;
    enum class UnderlyingStyle { DropDownList, OwnerDrawFixed, OwnerDrawVariable };

    void ApplyStyle(UnderlyingStyle style);
    void LanguageSelected(int index);

    UnderlyingStyle fStyle = UnderlyingStyle::DropDownList;
    QPointer<QAbstractItemDelegate> m_plainDelegate;
    int fItemHeight = 16;
    TDrawItemEvent fOnDrawItem;
    TMeasureItemEvent fOnMeasureItem;
};

using TLangComboStyle = TLangCombo::TLangComboStyle;
inline constexpr TLangComboStyle scDropDownList = TLangCombo::scDropDownList;
inline constexpr TLangComboStyle scOwnerDrawFixed = TLangCombo::scOwnerDrawFixed;
inline constexpr TLangComboStyle scOwnerDrawVariable = TLangCombo::scOwnerDrawVariable;

} // namespace wordmill
