#include "WidgetFormReader.h"

#include <wordmill/comp/LangCombo.h>
#include <wordmill/comp/LangFlag.h>
#include <wordmill/comp/LangFlagsCombo.h>
#include <wordmill/comp/WordmillClient.h>
#include <wordmill/comp/WordmillEngine.h>
#include <wordmill/core/ComponentClasses.h>
#include <wordmill/ctrls/Form.h>
#include <wordmill/ctrls/ValuedLabel.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

template <typename W> void registerWidget(const QString &name)
{
    TFormReader::RegisterClass(name, [](QObject *owner, QObject *parent) -> QObject * {
        auto *widget = new W(qobject_cast<QWidget *>(parent));
        SetComponentOwner(widget, owner);
        return widget;
    });
}

std::optional<QVariant> fontFromJson(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject o = value.toObject();
    QFont font(o.value(u"family"_s).toString(QApplication::font().family()));
    if (o.contains(u"pixelSize"_s))
        font.setPixelSize(o.value(u"pixelSize"_s).toInt());
    if (o.contains(u"pointSize"_s))
        font.setPointSizeF(o.value(u"pointSize"_s).toDouble());
    font.setBold(o.value(u"bold"_s).toBool());
    font.setItalic(o.value(u"italic"_s).toBool());
    return QVariant(font);
}

TForm::Align alignFromText(const QString &text)
{
    if (text == u"top"_s)
        return TForm::Align::Top;
    if (text == u"bottom"_s)
        return TForm::Align::Bottom;
    if (text == u"left"_s)
        return TForm::Align::Left;
    if (text == u"right"_s)
        return TForm::Align::Right;
    if (text == u"client"_s)
        return TForm::Align::Client;
    return TForm::Align::None;
}

} // namespace

void TWidgetFormReader::RegisterWidgetClasses()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    RegisterCoreComponentClasses();
    registerWidget<QWidget>(u"QWidget"_s);
    registerWidget<QFrame>(u"QFrame"_s);
    registerWidget<QLabel>(u"QLabel"_s);
    registerWidget<QPushButton>(u"QPushButton"_s);
    registerWidget<QToolButton>(u"QToolButton"_s);
    registerWidget<QCheckBox>(u"QCheckBox"_s);
    registerWidget<QRadioButton>(u"QRadioButton"_s);
    registerWidget<QGroupBox>(u"QGroupBox"_s);
    registerWidget<QLineEdit>(u"QLineEdit"_s);
    registerWidget<QPlainTextEdit>(u"QPlainTextEdit"_s);
    registerWidget<QTextEdit>(u"QTextEdit"_s);
    registerWidget<QComboBox>(u"QComboBox"_s);
    registerWidget<QListWidget>(u"QListWidget"_s);
    registerWidget<QTreeWidget>(u"QTreeWidget"_s);
    registerWidget<QTabWidget>(u"QTabWidget"_s);
    registerWidget<QStatusBar>(u"QStatusBar"_s);
    registerWidget<QProgressBar>(u"QProgressBar"_s);
    registerWidget<TValuedLabel>(u"TValuedLabel"_s);
    registerWidget<TLangCombo>(u"TLangCombo"_s);
    registerWidget<TLangFlagsCombo>(u"TLangFlagsCombo"_s);
    registerWidget<TLangFlag>(u"TLangFlag"_s);
    RegisterClass(u"TWordmillEngine"_s, [](QObject *owner, QObject *) -> QObject * {
        return new TWordmillEngine(owner);
    });
    RegisterClass(u"TWordmillClient"_s, [](QObject *owner, QObject *) -> QObject * {
        return new TWordmillClient(owner);
    });
    RegisterValueConverter(QMetaType::fromType<QFont>(), fontFromJson);
}

TWidgetFormReader::TWidgetFormReader(QObject *form) : TFormReader(form)
{
    RegisterWidgetClasses();
}

bool TWidgetFormReader::WriteProperty(QObject *component, const QString &name,
                                      const QJsonValue &value)
{
    auto *widget = qobject_cast<QWidget *>(component);
    if (widget && name == u"align"_s) {
        auto *form = qobject_cast<TForm *>(Form());
        if (!form)
            return false;
        form->SetAlign(widget, alignFromText(value.toString()));
        return true;
    }
    if (widget && name == u"tabOrder"_s) {
        m_tabOrder.append({value.toInt(), widget});
        return true;
    }
    if (widget && name == u"tabStop"_s) {
        if (!value.toBool(true))
            widget->setFocusPolicy(Qt::NoFocus);
        return true;
    }
    if (widget && name == u"clientSize"_s) {
        const QJsonArray size = value.toArray();
        widget->setFixedSize(size.at(0).toInt(), size.at(1).toInt());
        return true;
    }
    if (widget && name == u"position"_s) {
        m_centre = value.toString() == u"screenCenter"_s;
        return true;
    }
    return TFormReader::WriteProperty(component, name, value);
}

bool TWidgetFormReader::BindEvent(QObject *component, const QString &event,
                                  const TNotifyEvent &handler)
{
    if (event == u"OnClick"_s) {
        if (auto *button = qobject_cast<QAbstractButton *>(component)) {
            QObject::connect(button, &QAbstractButton::clicked, button,
                             [button, handler] { handler(button); });
            return true;
        }
        if (auto *action = qobject_cast<QAction *>(component)) {
            QObject::connect(action, &QAction::triggered, action,
                             [action, handler] { handler(action); });
            return true;
        }
    }
    return TFormReader::BindEvent(component, event, handler);
}

void TWidgetFormReader::FinishDefinition(const QJsonObject &definition)
{
    std::stable_sort(m_tabOrder.begin(), m_tabOrder.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (qsizetype i = 1; i < m_tabOrder.size(); ++i)
        QWidget::setTabOrder(m_tabOrder.at(i - 1).second, m_tabOrder.at(i).second);
    auto *form = qobject_cast<QWidget *>(Form());
    if (m_centre && form) {
        if (QScreen *screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen()) {
            QRect frame = form->frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            form->move(frame.topLeft());
        }
    }
}

} // namespace wordmill
