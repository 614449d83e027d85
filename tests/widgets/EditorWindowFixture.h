#pragma once

#include "BindingFixture.h"
#include "LanguageFiles.h"
#include "ModalScript.h"
#include "TestEngine.h"

#include <wordmill/WordmillComp.h>
#include <wordmill/WordmillCore.h>
#include <wordmill/WordmillVCLEditor.h>
#include <wordmill/core/ProgrammableLexicon.h>
#include <wordmill/editor/EditorGrid.h>
#include <wordmill/editor/StatusMarkerDelegate.h>

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace editor_window_test {

using namespace Qt::StringLiterals;
using wordmill::TEditorGrid;
using wordmill::TLanguageManager;

// A form "Form1" with a label and two buttons, a client, three lexicons
// (the second and the third use global strings; the third has one text
// twice) and an engine whose data object runs the real editor window. The
// language folder holds "English" (from the design language) and "Deutsch"
// (from English, with the global strings "Soubor" and "Ano").
//
// Design texts: Label1 "Popisek", Button1 "Zavřít", Button2 "Uložit";
// Lexicon1 "Ahoj", "Konec", "Zavřít"; Lexicon2 "Zavřít", "Uložit", "Soubor";
// Lexicon3 "Ano", "Ne", "Ano".
class EditorWindowFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        form = std::make_unique<wordmill::TForm>();
        form->setObjectName(u"Form1"_s);
        engine = new TestEngine(form.get(), std::make_unique<wordmill::TVCLLangData>());
        engine->setObjectName(binding_test::FreshEngineName());
        engine->langsDir = dir.path() + u'/';
        engine->SetDesignLanguageName(u"čeština"_s);
        engine->SetDesignLangISOCode(u"cs"_s);

        label1 = Add<QLabel>(u"Label1"_s);
        label1->setText(u"Popisek"_s);
        Add<QPushButton>(u"Button1"_s)->setText(u"Zavřít"_s);
        Add<QPushButton>(u"Button2"_s)->setText(u"Uložit"_s);
        client = Add<wordmill::TWordmillClient>(u"WordmillClient1"_s);
        auto *lexicon1 = Add<wordmill::TDesignedLexicon>(u"Lexicon1"_s);
        lexicon1->SetItems({u"Ahoj"_s, u"Konec"_s, u"Zavřít"_s});
        auto *lexicon2 = Add<wordmill::TDesignedLexicon>(u"Lexicon2"_s);
        lexicon2->SetItems({u"Zavřít"_s, u"Uložit"_s, u"Soubor"_s});
        lexicon2->SetGlobalLexicon(true);
        auto *lexicon3 = Add<wordmill::TDesignedLexicon>(u"Lexicon3"_s);
        lexicon3->SetItems({u"Ano"_s, u"Ne"_s, u"Ano"_s});
        lexicon3->SetGlobalLexicon(true);
        client->SetWordmillEngine(engine);
        for (auto *lexicon : {lexicon1, lexicon2, lexicon3})
            lexicon->SetWordmillEngine(engine);

        if (WithLanguageFiles())
            Write(u"english.lng"_s,
                  {LanguageHeader(u"English"_s, u"\t%CODE=en;\t%FILEVER=WMLF1;"_s),
                   Component(u"Label1"_s, u"Label"_s), Component(u"Button1"_s, u"Close"_s),
                   u"0\t%LEXICON_STRINGS"_s, u"0\t%LEXICON_NAME=Form1.Lexicon1;"_s,
                   u"0\t\"Hello\""_s, u"1\t\"End\""_s, u"0\t%LEXICON_NAME=Form1.Lexicon2;"_s,
                   u"0\t\"Close\""_s, u"0\t%SMART_STRINGS"_s, u"0\t\"Uložit\""_s,
                   u"0\t\"Save\""_s});
        if (WithLanguageFiles())
            Write(
                u"deutsch.lng"_s,
                QStringList{LanguageHeader(u"Deutsch"_s, u"\t%CODE=de;\t%SUPERIOR_LANGUAGE=English;"
                                                         u"\t%FILEVER=WMLF1;"_s),
                            Component(u"Label1"_s, u"Beschriftung"_s), u"0\t%LEXICON_STRINGS"_s,
                            u"0\t%LEXICON_NAME=Form1.Lexicon1;"_s, u"0\t\"Hallo\""_s,
                            u"0\t%SMART_STRINGS"_s, u"0\t\"Soubor\""_s, u"0\t\"Datei\""_s,
                            u"0\t\"Ano\""_s, u"0\t\"Ja\""_s} +
                    FlagSection(binding_test::FlagBitmap(QColor(200, 0, 0))));
        PrepareEngine();
        engine->RefreshLanguages();
        engine->Initialize(false);
    }

    void TearDown() override { form.reset(); }

    virtual bool WithLanguageFiles() const { return true; }
    virtual void PrepareEngine() {}

    template <typename T> T *Add(const QString &name)
    {
        return binding_test::OwnedComponent<T>(form.get(), name);
    }

    static QString Component(const QString &name, const QString &text)
    {
        return binding_test::CaptionLine(name, text);
    }

    // The flag section of a language file holding Picture.
    static QStringList FlagSection(const QByteArray &Picture)
    {
        QStringList lines{u"0\t%FLAG_ICON"_s};
        for (qsizetype i = 0; i * 50 < Picture.size(); ++i)
            lines << QString::number(i) + u'\t' +
                         QString::fromLatin1(Picture.mid(i * 50, 50).toHex().toUpper());
        return lines;
    }

    void Write(const QString &fileName, const QStringList &lines)
    {
        ASSERT_TRUE(
            WriteLanguageFile(dir.filePath(fileName), QStringList{u"[LANGUAGE_FILE]"_s} + lines));
    }

    QString ReadFile(const QString &fileName) const
    {
        QFile file(dir.filePath(fileName));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf16(
            reinterpret_cast<const char16_t *>(file.readAll().constData() + 2));
    }

    // The editor entries of the language list (in the library's current
    // language, Czech like the design language here).
    QString AddEntry() const { return engine->FormLexicon()->GetItem(1); }
    QString EditEntry() const { return engine->FormLexicon()->GetItem(2); }

    // The editor window of the run, and its controls.
    static TLanguageManager *Window()
    {
        return qobject_cast<TLanguageManager *>(QApplication::activeModalWidget());
    }
    template <typename T = QWidget> static T *Find(const QString &name)
    {
        TLanguageManager *window = Window();
        return window ? window->findChild<T *>(name) : nullptr;
    }
    static TEditorGrid *Grid() { return Find<TEditorGrid>(u"LangListEditor"_s); }
    static QStringList Items(QComboBox *combo)
    {
        QStringList items;
        for (int i = 0; combo && i < combo->count(); ++i)
            items << combo->itemText(i);
        return items;
    }
    static QStringList Rows(TEditorGrid *grid, int column = 1)
    {
        QStringList rows;
        for (int r = 0; grid && r < grid->rowCount(); ++r)
            rows << grid->item(r, column)->text();
        return rows;
    }

    // The user picks an entry in a combo box.
    static void Pick(QComboBox *combo, const QString &text)
    {
        const int index = combo->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    static void PickIndex(QComboBox *combo, int index)
    {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    // The user types over the text of a row.
    static void Type(int row, const QString &text)
    {
        TEditorGrid *grid = Grid();
        grid->SetCurrentRow(row);
        auto *editor = qobject_cast<QLineEdit *>(grid->Editor());
        ASSERT_NE(editor, nullptr) << "row " << row << " is not open for typing";
        editor->selectAll();
        QTest::keyClicks(editor, text);
    }
    // A key pressed in the grid (in its in-place editor when it is open).
    static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        TEditorGrid *grid = Grid();
        QWidget *target = grid->Editor() ? grid->Editor() : static_cast<QWidget *>(grid);
        QTest::keyClick(target, key, modifiers);
    }
    // The row whose label is Label, or -1.
    static int RowOf(const QString &label) { return int(Rows(Grid(), 0).indexOf(label)); }

    // Steps of the start of every run.
    static bool EditorShown()
    {
        TLanguageManager *window = Window();
        return window && window->isVisible();
    }
    // A file dialog answered with a file name, as the user types it.
    static void Answer(QFileDialog *dialog, const QString &fileName)
    {
        // A shown dialog takes a name only through its field.
        auto *field = dialog->findChild<QLineEdit *>(u"fileNameEdit"_s);
        ASSERT_NE(field, nullptr);
        field->setText(fileName);
        static_cast<QDialog *>(dialog)->accept();
    }
    // Creating: choose the source, name the language, add it and give its
    // file name in the save dialog.
    void CreateSteps(ModalScript &script, const QString &source, const QString &name,
                     const QString &fileName)
    {
        script
            .When(u"editor shown"_s, EditorShown,
                  [=] {
                      Pick(Find<QComboBox>(u"LangCombo"_s), source);
                      Find<QLineEdit>(u"LangEdit"_s)->setText(name);
                      Find<QToolButton>(u"AddLangButton"_s)->click();
                  })
            .OnModal<QFileDialog>(
                u"file name"_s, [=](QFileDialog *dialog) { Answer(dialog, fileName); },
                u"SaveDialog"_s);
    }
    // Editing: choose the language.
    void EditSteps(ModalScript &script, const QString &language)
    {
        script.When(u"editor shown"_s, EditorShown,
                    [=] { Pick(Find<QComboBox>(u"LangCombo"_s), language); });
    }
    // A step that waits for editing to have started.
    static bool Editing()
    {
        auto *grid = Grid();
        return EditorShown() && grid && grid->isEnabled() &&
               !Find<QDialog>(u"SaveDialog"_s)->isVisible();
    }
    static void Save() { Find<QPushButton>(u"FinishBtn"_s)->click(); }

    // Runs the editor through the language list's entry.
    void Run(ModalScript &script, const QString &entry)
    {
        ASSERT_TRUE(script.Run([&] { engine->Translate(entry); }))
            << script.Failure().toStdString();
    }

    QTemporaryDir dir;
    std::unique_ptr<wordmill::TForm> form;
    TestEngine *engine = nullptr;
    wordmill::TWordmillClient *client = nullptr;
    QLabel *label1 = nullptr;
};

} // namespace editor_window_test
