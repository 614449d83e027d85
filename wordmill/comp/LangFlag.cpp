#include "LangFlag.h"

namespace wordmill {

TLangFlag::TLangFlag(QWidget *parent) : QLabel(parent)
{
    SetTransparent(true);
    SetCenter(true);
}

TLangFlag::~TLangFlag() = default;

bool TLangFlag::Center() const
{
    return alignment() == Qt::AlignCenter;
}

void TLangFlag::SetCenter(bool Value)
{
    setAlignment(Value ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
}

void TLangFlag::SetPicture(const QPixmap &Value)
{
    if (Value.isNull())
        clear();
    else
        setPixmap(Value);
}

void TLangFlag::EmptySelector()
{
    clear();
}

void TLangFlag::ShowEngineLanguages(TWordmillEngine &Engine, int Index)
{
    QPixmap picture;
    SetPicture(Engine.LoadFlagPicture(picture, Index) ? picture : QPixmap());
}

void TLangFlag::LeftEngine()
{
    // Only the lists empty themselves; the flag stays until it is bound
    // again or refreshed.
}

} // namespace wordmill
