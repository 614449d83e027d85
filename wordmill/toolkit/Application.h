#pragma once

#include <wordmill/toolkit/Component.h>

namespace wordmill {

// The application-wide events of the component model. One instance per
// process; the widget layer reports activations into it.
class TApplicationEvents
{
public:
    static TApplicationEvents &Instance();

    const TNotifyEvent &OnActivate() const { return m_onActivate; }
    void SetOnActivate(const TNotifyEvent &handler) { m_onActivate = handler; }

    // Called whenever the application becomes active.
    void NotifyActivated(QObject *sender);
    bool WasActivated() const { return m_activated; }

private:
    TNotifyEvent m_onActivate;
    bool m_activated = false;
};

} // namespace wordmill
