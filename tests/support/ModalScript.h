#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

// Drives code that runs modal windows (the editor, file dialogs, message
// boxes) from inside their own event loops: a list of steps, each run once
// its condition holds, in order. A step may itself open a modal window: the
// next steps go on inside that window's loop. When the steps do not all run
// in time, every modal window is closed so that no test hangs, and the step
// that never ran is reported.
class ModalScript
{
public:
    using Condition = std::function<bool()>;
    using Action = std::function<void()>;

    // A step run once Ready holds.
    ModalScript &When(const QString &What, Condition Ready, Action Act)
    {
        steps.push_back({What, std::move(Ready), std::move(Act)});
        return *this;
    }

    // A step run on the active modal window once it is of class T (and, when
    // Name is given, has that object name).
    template <typename T>
    ModalScript &OnModal(const QString &What, std::function<void(T *)> Act,
                         const QString &Name = {})
    {
        return When(
            What,
            [Name] {
                auto *modal = qobject_cast<T *>(QApplication::activeModalWidget());
                return modal && modal->isVisible() &&
                       (Name.isEmpty() || modal->objectName() == Name);
            },
            [Act] { Act(qobject_cast<T *>(QApplication::activeModalWidget())); });
    }

    // Runs Start (which blocks in a modal loop) while the steps are played.
    // Returns whether every step ran; Failure() tells the first one missing.
    bool Run(const Action &Start, int TimeoutMs = 20000)
    {
        QDeadlineTimer deadline(TimeoutMs);
        QTimer tick;
        tick.setInterval(5);
        QObject::connect(&tick, &QTimer::timeout, [this, &deadline] { Tick(deadline); });
        tick.start();
        Start();
        tick.stop();
        // Steps may still wait for the non-modal state after Start returned.
        while (next < steps.size() && !deadline.hasExpired()) {
            Tick(deadline);
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        if (next < steps.size() && failure.isEmpty())
            failure = QStringLiteral("step not reached: ") + steps[next].what;
        return failure.isEmpty();
    }

    QString Failure() const { return failure; }

private:
    struct Step
    {
        QString what;
        Condition ready;
        Action act;
    };

    void Tick(const QDeadlineTimer &Deadline)
    {
        if (Deadline.hasExpired()) {
            if (failure.isEmpty())
                failure = next < steps.size()
                              ? QStringLiteral("timed out before: ") + steps[next].what
                              : QStringLiteral("timed out after the last step");
            next = steps.size();
            // Closed without asking: QDialog::done skips close questions.
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                dialog->done(QDialog::Rejected);
            return;
        }
        if (!acting && next < steps.size() && steps[next].ready()) {
            // The step acts from a timer of its own: a timer never fires
            // while its own handler runs, and when the step opens a modal
            // window the following steps must run inside that window's loop.
            const Action act = steps[next++].act;
            acting = true;
            QTimer::singleShot(0, [this, act] {
                acting = false;
                act();
            });
        }
    }

    std::vector<Step> steps;
    size_t next = 0;
    bool acting = false;
    QString failure;
};
