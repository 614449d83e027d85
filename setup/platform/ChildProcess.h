#pragma once

#include <QStringList>

class QProcessEnvironment;

namespace corvane {

// Starts a program and waits for it to end, serving the event queue every
// 10 ms meanwhile so the windows stay alive. Its output goes to this
// process's output. False when the program could not be started.
bool RunProcessAndWait(const QString &program, const QStringList &arguments,
                       const QString &directory, const QProcessEnvironment &environment);

} // namespace corvane
