#pragma once

#include <QLabel>

namespace wordmill {

// A label that shows a name, a separator, some blanks and a value, such as
// "Size: 15 MB". Only the name is translated; the caption is composed anew
// whenever a part changes.
class TValuedLabel : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QString Value READ Value WRITE SetValue)
    Q_PROPERTY(QString ValueName READ ValueName WRITE SetValueName)
    Q_PROPERTY(QString ValueSeparator READ ValueSeparator WRITE SetValueSeparator)
    Q_PROPERTY(quint8 ValueSpaces READ ValueSpaces WRITE SetValueSpaces)

public:
    explicit TValuedLabel(QWidget *parent = nullptr);
    ~TValuedLabel() override;

    QString Value() const { return fValue; }
    virtual void SetValue(const QString &Value);
    QString ValueName() const { return fValueName; }
    virtual void SetValueName(const QString &Value);
    QString ValueSeparator() const { return fValueSeparator; }
    virtual void SetValueSeparator(const QString &Value);
    // Blanks between the separator and the value.
    quint8 ValueSpaces() const { return fValueSpaces; }
    virtual void SetValueSpaces(quint8 Value);

protected:
    // Caption := name + separator + blanks + value.
    virtual void UpdateCaption();

private:
    QString Space;
    QString fValue;
    QString fValueName;
    QString fValueSeparator;
    quint8 fValueSpaces = 0;
};

} // namespace wordmill
