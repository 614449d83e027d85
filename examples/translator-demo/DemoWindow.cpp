#include "DemoWindow.h"

#include <wordmill/comp/LangCombo.h>
#include <wordmill/comp/WordmillEngine.h>
#include <wordmill/core/ResourcesTranslator.h>
#include <wordmill/comp/WidgetFormReader.h>

#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

// Qt's own texts this window shows: the standard buttons of the message box
// and the button box, and the line edit's context menu. Listing them here
// makes lupdate record them with the application's texts, so that the
// resource-string translator knows them too.
[[maybe_unused]] const char *const QtTexts[] = {
    QT_TRANSLATE_NOOP("QPlatformTheme", "OK"),    QT_TRANSLATE_NOOP("QPlatformTheme", "Cancel"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "&Yes"),  QT_TRANSLATE_NOOP("QPlatformTheme", "&No"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Save"),  QT_TRANSLATE_NOOP("QPlatformTheme", "Discard"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Close"), QT_TRANSLATE_NOOP("QPlatformTheme", "Apply"),
    QT_TRANSLATE_NOOP("QLineEdit", "&Undo"),      QT_TRANSLATE_NOOP("QLineEdit", "&Redo"),
    QT_TRANSLATE_NOOP("QLineEdit", "Cu&t"),       QT_TRANSLATE_NOOP("QLineEdit", "&Copy"),
    QT_TRANSLATE_NOOP("QLineEdit", "&Paste"),     QT_TRANSLATE_NOOP("QLineEdit", "Delete"),
    QT_TRANSLATE_NOOP("QLineEdit", "Select All"), QT_TRANSLATE_NOOP("QShortcut", "Ctrl"),
    QT_TRANSLATE_NOOP("QShortcut", "Shift"),
};

template <typename T> void bind(QObject *form, T *&field, const QString &name)
{
    field = nullptr;
    for (QObject *component : wordmill::OwnedComponents(form))
        if (component->objectName() == name)
            field = qobject_cast<T *>(component);
    if (!field)
        qFatal("DemoWindow: the definition has no component %s of the expected class",
               qPrintable(name));
}

} // namespace

DemoWindow::DemoWindow(QWidget *parent) : wordmill::TForm(parent)
{
    wordmill::TWidgetFormReader reader(this);
    QString error;
    if (!reader.ReadResource(u":/demo/DemoWindow.json"_s, &error))
        qFatal("DemoWindow: %s", qPrintable(error));
    bind(this, WordmillEngine1, u"WordmillEngine1"_s);
    bind(this, ResourcesTranslator1, u"ResourcesTranslator1"_s);
    bind(this, LangCombo1, u"LangCombo1"_s);
    bind(this, LanguageLabel, u"LanguageLabel"_s);
    bind(this, PromptLabel, u"PromptLabel"_s);
    bind(this, LineEdit1, u"LineEdit1"_s);
    bind(this, ShowMessageButton, u"ShowMessageButton"_s);
    bind(this, StatusLabel, u"StatusLabel"_s);

    // Standard buttons take Qt's own texts.
    ButtonBox = new QDialogButtonBox(
        QDialogButtonBox::Save | QDialogButtonBox::Discard | QDialogButtonBox::Close, this);
    ButtonBox->setObjectName(u"ButtonBox"_s);
    ButtonBox->setGeometry(12, 150, 536, 32);
    connect(ButtonBox, &QDialogButtonBox::rejected, this, &QWidget::close);
    Retranslate();
}

DemoWindow::~DemoWindow() = default;

QMessageBox *DemoWindow::ShowMessage()
{
    if (!m_message) {
        m_message = new QMessageBox(QMessageBox::Question, tr("Question"),
                                    tr("Do you want to keep your changes?"),
                                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
        m_message->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_message->open();
    // Beside the window rather than over it, so that both can be seen.
    m_message->adjustSize();
    const QRect frame = frameGeometry();
    m_message->move(frame.left(), frame.bottom() + 24);
    return m_message;
}

QMenu *DemoWindow::ShowContextMenu()
{
    QMenu *menu = LineEdit1->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // right of the window, so that it hides nothing
    const QPoint field = LineEdit1->mapToGlobal(QPoint(0, 0));
    menu->popup(QPoint(frameGeometry().right() + 24, field.y()));
    return menu;
}

void DemoWindow::ShowMessageButtonClick(QObject *)
{
    ShowMessage();
}

void DemoWindow::WordmillEngine1ChangeLanguage(QObject *)
{
    Retranslate();
}

void DemoWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
    wordmill::TForm::changeEvent(event);
}

void DemoWindow::Retranslate()
{
    if (!StatusLabel)
        return; // still being read
    setWindowTitle(tr("Wordmill translator demo"));
    LanguageLabel->setText(tr("Language:"));
    PromptLabel->setText(tr("Type something and right-click the field for Qt's own menu:"));
    ShowMessageButton->setText(tr("Show a message"));
    StatusLabel->setText(tr("Current language: %1").arg(WordmillEngine1->CurrentLanguage()));
    if (m_message) {
        m_message->setWindowTitle(tr("Question"));
        m_message->setText(tr("Do you want to keep your changes?"));
    }
}
