#pragma once

#include <QString>

namespace wordmill {

class TWordmillComponent;

// Text of one property value in the current language, decoded: the
// language's own translation, else a closer global string when the client
// uses global strings, else the design text Client collected.
QString FindTranslation(TWordmillComponent *Client, const QString &CompName,
                        const QString &OwnerName, const QString &ItemAddr, int PropertyID);

} // namespace wordmill
