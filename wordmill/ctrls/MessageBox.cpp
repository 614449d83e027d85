#include "MessageBox.h"

#include <QGuiApplication>

#include <utility>

namespace wordmill {

namespace {

MessageBoxHandler &currentHandler()
{
    static MessageBoxHandler handler;
    return handler;
}

} // namespace

void ShowMessage(QWidget *parent, const QString &text, const QString &caption,
                 QMessageBox::Icon icon)
{
    if (const MessageBoxHandler &handler = currentHandler()) {
        handler({parent, text, caption, icon});
        return;
    }
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void ShowErrorMessage(QWidget *parent, const QString &text)
{
    ShowMessage(parent, text, QGuiApplication::applicationDisplayName(), QMessageBox::Critical);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    return std::exchange(currentHandler(), std::move(handler));
}

} // namespace wordmill
