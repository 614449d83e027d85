#include "Form.h"

#include <QPointer>

namespace wordmill {

FormLoading::FormLoading(QObject *form) : m_form(form)
{
    SetComponentLoading(m_form, true);
}

FormLoading::~FormLoading()
{
    if (!m_finished)
        SetComponentLoading(m_form, false);
}

void FormLoading::Finish()
{
    if (m_finished)
        return;
    m_finished = true;
    QPointer<QObject> form = m_form;
    const QList<QObject *> owned = OwnedComponents(m_form);
    SetComponentLoading(m_form, false);
    for (QObject *component : owned) {
        QPointer<QObject> guard = component;
        if (auto *hooks = dynamic_cast<ComponentHooks *>(component); guard && hooks)
            hooks->Loaded();
    }
    if (form)
        if (FormHooks *hooks = AsForm(form))
            hooks->DoCreate(form);
}

} // namespace wordmill
