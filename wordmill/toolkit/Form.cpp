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
    // A Loaded notification may delete other components of the form (or the
    // form itself): every component is guarded before the first one runs, so
    // a deleted one is skipped instead of touched.
    const QList<QObject *> owned = OwnedComponents(m_form);
    QList<QPointer<QObject>> guarded;
    guarded.reserve(owned.size());
    for (QObject *component : owned)
        guarded.append(component);
    SetComponentLoading(m_form, false);
    for (const QPointer<QObject> &component : std::as_const(guarded)) {
        if (!component)
            continue;
        if (auto *hooks = dynamic_cast<ComponentHooks *>(component.data()))
            hooks->Loaded();
    }
    if (form)
        if (FormHooks *hooks = AsForm(form))
            hooks->DoCreate(form);
}

} // namespace wordmill
