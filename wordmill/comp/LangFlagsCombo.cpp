#include "LangFlagsCombo.h"

using namespace Qt::StringLiterals;

namespace wordmill {

TLangFlagsCombo::TLangFlagsCombo(QWidget *parent) : QComboBox(parent)
{
    setEditable(false);
    setIconSize(QSize(16, 16));
    connect(this, &QComboBox::activated, this, &TLangFlagsCombo::LanguageSelected);
}

TLangFlagsCombo::~TLangFlagsCombo() = default;

bool TLangFlagsCombo::SetEventHandler(const QString &event, const TNotifyEvent &handler)
{
    if (event != u"OnChangeLanguage"_s)
        return false;
    fOnChangeLanguage = handler;
    return true;
}

void TLangFlagsCombo::ShowLanguages(const QStringList &LangMenu, const QList<QIcon> &Flags,
                                    const QString &CurrentLanguage)
{
    const int count = int(LangMenu.size());
    for (int i = 0; i < count; ++i) {
        const QIcon flag = Flags.value(i);
        if (i < this->count()) {
            setItemText(i, LangMenu.at(i));
            setItemIcon(i, flag);
        } else {
            addItem(flag, LangMenu.at(i));
        }
    }
    while (this->count() > count)
        removeItem(this->count() - 1);
    // By name, not by position: of two entries with the same name the
    // first is the one shown.
    setCurrentIndex(int(LangMenu.indexOf(CurrentLanguage)));
    update();
}

void TLangFlagsCombo::EmptySelector()
{
    clear();
    update();
}

void TLangFlagsCombo::LanguageSelected(int index)
{
    if (index < 0)
        return;
    SelectLanguage(itemText(index));
}

void TLangFlagsCombo::ShowEngineLanguages(TWordmillEngine &Engine, int Index)
{
    ShowLanguages(Engine.LData()->LangMenu, Engine.FlagsList(), Engine.CurrentLanguage());
}

} // namespace wordmill
