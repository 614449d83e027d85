#pragma once

#include "WordmillCore.h"

#include <QByteArray>
#include <QPointer>

namespace wordmill {

// The engine component placed on a form. It completes the engine core with
// what needs the host: the language folder beside the executable, the
// built-in images of the editor entries, the design language's flag and the
// start of the engine at the application's first activation.
class TWordmillEngine : public TWordmillCore
{
    Q_OBJECT
    Q_PROPERTY(bool LangMenuFlags READ LangMenuFlags WRITE SetLangMenuFlags)

public:
    explicit TWordmillEngine(QObject *owner = nullptr);
    ~TWordmillEngine() override;

    // The design language's flag: the bytes of a bitmap or icon file.
    QByteArray DesignLangFlag() const { return fDesignLangFlag; }
    void SetDesignLangFlag(const QByteArray &Picture);

    QString GetLangsDir() const override;
    void FillSpecialFlag(QIODevice &Stream, int Kind) override;
    void RefreshControl(QObject *Control, int Index) override;

private:
    void ApplicationActivated(QObject *Sender);

    QByteArray fDesignLangFlag;
    TNotifyEvent ApplicationOnActivate;
    bool m_activationHooked = false;
};

} // namespace wordmill
