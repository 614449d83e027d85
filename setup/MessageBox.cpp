#include "MessageBox.h"

namespace corvane {

namespace {

MessageBoxHandler &CurrentHandler()
{
    static MessageBoxHandler handler;
    return handler;
}

} // namespace

void ShowMessage(QWidget *parent, const QString &text, const QString &caption,
                 QMessageBox::Icon icon)
{
    if (const MessageBoxHandler &handler = CurrentHandler()) {
        handler({parent, text, caption, icon});
        return;
    }
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    return std::exchange(CurrentHandler(), std::move(handler));
}

} // namespace corvane
