// The translation editor window driven as a user drives it: the language
// list's editor entries open it, its controls are clicked and typed into,
// and its modal dialogs are answered from inside their own loops.

#include "EditorWindowFixture.h"

#include <wordmill/core/EditorColors.h>

#include <QDir>
#include <QImage>
#include <QToolTip>

using namespace editor_window_test;

namespace {

class EditorWindow : public EditorWindowFixture
{
protected:
    QByteArray FileBytes(const QString &name) const
    {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList LanguageFiles() const
    {
        return QDir(dir.path())
            .entryList({u"*.lng"_s}, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    }
    static QComboBox *Combo(const QString &name) { return Find<QComboBox>(name); }
    // Presses a picture button (previous, next, the flag) with a mouse button.
    static void Press(const QString &name, Qt::MouseButton button = Qt::LeftButton,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget *widget = Find(name);
        QTest::mousePress(widget, button, modifiers, widget->rect().center());
        QTest::mouseRelease(widget, button, modifiers, widget->rect().center());
    }
    // Clicks the label cell of a row (the status column).
    static void ClickLabel(int row)
    {
        TEditorGrid *grid = Grid();
        const QRect cell = grid->visualRect(grid->model()->index(row, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    }
    static QString SelectedText()
    {
        auto *editor = qobject_cast<QLineEdit *>(Grid()->Editor());
        return editor ? editor->selectedText() : QString();
    }
    // A message box answered with Button; its text goes to Text.
    using EditorWindowFixture::Answer;
    static std::function<void(QMessageBox *)> Answer(QMessageBox::StandardButton Button,
                                                     QString *Text = nullptr)
    {
        return [=](QMessageBox *box) {
            if (Text)
                *Text = box->text();
            box->button(Button)->click();
        };
    }
    QString Lex(int item) const { return engine->FormLexicon()->GetItem(item); }
};

TEST_F(EditorWindow, CreatedLanguageIsSavedLoadedAndSwitchedTo)
{
    ModalScript script;
    CreateSteps(script, u"English"_s, u"Neu"_s, u"neu"_s);
    script.When(u"editing"_s, Editing, [&] {
        // The first group is the form's client, its first object Button1.
        EXPECT_EQ(Combo(u"GroupCombo"_s)->currentText(), u"Form1"_s);
        EXPECT_EQ(Items(Combo(u"ObjectCombo"_s)),
                  (QStringList{u"Button1"_s, u"Button2"_s, u"Label1"_s}));
        EXPECT_EQ(Find<QLabel>(u"LItem"_s)->text(), u"1 / 3"_s);
        EXPECT_EQ(Find<QLabel>(u"LRefLang"_s)->text(), u"English (en)"_s);
        EXPECT_EQ(Rows(Grid()), QStringList{u"Close"_s}) << "the source language's text";
        Type(0, u"Schließen"_s);
        Pick(Combo(u"ObjectCombo"_s), u"Label1"_s);
        Type(0, u"Etikett"_s);
        Save();
    });
    Run(script, AddEntry());

    EXPECT_EQ(LanguageFiles(), (QStringList{u"deutsch.lng"_s, u"english.lng"_s, u"neu.lng"_s}));
    EXPECT_EQ(engine->CurrentLanguage(), u"Neu"_s);
    EXPECT_TRUE(engine->LData()->Languages().contains(u"Neu"_s));
    EXPECT_EQ(label1->text(), u"Etikett"_s);
    EXPECT_EQ(form->findChild<QPushButton *>(u"Button1"_s)->text(), u"Schließen"_s);
    EXPECT_TRUE(engine->LData()->EditorLex.isEmpty()) << "work data cleared after the run";
}

TEST_F(EditorWindow, FileChosenInAnotherFolderGoesToTheLanguageFolder)
{
    QTemporaryDir elsewhere;
    ModalScript script;
    CreateSteps(script, u"English"_s, u"Neu"_s, elsewhere.filePath(u"Neu File.TXT"_s));
    script.When(u"editing"_s, Editing, [] { Save(); });
    Run(script, AddEntry());

    EXPECT_TRUE(QFileInfo::exists(dir.filePath(u"Neu File.lng"_s)));
    EXPECT_TRUE(QDir(elsewhere.path()).isEmpty());
    EXPECT_EQ(engine->CurrentLanguage(), u"Neu"_s);
}

TEST_F(EditorWindow, CancelledFileDialogClosesWithoutSaving)
{
    ModalScript script;
    script
        .When(u"editor shown"_s, EditorShown,
              [] {
                  Pick(Combo(u"LangCombo"_s), u"English"_s);
                  Find<QLineEdit>(u"LangEdit"_s)->setText(u"Neu"_s);
                  Find<QToolButton>(u"AddLangButton"_s)->click();
              })
        .OnModal<QFileDialog>(
            u"file dialog"_s, [](QFileDialog *dialog) { dialog->reject(); }, u"SaveDialog"_s);
    Run(script, AddEntry());

    EXPECT_EQ(Window(), nullptr) << "the editor closed";
    EXPECT_EQ(LanguageFiles(), (QStringList{u"deutsch.lng"_s, u"english.lng"_s}));
    EXPECT_EQ(engine->CurrentLanguage(), u"čeština"_s);
}

TEST_F(EditorWindow, NameUsedInAnyLetterCaseIsRefused)
{
    QString warning;
    ModalScript script;
    script
        .When(u"editor shown"_s, EditorShown,
              [] {
                  Pick(Combo(u"LangCombo"_s), u"English"_s);
                  Find<QLineEdit>(u"LangEdit"_s)->setText(u"DEUTSCH"_s);
                  Find<QToolButton>(u"AddLangButton"_s)->click();
              })
        .OnModal<QMessageBox>(u"warning"_s, Answer(QMessageBox::Ok, &warning))
        .When(u"back in the editor"_s, EditorShown, [] {
            EXPECT_TRUE(Find<QLineEdit>(u"LangEdit"_s)->isEnabled()) << "another name can be typed";
            EXPECT_FALSE(Grid()->isEnabled());
            // Nothing changed yet: closing does not ask.
            Window()->close();
        });
    Run(script, AddEntry());

    EXPECT_EQ(warning, u"DEUTSCH "_s + Lex(19));
    EXPECT_EQ(LanguageFiles(), (QStringList{u"deutsch.lng"_s, u"english.lng"_s}));
}

// A language whose file is gone when it is chosen cannot be read: editing
// ends, while a source language can be chosen again.
struct UnreadableCase
{
    const char *name;
    bool edit;
    const char16_t *language;
    const char16_t *file;
};

void PrintTo(const UnreadableCase &c, std::ostream *os)
{
    *os << c.name;
}

class UnreadableLanguage : public EditorWindow, public testing::WithParamInterface<UnreadableCase>
{
};

TEST_P(UnreadableLanguage, ShowsTheReadError)
{
    const UnreadableCase &c = GetParam();
    QString error;
    ModalScript script;
    script
        .When(u"editor shown"_s, EditorShown,
              [&] {
                  ASSERT_TRUE(QFile::remove(dir.filePath(QString::fromUtf16(c.file))));
                  Pick(Combo(u"LangCombo"_s), QString::fromUtf16(c.language));
              })
        .OnModal<QMessageBox>(u"read error"_s, Answer(QMessageBox::Ok, &error));
    if (!c.edit)
        script.When(u"back to the choice"_s, EditorShown, [] {
            EXPECT_EQ(Combo(u"LangCombo"_s)->currentIndex(), -1) << "the choice is cleared";
            EXPECT_TRUE(Combo(u"LangCombo"_s)->isVisible());
            EXPECT_FALSE(Find(u"LangEdit"_s)->isVisible());
            Window()->close();
        });
    Run(script, c.edit ? EditEntry() : AddEntry());

    EXPECT_EQ(error, Lex(17));
    EXPECT_EQ(Window(), nullptr);
    EXPECT_EQ(engine->CurrentLanguage(), u"čeština"_s);
}

const UnreadableCase UnreadableCases[] = {
    {"EditedLanguageClosesTheWindow", true, u"Deutsch", u"deutsch.lng"},
    {"SourceLanguageCanBeChosenAgain", false, u"English", u"english.lng"},
};
INSTANTIATE_TEST_SUITE_P(Files, UnreadableLanguage, testing::ValuesIn(UnreadableCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(EditorWindow, ClosingWithChangesAsksFirst)
{
    const QByteArray before = FileBytes(u"deutsch.lng"_s);
    QString question;
    ModalScript script;
    EditSteps(script, u"Deutsch"_s);
    script
        .When(u"editing"_s, Editing,
              [] {
                  Type(0, u"Zumachen"_s);
                  Window()->close();
              })
        .OnModal<QMessageBox>(u"first question"_s, Answer(QMessageBox::No, &question))
        .When(u"still open"_s, EditorShown,
              [] {
                  EXPECT_TRUE(Window()->isVisible());
                  Window()->close();
              })
        .OnModal<QMessageBox>(u"second question"_s, Answer(QMessageBox::Yes));
    Run(script, EditEntry());

    EXPECT_EQ(question, Lex(24));
    EXPECT_EQ(Window(), nullptr);
    EXPECT_EQ(FileBytes(u"deutsch.lng"_s), before) << "nothing saved";
    EXPECT_EQ(engine->CurrentLanguage(), u"čeština"_s) << "back to the language before";
}

TEST_F(EditorWindow, DownAndUpMoveBetweenPages)
{
    ModalScript script;
    EditSteps(script, u"Deutsch"_s);
    script.When(u"editing"_s, Editing, [] {
        // Down on the only row of Button1: the next object.
        Key(Qt::Key_Down);
        EXPECT_EQ(Combo(u"ObjectCombo"_s)->currentText(), u"Button2"_s);
        EXPECT_EQ(Find<QLabel>(u"LItem"_s)->text(), u"2 / 3"_s);
        // Down on the last object: the next group, a lexicon of three rows.
        Key(Qt::Key_Down);
        Key(Qt::Key_Down);
        EXPECT_EQ(Combo(u"GroupCombo"_s)->currentText(), u"Form1.Lexicon1"_s);
        EXPECT_FALSE(Combo(u"ObjectCombo"_s)->isEnabled());
        EXPECT_EQ(Grid()->CurrentRow(), 0);
        Key(Qt::Key_Down);
        Key(Qt::Key_Down);
        EXPECT_EQ(Grid()->CurrentRow(), 2) << "moving inside the page";
        Key(Qt::Key_Down);
        EXPECT_EQ(Combo(u"GroupCombo"_s)->currentText(), u"Form1.Lexicon2"_s);
        // Up on the first row: back to the last row of the page before.
        Key(Qt::Key_Up);
        EXPECT_EQ(Combo(u"GroupCombo"_s)->currentText(), u"Form1.Lexicon1"_s);
        EXPECT_EQ(Grid()->CurrentRow(), 2);
        Window()->close();
    });
    Run(script, EditEntry());
}

TEST_F(EditorWindow, GlobalRowChangesItsSisterRowsAtOnce)
{
    ModalScript script;
    EditSteps(script, u"Deutsch"_s);
    script.When(u"editing"_s, Editing, [] {
        Pick(Combo(u"GroupCombo"_s), u"Form1.Lexicon3"_s);
        EXPECT_TRUE(Find(u"ConGlobalIcon"_s)->isVisible());
        EXPECT_EQ(Rows(Grid()), (QStringList{u"Ja"_s, u"Ne"_s, u"Ja"_s}));
        Type(0, u"Jawohl"_s);
        EXPECT_EQ(Rows(Grid()), (QStringList{u"Jawohl"_s, u"Ne"_s, u"Jawohl"_s}));
        Save();
    });
    Run(script, EditEntry());

    // The shared text is the global string of the saved language.
    EXPECT_EQ(engine->CurrentLanguage(), u"Deutsch"_s);
    EXPECT_TRUE(ReadFile(u"deutsch.lng"_s).contains(u"\"Ano\"\r\n0\t\"Jawohl\""_s))
        << ReadFile(u"deutsch.lng"_s).toStdString();
}

TEST_F(EditorWindow, ClickOnALabelSwitchesTheRowStatus)
{
    ModalScript script;
    EditSteps(script, u"Deutsch"_s);
    script.When(u"editing"_s, Editing, [] {
        Pick(Combo(u"ObjectCombo"_s), u"Label1"_s);
        ASSERT_EQ(Rows(Grid()), QStringList{u"Beschriftung"_s});
        ASSERT_NE(Grid()->Editor(), nullptr);
        // Own translation -> keep the source's: the source text, no typing.
        ClickLabel(0);
        EXPECT_EQ(Rows(Grid()), QStringList{u"Label"_s});
        EXPECT_EQ(Grid()->Editor(), nullptr);
        QTest::keyClicks(Grid(), u"x"_s);
        EXPECT_EQ(Rows(Grid()), QStringList{u"Label"_s}) << "a keep-source row takes no typing";
        // And back: open for typing at once, with the own text again.
        ClickLabel(0);
        EXPECT_EQ(Rows(Grid()), QStringList{u"Beschriftung"_s});
        ASSERT_NE(Grid()->Editor(), nullptr);
        EXPECT_EQ(SelectedText(), u"Beschriftung"_s);
        // Ctrl+Left switches too.
        Key(Qt::Key_Left, Qt::ControlModifier);
        EXPECT_EQ(Rows(Grid()), QStringList{u"Label"_s});
        Save();
    });
    Run(script, EditEntry());

    // Kept source translations are written as such.
    EXPECT_TRUE(ReadFile(u"deutsch.lng"_s).contains(u"%NOTRANS"_s));
}

TEST_F(EditorWindow, SearchContinuesWithF3AndTakesDesignedTextsWithShift)
{
    ModalScript script;
    EditSteps(script, u"Deutsch"_s);
    script.When(u"editing"_s, Editing, [] {
        // Rows: "Hallo", "End" (from English), "Zavřít" (designed).
        Pick(Combo(u"GroupCombo"_s), u"Form1.Lexicon1"_s);
        Find<QLineEdit>(u"FindEdit"_s)->setText(u"A"_s);
        Key(Qt::Key_F3);
        EXPECT_EQ(Grid()->CurrentRow(), 0) << "the selected row is searched first";
        EXPECT_EQ(SelectedText(), u"a"_s) << "lower case found by an upper-case search";
        Key(Qt::Key_F3);
        EXPECT_EQ(Grid()->CurrentRow(), 2) << "the same search goes on after the hit";
        // "Konec" is only the designed text of row 1.
        Find<QLineEdit>(u"FindEdit"_s)->setText(u"Konec"_s);
        Key(Qt::Key_F3);
        EXPECT_EQ(Grid()->CurrentRow(), 2) << "not found in the translations";
        Key(Qt::Key_F3, Qt::ShiftModifier);
        EXPECT_EQ(Grid()->CurrentRow(), 1);
        // Enter in the search field searches too.
        Find<QLineEdit>(u"FindEdit"_s)->setText(u"hallo"_s);
        QTest::keyClick(Find<QLineEdit>(u"FindEdit"_s), Qt::Key_Return);
        EXPECT_EQ(Grid()->CurrentRow(), 0);
        Window()->close();
    });
    Run(script, EditEntry());
}

TEST_F(EditorWindow, ShiftArrowsGoToUntranslatedObjects)
{
    QString message;
    ModalScript script;
    EditSteps(script, u"Deutsch"_s);
    script
        .When(u"editing"_s, Editing,
              [] {
                  Press(u"IRight"_s);
                  EXPECT_EQ(Combo(u"ObjectCombo"_s)->currentText(), u"Button2"_s);
                  Press(u"ILeft"_s);
                  EXPECT_EQ(Combo(u"ObjectCombo"_s)->currentText(), u"Button1"_s);
                  Press(u"ILeft"_s);
                  EXPECT_EQ(Combo(u"ObjectCombo"_s)->currentText(), u"Button1"_s)
                      << "nothing before the first object";
                  // Label1 is translated: Shift+next from Button2 skips it
                  // and stops in the first lexicon, which has untranslated
                  // rows.
                  Pick(Combo(u"ObjectCombo"_s), u"Button2"_s);
                  Press(u"IRight"_s, Qt::LeftButton, Qt::ShiftModifier);
                  EXPECT_EQ(Combo(u"GroupCombo"_s)->currentText(), u"Form1.Lexicon1"_s);
                  // Back to the start: nothing untranslated before it.
                  Pick(Combo(u"GroupCombo"_s), u"Form1"_s);
                  Press(u"ILeft"_s, Qt::LeftButton, Qt::ShiftModifier);
              })
        .OnModal<QMessageBox>(u"nothing found"_s, Answer(QMessageBox::Ok, &message))
        .When(u"after the message"_s, EditorShown, [] {
            EXPECT_EQ(Combo(u"ObjectCombo"_s)->currentText(), u"Button1"_s);
            Window()->close();
        });
    Run(script, EditEntry());

    EXPECT_EQ(message, Lex(23));
}

TEST_F(EditorWindow, IsoEntryNamesTheLanguageUntilTheUserTypesOne)
{
    ModalScript script;
    script.When(u"editor shown"_s, EditorShown, [] {
        Pick(Combo(u"LangCombo"_s), u"English"_s);
        auto *name = Find<QLineEdit>(u"LangEdit"_s);
        auto *add = Find(u"AddLangButton"_s);
        EXPECT_TRUE(Combo(u"ISOCombo"_s)->isVisible());
        EXPECT_EQ(Combo(u"ISOCombo"_s)->count(), 186);
        EXPECT_FALSE(add->isVisible());
        Pick(Combo(u"ISOCombo"_s), u"de - German"_s);
        EXPECT_EQ(name->text(), u"German"_s);
        EXPECT_EQ(Combo(u"ISOCombo"_s)->currentText(), u"de"_s) << "two characters at most";
        EXPECT_TRUE(add->isVisible());
        Pick(Combo(u"ISOCombo"_s), u"fr - French"_s);
        EXPECT_EQ(name->text(), u"French"_s) << "still the filled-in name";
        name->setText(u"Fr"_s);
        EXPECT_FALSE(add->isVisible()) << "two characters are too few";
        Pick(Combo(u"ISOCombo"_s), u"it - Italian"_s);
        EXPECT_EQ(name->text(), u"Fr"_s) << "a typed name stays";
        name->setText(u"Fra"_s);
        EXPECT_TRUE(add->isVisible());
        Window()->close();
    });
    Run(script, AddEntry());
}

TEST_F(EditorWindow, FlagIsReplacedFittedAndRemoved)
{
    QImage wide(32, 16, QImage::Format_RGB32);
    wide.fill(QColor(0, 0, 200));
    const QString picture = dir.filePath(u"flag.png"_s);
    ASSERT_TRUE(wide.save(picture));
    ModalScript script;
    EditSteps(script, u"Deutsch"_s);
    script.When(u"editing"_s, Editing, [] { Press(u"FlagImage"_s); })
        .OnModal<QFileDialog>(
            u"picture"_s, [&](QFileDialog *dialog) { Answer(dialog, picture); },
            u"OpenPictureDialog"_s)
        .When(u"flag loaded"_s, EditorShown, [] { Save(); });
    Run(script, EditEntry());
    ASSERT_TRUE(engine->FlagImage(u"Deutsch"_s));
    const QImage saved = QImage::fromData(engine->FlagImage(u"Deutsch"_s)->data());
    EXPECT_EQ(saved.size(), QSize(16, 16));
    EXPECT_EQ(saved.pixelColor(8, 8), QColor(0, 0, 200));
    EXPECT_EQ(saved.pixelColor(8, 1), QColor(Qt::white)) << "fitted: 16 x 8 in the middle";

    QString question;
    ModalScript removal;
    EditSteps(removal, u"Deutsch"_s);
    removal.When(u"editing"_s, Editing, [] { Press(u"FlagImage"_s, Qt::RightButton); })
        .OnModal<QMessageBox>(u"remove?"_s, Answer(QMessageBox::Yes, &question))
        .When(u"removed"_s, EditorShown, [] { Save(); });
    Run(removal, EditEntry());
    EXPECT_EQ(question, Lex(27));
    EXPECT_FALSE(ReadFile(u"deutsch.lng"_s).contains(u"%FLAG_ICON"_s));
}

TEST_F(EditorWindow, FailingSaveShowsItsMessage)
{
    QString error;
    ModalScript script;
    CreateSteps(script, u"English"_s, u"Neu"_s, u"neu"_s);
    script
        .When(u"editing"_s, Editing,
              [this] {
                  // A folder appears where the new file goes: it cannot be
                  // written.
                  ASSERT_TRUE(QDir(dir.path()).mkdir(u"neu.lng"_s));
                  Save();
              })
        .OnModal<QMessageBox>(u"error"_s, Answer(QMessageBox::Ok, &error));
    Run(script, AddEntry());

    EXPECT_EQ(error, Lex(22));
    EXPECT_TRUE(QFileInfo(dir.filePath(u"neu.lng"_s)).isDir());
    EXPECT_EQ(engine->CurrentLanguage(), u"čeština"_s) << "nothing to switch to";
}

TEST_F(EditorWindow, ImportAndExportGoThroughTheirButtons)
{
    const QString list = dir.filePath(u"list.txt"_s);
    ASSERT_TRUE(WriteLanguageFile(list, {u"$translation=de"_s, u"Ne=Nein"_s, u"Konec=Ende"_s}));
    QString imported;
    ModalScript script;
    EditSteps(script, u"Deutsch"_s);
    script
        .When(u"editing"_s, Editing,
              [] {
                  Pick(Combo(u"GroupCombo"_s), u"Form1.Lexicon3"_s);
                  Find<QToolButton>(u"ImportBtn"_s)->click();
              })
        .OnModal<QFileDialog>(
            u"import file"_s, [&](QFileDialog *dialog) { Answer(dialog, list); }, u"ImportDialog"_s)
        .OnModal<QMessageBox>(u"import count"_s, Answer(QMessageBox::Ok, &imported))
        .When(u"after the import"_s, EditorShown,
              [] {
                  EXPECT_EQ(Combo(u"GroupCombo"_s)->currentText(), u"Form1.Lexicon3"_s)
                      << "the group shown before comes back";
                  EXPECT_EQ(Rows(Grid()), (QStringList{u"Ja"_s, u"Nein"_s, u"Ja"_s}));
                  Find<QToolButton>(u"ExportBtn"_s)->click();
              })
        .OnModal<QFileDialog>(
            u"export as lexicon file"_s,
            [](QFileDialog *dialog) {
                EXPECT_EQ(dialog->selectedNameFilter(), dialog->nameFilters().value(0));
                Answer(dialog, u"out"_s);
            },
            u"SaveDialog"_s)
        .When(u"after the first export"_s, EditorShown,
              [] { Find<QToolButton>(u"ExportBtn"_s)->click(); })
        .OnModal<QFileDialog>(
            u"export as text list"_s,
            [](QFileDialog *dialog) {
                dialog->selectNameFilter(dialog->nameFilters().value(1));
                Answer(dialog, u"out"_s);
            },
            u"SaveDialog"_s)
        .When(u"after the second export"_s, EditorShown, [] { Save(); });
    Run(script, EditEntry());

    EXPECT_EQ(imported, Lex(49).replace(u"%s"_s, u"2"_s));
    const QString lexiconFile = ReadFile(u"out.wlx"_s);
    EXPECT_TRUE(lexiconFile.startsWith(u"[Wordmill LeXicon File]"_s)) << lexiconFile.toStdString();
    EXPECT_TRUE(lexiconFile.contains(u"\"Nein\""_s));
    const QString textList = ReadFile(u"out.txt"_s);
    EXPECT_TRUE(textList.startsWith(u"$translation=de - Deutsch"_s)) << textList.toStdString();
    EXPECT_TRUE(textList.contains(u"\r\nNe=Nein\r\n"_s));
    EXPECT_TRUE(textList.contains(u"\r\nKonec=Ende\r\n"_s));
    // The imported texts are saved with the language.
    EXPECT_TRUE(ReadFile(u"deutsch.lng"_s).contains(u"\"Nein\""_s));
    EXPECT_EQ(TLanguageManager::LastImportExportDir(), QFileInfo(dir.path()).absoluteFilePath());
}

TEST_F(EditorWindow, MarkerFollowsTypingAndShowsItsHint)
{
    ModalScript script;
    EditSteps(script, u"Deutsch"_s);
    script
        .When(u"editing"_s, Editing,
              [this] {
                  // Button1 shows English "Close": the source translation.
                  TEditorGrid *grid = Grid();
                  const QPoint marker = grid->MarkerRect(0).center();
                  QTest::mouseMove(grid->viewport(), marker);
                  EXPECT_EQ(grid->toolTip(), Lex(32));
                  Type(0, u"Zu"_s);
                  QTest::mouseMove(grid->viewport(), marker + QPoint(0, 1));
                  EXPECT_EQ(grid->toolTip(), Lex(34)) << "translated once typed";
                  QTest::mouseMove(grid->viewport(),
                                   grid->visualRect(grid->model()->index(0, 0)).topLeft() +
                                       QPoint(2, 2));
                  EXPECT_EQ(grid->toolTip(), QString()) << "no hint off the marker";
                  EXPECT_EQ(grid->Delegate()->MarkerColor(0), QColor(34, 233, 0));
                  Window()->close();
              })
        .OnModal<QMessageBox>(u"close?"_s, Answer(QMessageBox::Yes));
    Run(script, EditEntry());
}

// The markers on screen carry the exact colours of the status table: the
// grid is grabbed as the user sees it and the marker's pixels are read.
struct MarkerCase
{
    const char *name;
    const char16_t *group;
    const char16_t *object; // empty: a lexicon, no objects
    int row;
    enum { Shown, Switched, Emptied, Typed } action;
    quint32 colour;
};

void PrintTo(const MarkerCase &c, std::ostream *os)
{
    *os << c.name;
}

class MarkerColours : public EditorWindow, public testing::WithParamInterface<MarkerCase>
{
};

TEST_P(MarkerColours, ArePaintedExactly)
{
    const MarkerCase &c = GetParam();
    ModalScript script;
    EditSteps(script, u"Deutsch"_s);
    script.When(u"editing"_s, Editing, [&] {
        Pick(Combo(u"GroupCombo"_s), QString::fromUtf16(c.group));
        if (*c.object)
            Pick(Combo(u"ObjectCombo"_s), QString::fromUtf16(c.object));
        if (c.action == MarkerCase::Switched)
            ClickLabel(c.row);
        else if (c.action == MarkerCase::Emptied)
            Type(c.row, u"x"_s), Key(Qt::Key_Backspace);
        else if (c.action == MarkerCase::Typed)
            Type(c.row, u"Etwas"_s);
        TEditorGrid *grid = Grid();
        // Away from the row, so that the selection does not tint it.
        grid->clearSelection();
        const QImage shot = grid->viewport()->grab().toImage();
        const qreal ratio = shot.devicePixelRatio();
        const QRect marker = grid->MarkerRect(c.row);
        ASSERT_FALSE(marker.isEmpty());
        EXPECT_GE(marker.width(), 5);
        // Red is the lowest byte of a table value.
        const QColor expected(int(c.colour & 0xFF), int(c.colour >> 8 & 0xFF),
                              int(c.colour >> 16 & 0xFF));
        for (const QPoint &p : {marker.topLeft(), marker.center(), marker.bottomRight()}) {
            const QColor pixel = shot.pixelColor((QPointF(p) * ratio).toPoint());
            EXPECT_EQ(pixel.name(), expected.name()) << "at " << p.x() << "," << p.y();
        }
        // Just outside the bar is the label cell's own background.
        const QColor outside =
            shot.pixelColor((QPointF(marker.topRight() + QPoint(1, 0)) * ratio).toPoint());
        EXPECT_NE(outside.name(), expected.name());
        // Closed without the question about unsaved changes.
        Window()->done(QDialog::Rejected);
    });
    Run(script, EditEntry());
}

using namespace wordmill::EditorColor;
const MarkerCase MarkerCases[] = {
    {"OwnTranslation", u"Form1.Lexicon1", u"", 0, MarkerCase::Shown, Translated},
    {"SourceTranslation", u"Form1.Lexicon1", u"", 1, MarkerCase::Shown, SourceTranslation},
    {"DesignedText", u"Form1.Lexicon1", u"", 2, MarkerCase::Shown, InternalLanguage},
    {"CancelledTranslation", u"Form1.Lexicon1", u"", 0, MarkerCase::Emptied, CancelTranslation},
    {"InheritedTextEmptied", u"Form1.Lexicon1", u"", 1, MarkerCase::Emptied, InvalidTranslation},
    {"GlobalTranslation", u"Form1.Lexicon3", u"", 0, MarkerCase::Shown, GlobalTranslation},
    {"TypedOverSource", u"Form1", u"Button1", 0, MarkerCase::Typed, Translated},
    {"KeepSource", u"Form1", u"Label1", 0, MarkerCase::Switched, KeepSourceTranslation},
};
INSTANTIATE_TEST_SUITE_P(Rows, MarkerColours, testing::ValuesIn(MarkerCases),
                         [](const auto &info) { return std::string(info.param.name); });

// Only the embedded English, editable: the one language opens at once.
class EmbeddedEnglish : public EditorWindow
{
protected:
    bool WithLanguageFiles() const override { return false; }
    void PrepareEngine() override
    {
        engine->SetLangResources({u"ENGLISH"_s});
        engine->SetLangResourcesAllowEdit(true);
    }
};

TEST_F(EmbeddedEnglish, IsEditedInACopyInTheLanguageFolder)
{
    ASSERT_EQ(engine->LData()->EditableLangs(), QStringList{u"english"_s});
    QFile resource(u":/languages/ENGLISH"_s);
    ASSERT_TRUE(resource.open(QIODevice::ReadOnly));
    const QByteArray embedded = resource.readAll();
    ModalScript script;
    // No choice to make: editing starts as soon as the window shows.
    script.When(u"editing"_s, Editing, [] {
        EXPECT_FALSE(Combo(u"LangCombo"_s)->isEnabled());
        Pick(Combo(u"ObjectCombo"_s), u"Label1"_s);
        Type(0, u"Changed label"_s);
        Save();
    });
    Run(script, EditEntry());

    // The copy is named after the resource.
    EXPECT_EQ(LanguageFiles(), QStringList{u"ENGLISH.lng"_s});
    EXPECT_TRUE(ReadFile(u"ENGLISH.lng"_s).contains(u"Changed label"_s));
    QFile again(u":/languages/ENGLISH"_s);
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), embedded);
    EXPECT_EQ(label1->text(), u"Changed label"_s);
}

} // namespace
