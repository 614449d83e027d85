#pragma once

#include <wordmill/ctrls/Form.h>

#include <QPointer>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMessageBox;
class QPushButton;

namespace wordmill {
class TCustomResourcesTranslator;
class TLangCombo;
class TWordmillEngine;
} // namespace wordmill

// The demo's main window, read from its stored definition. Its texts are
// the application's tr() texts and Qt's own texts (the message box and
// button box buttons, the line edit's context menu); a resource-string
// translator filled from the application's .ts file translates them all
// when a language is picked in the language combo box.
class DemoWindow : public wordmill::TForm
{
    Q_OBJECT
public:
    explicit DemoWindow(QWidget *parent = nullptr);
    ~DemoWindow() override;

    wordmill::TWordmillEngine *Engine() const { return WordmillEngine1; }
    wordmill::TCustomResourcesTranslator *Translator() const { return ResourcesTranslator1; }
    QLineEdit *Edit() const { return LineEdit1; }
    QDialogButtonBox *Buttons() const { return ButtonBox; }

    // Opens the question without waiting for it; the box stays open until
    // answered.
    QMessageBox *ShowMessage();
    // Opens the line edit's context menu, whose texts are Qt's own.
    QMenu *ShowContextMenu();

    // Handlers the definition names.
    Q_INVOKABLE void ShowMessageButtonClick(QObject *Sender);
    Q_INVOKABLE void WordmillEngine1ChangeLanguage(QObject *Sender);

protected:
    void changeEvent(QEvent *event) override;

private:
    void Retranslate();

    wordmill::TWordmillEngine *WordmillEngine1 = nullptr;
    wordmill::TCustomResourcesTranslator *ResourcesTranslator1 = nullptr;
    wordmill::TLangCombo *LangCombo1 = nullptr;
    QLabel *LanguageLabel = nullptr;
    QLabel *PromptLabel = nullptr;
    QLineEdit *LineEdit1 = nullptr;
    QPushButton *ShowMessageButton = nullptr;
    QLabel *StatusLabel = nullptr;
    QDialogButtonBox *ButtonBox = nullptr;
    QPointer<QMessageBox> m_message;
};
