#include "ActivationWatcher.h"

#include <wordmill/toolkit/Application.h>

#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

namespace wordmill {

namespace {

class ActivationWatcher : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->isWindow() && !m_firstShowSeen) {
            m_firstShowSeen = true;
            // Give the platform a moment to report the activation itself.
            QTimer::singleShot(0, this, [] {
                if (!TApplicationEvents::Instance().WasActivated())
                    TApplicationEvents::Instance().NotifyActivated(qApp);
            });
        }
        return false;
    }

private:
    bool m_firstShowSeen = false;
};

} // namespace

void InstallApplicationActivationWatcher()
{
    static bool installed = false;
    if (installed || !qApp)
        return;
    installed = true;
    auto *watcher = new ActivationWatcher(qApp);
    qApp->installEventFilter(watcher);
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, watcher,
                     [](Qt::ApplicationState state) {
                         if (state == Qt::ApplicationActive)
                             TApplicationEvents::Instance().NotifyActivated(qApp);
                     });
}

} // namespace wordmill
