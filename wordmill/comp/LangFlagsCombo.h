#pragma once

#include <wordmill/comp/LanguageSelector.h>

#include <QComboBox>
#include <QIcon>

namespace wordmill {

// A drop-down list of the engine's languages with each language's flag in
// front of its name. Picking an entry switches the language (or opens the
// editor) and then fires OnChangeLanguage.
class TLangFlagsCombo : public QComboBox, public TLanguageSelector
{
    Q_OBJECT
    Q_PROPERTY(
        wordmill::TWordmillEngine *WordmillEngine READ WordmillEngine WRITE SetWordmillEngine)

public:
    explicit TLangFlagsCombo(QWidget *parent = nullptr);
    ~TLangFlagsCombo() override;

    bool SetEventHandler(const QString &event, const TNotifyEvent &handler) override;

    // Shows the entries with the flag of the same position and selects the
    // first entry named like the current language.
    void ShowLanguages(const QStringList &LangMenu, const QList<QIcon> &Flags,
                       const QString &CurrentLanguage);
    // Removes the entries and their images.
    void EmptySelector() override;
    void ShowEngineLanguages(TWordmillEngine &Engine, int Index) override;

protected:
    QObject *SelectorObject() override { return this; }

private:
    void LanguageSelected(int index);
};

} // namespace wordmill
