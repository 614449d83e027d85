#pragma once

#include "platform/Platform.h"

#include <QStringList>

class QProcessEnvironment;

namespace corvane {

// Starts a program and waits for it to end, serving the event queue every
// 10 ms meanwhile so the windows stay alive. Its output goes to this
// process's output. A program killed by a signal ends with 128 plus the
// signal's number, as a shell reports it.
RunResult RunProcessAndWait(const QString &program, const QStringList &arguments,
                            const QString &directory, const QProcessEnvironment &environment);

} // namespace corvane
