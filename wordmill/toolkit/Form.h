#pragma once

#include <wordmill/toolkit/Component.h>

namespace wordmill {

// What forms, frames and data modules have in common: a replaceable OnCreate
// event that runs after the form has been read from its stored definition.
class FormHooks
{
public:
    virtual ~FormHooks() = default;

    const TNotifyEvent &OnCreate() const { return m_onCreate; }
    void SetOnCreate(const TNotifyEvent &handler) { m_onCreate = handler; }

    // Runs the OnCreate handler, if any, with sender as its argument.
    void DoCreate(QObject *sender)
    {
        if (m_onCreate)
            m_onCreate(sender);
    }

private:
    TNotifyEvent m_onCreate;
};

// The form hooks of obj, or nullptr when obj is no form.
inline FormHooks *AsForm(QObject *obj)
{
    return dynamic_cast<FormHooks *>(obj);
}

// A non-visual form: a container of components with an OnCreate event.
class TDataModule : public TComponent, public FormHooks
{
    Q_OBJECT
public:
    explicit TDataModule(QObject *owner = nullptr) : TComponent(owner) {}
};

// The loading phase of a form. While it runs, the form and everything it owns
// report loading. When it ends, every owned component gets its Loaded
// notification in creation order, and then the form's OnCreate runs.
class FormLoading
{
public:
    explicit FormLoading(QObject *form);
    ~FormLoading();
    FormLoading(const FormLoading &) = delete;
    FormLoading &operator=(const FormLoading &) = delete;

    // Ends the phase with the notifications. A phase left without Finish
    // (a definition that could not be read) ends without them.
    void Finish();

private:
    QObject *m_form;
    bool m_finished = false;
};

} // namespace wordmill
