#include "ValuedLabel.h"

namespace wordmill {

TValuedLabel::TValuedLabel(QWidget *parent) : QLabel(parent) {}

TValuedLabel::~TValuedLabel() = default;

void TValuedLabel::UpdateCaption()
{
    setText(fValueName + fValueSeparator + Space + fValue);
}

void TValuedLabel::SetValue(const QString &Value)
{
    fValue = Value;
    UpdateCaption();
}

void TValuedLabel::SetValueName(const QString &Value)
{
    fValueName = Value;
    UpdateCaption();
}

void TValuedLabel::SetValueSeparator(const QString &Value)
{
    fValueSeparator = Value;
    UpdateCaption();
}

void TValuedLabel::SetValueSpaces(quint8 Value)
{
    fValueSpaces = Value;
    Space = QString(Value, u' ');
    UpdateCaption();
}

} // namespace wordmill
