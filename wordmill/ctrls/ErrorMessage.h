#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace wordmill {

// Shows an error the library cannot return to its caller (a language folder
// that cannot be created when the user picks an editor entry): an
// application-modal box with the error icon and OK. Tests install a handler
// to see the messages instead.
void ShowErrorMessage(QWidget *parent, const QString &text);

using ErrorMessageHandler = std::function<void(const QString &text)>;
// Replaces how errors are shown; returns the previous handler. An empty
// handler restores the message box.
ErrorMessageHandler SetErrorMessageHandler(const ErrorMessageHandler &handler);

} // namespace wordmill
