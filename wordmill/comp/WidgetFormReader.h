#pragma once

#include <wordmill/toolkit/FormReader.h>

#include <QList>
#include <QPair>

class QWidget;

namespace wordmill {

// Reads stored definitions of widget forms. Besides the Qt properties of
// the components it understands these settings:
//   "align": "top" | "bottom" | "left" | "right" | "client"   (on a TForm)
//   "tabOrder": n        position in the form's tab chain
//   "tabStop": false     the control takes no keyboard focus
//   "clientSize": [w, h] on the form: a fixed client area
//   "position": "screenCenter" on the form
// and the event "OnClick" of buttons and actions.
class TWidgetFormReader : public TFormReader
{
public:
    explicit TWidgetFormReader(QObject *form);

    // Registers the widget classes and value types stored definitions use.
    // Called by the constructor; safe to call more than once.
    static void RegisterWidgetClasses();

protected:
    bool WriteProperty(QObject *component, const QString &name, const QJsonValue &value) override;
    bool BindEvent(QObject *component, const QString &event, const TNotifyEvent &handler) override;
    void FinishDefinition(const QJsonObject &definition) override;

private:
    QList<QPair<int, QWidget *>> m_tabOrder;
    bool m_centre = false;
};

} // namespace wordmill
