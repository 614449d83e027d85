#include "ErrorMessage.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace wordmill {

namespace {

ErrorMessageHandler &currentHandler()
{
    static ErrorMessageHandler handler;
    return handler;
}

} // namespace

void ShowErrorMessage(QWidget *parent, const QString &text)
{
    if (const ErrorMessageHandler &handler = currentHandler()) {
        handler(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

ErrorMessageHandler SetErrorMessageHandler(const ErrorMessageHandler &handler)
{
    ErrorMessageHandler previous = currentHandler();
    currentHandler() = handler;
    return previous;
}

} // namespace wordmill
