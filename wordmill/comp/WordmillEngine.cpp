#include "WordmillEngine.h"

#include "WordmillSys.h"
#include "ctrls/WidgetFormReader.h"

#include <QBuffer>
#include <QCoreApplication>

namespace wordmill {

TWordmillEngine::TWordmillEngine(QObject *owner) : TWordmillCore(owner)
{
    AfterConstruction();
    InstallApplicationActivationWatcher();
    TApplicationEvents &application = TApplicationEvents::Instance();
    ApplicationOnActivate = application.OnActivate();
    application.SetOnActivate([this](QObject *sender) { ApplicationActivated(sender); });
    m_activationHooked = true;
}

TWordmillEngine::~TWordmillEngine()
{
    if (m_activationHooked)
        TApplicationEvents::Instance().SetOnActivate(ApplicationOnActivate);
}

void TWordmillEngine::ApplicationActivated(QObject *Sender)
{
    // One use only: start the engine, then give the application its own
    // handler back and run it.
    const TNotifyEvent previous = ApplicationOnActivate;
    m_activationHooked = false;
    TApplicationEvents::Instance().SetOnActivate(previous);
    Initialize(true);
    if (previous)
        previous(Sender);
}

void TWordmillEngine::SetDesignLangFlag(const QByteArray &Picture)
{
    fDesignLangFlag = Picture;
    RefreshLanguages();
}

QString TWordmillEngine::GetLangsDir() const
{
    return CombinePath(QCoreApplication::applicationDirPath(), LangSubdirectory());
}

void TWordmillEngine::FillSpecialFlag(QIODevice &Stream, int Kind)
{
    QByteArray bytes;
    if (Kind == 0)
        DecodePictureText(bytes, CreateLanguageFlagPicture());
    else if (Kind == 1)
        DecodePictureText(bytes, EditLanguageFlagPicture());
    else if (Kind == 2)
        bytes = fDesignLangFlag;
    if (auto *buffer = qobject_cast<QBuffer *>(&Stream)) {
        buffer->buffer() = bytes;
        buffer->seek(0);
    } else {
        Stream.write(bytes);
    }
}

void TWordmillEngine::RefreshControl(QObject *Control, int Index)
{
    // Selector controls show the language list; other clients show nothing.
    Q_UNUSED(Control);
    Q_UNUSED(Index);
}

} // namespace wordmill
