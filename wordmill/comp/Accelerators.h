#pragma once

#include <QString>

namespace wordmill {

// Captions of buttons, actions and menus mark their keyboard accelerator
// with "&"; "&&" stands for one "&" shown as it is.

/// Caption without accelerator markers: "&Open" gives "Open", "A && B" gives "A & B".
QString StripAccelerators(const QString &Caption);

/// A text shown literally as a caption: every "&" doubled.
QString EscapeAccelerators(const QString &Text);

} // namespace wordmill
