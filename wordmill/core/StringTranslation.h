#pragma once

#include <QString>
#include <QStringView>

namespace wordmill {

class TWordmillComponent;

// Text of one property value in the current language, decoded: the
// language's own translation, else a closer global string when the client
// uses global strings, else the design text Client collected.
QString FindTranslation(TWordmillComponent *Client, const QString &CompName,
                        const QString &OwnerName, const QString &ItemAddr, int PropertyID);

// The same for a line whose key (ComposeLineID) and design text are known.
QString ResolveTranslation(TWordmillComponent *Client, QStringView LineID,
                           const QString &DesignText);

} // namespace wordmill
