#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace corvane {

// One message box as the program asks for it.
struct MessageBoxRequest
{
    QWidget *parent = nullptr;
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::Critical;
};

// Shows an application-modal message box with the given icon and an OK
// button only, and returns when the user has closed it.
void ShowMessage(QWidget *parent, const QString &text, const QString &caption,
                 QMessageBox::Icon icon = QMessageBox::Critical);

// Replaces the boxes by a handler (tests capture them this way instead of
// blocking on a modal dialog). An empty handler shows real boxes again.
// Returns the handler that was installed before.
using MessageBoxHandler = std::function<void(const MessageBoxRequest &request)>;
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

} // namespace corvane
