#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace wordmill {

// One message box as a caller asks for it.
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

// Shows an error the library cannot return to its caller (a language folder
// that cannot be created when the user picks an editor entry), captioned
// with the application's name.
void ShowErrorMessage(QWidget *parent, const QString &text);

// Replaces the boxes by a handler (tests capture them this way instead of
// blocking on a modal dialog). An empty handler shows real boxes again.
// Returns the handler that was installed before.
using MessageBoxHandler = std::function<void(const MessageBoxRequest &request)>;
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

} // namespace wordmill
