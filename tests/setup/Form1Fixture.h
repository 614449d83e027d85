#pragma once

#include <wordmill/ctrls/MessageBox.h>
#include "Unit1.h"
#include <wordmill/core/DesignedLexicon.h>
#include "platform/FakePlatform.h"

#include <QLabel>
#include <QList>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include <gtest/gtest.h>

#include <memory>

// A message box the window asked for, captured instead of shown.
struct ShownBox
{
    QString text;
    QString caption;
    QMessageBox::Icon icon;
};

// The setup window on a fake machine with its message boxes captured. The
// window is created on first use, so a test prepares the machine first.
class Form1Fixture : public testing::Test
{
protected:
    void SetUp() override
    {
        auto fake = std::make_unique<corvane::FakePlatform>();
        machine = fake.get();
        corvane::SetPlatform(std::move(fake));
        previousBoxes = wordmill::SetMessageBoxHandler([this](const wordmill::MessageBoxRequest &r) {
            boxes.append({r.text, r.caption, r.icon});
        });
    }

    void TearDown() override
    {
        form.reset();
        wordmill::SetMessageBoxHandler(previousBoxes);
        corvane::SetPlatform(nullptr);
    }

    TForm1 &Form()
    {
        if (!form) {
            form = std::make_unique<TForm1>();
            form->show();
        }
        return *form;
    }

    template <typename T> T *Control(const QString &name)
    {
        T *control = Form().findChild<T *>(name);
        EXPECT_NE(control, nullptr) << qPrintable(name);
        return control;
    }

    QPushButton *Button(const QString &name) { return Control<QPushButton>(name); }
    QPlainTextEdit *Memo(const QString &name) { return Control<QPlainTextEdit>(name); }
    QStatusBar *StatusBar() { return Control<QStatusBar>(QStringLiteral("sb1")); }
    QProgressBar *ProgressBar() { return Control<QProgressBar>(QStringLiteral("pb1")); }

    // Item n of the window's lexicon.
    QString Item(int n)
    {
        return Control<wordmill::TDesignedLexicon>(QStringLiteral("Lexicon1"))->Item(n);
    }

    // Clicks a button as the user would: a disabled one does nothing.
    void Click(const QString &name) { Button(name)->click(); }

    // Enabled states of instalovat1b, instalovat2b, instalovat3b.
    std::array<bool, 3> Steps()
    {
        return {Button(QStringLiteral("instalovat1b"))->isEnabled(),
                Button(QStringLiteral("instalovat2b"))->isEnabled(),
                Button(QStringLiteral("instalovat3b"))->isEnabled()};
    }
    void SetSteps(std::array<bool, 3> steps)
    {
        Button(QStringLiteral("instalovat1b"))->setEnabled(steps[0]);
        Button(QStringLiteral("instalovat2b"))->setEnabled(steps[1]);
        Button(QStringLiteral("instalovat3b"))->setEnabled(steps[2]);
    }

    // The lines of a memo; none when it is empty.
    QStringList Lines(const QString &memo)
    {
        const QString text = Memo(memo)->toPlainText();
        return text.isEmpty() ? QStringList() : text.split(u'\n');
    }

    // A box of the window as (text item, caption item).
    ShownBox ItemBox(int text, int caption)
    {
        return {Item(text), Item(caption), QMessageBox::Critical};
    }

    corvane::FakePlatform *machine = nullptr;
    QList<ShownBox> boxes;
    std::unique_ptr<TForm1> form;

private:
    wordmill::MessageBoxHandler previousBoxes;
};

inline bool operator==(const ShownBox &a, const ShownBox &b)
{
    return a.text == b.text && a.caption == b.caption && a.icon == b.icon;
}

inline void PrintTo(const ShownBox &box, std::ostream *os)
{
    *os << "box \"" << box.text.toStdString() << "\" / \"" << box.caption.toStdString()
        << "\" icon " << int(box.icon);
}
