#include "Application.h"

namespace wordmill {

TApplicationEvents &TApplicationEvents::Instance()
{
    static TApplicationEvents instance;
    return instance;
}

void TApplicationEvents::NotifyActivated(QObject *sender)
{
    m_activated = true;
    // Copy first: a handler may replace itself while it runs.
    const TNotifyEvent handler = m_onActivate;
    if (handler)
        handler(sender);
}

} // namespace wordmill
