#include "VCLLangData.h"

#include <wordmill/core/FormLexiconItem.h>
#include <wordmill/core/WordmillEngineCore.h>
#include <wordmill/ctrls/MessageBox.h>
#include <wordmill/editor/ColorWidgets.h>
#include <wordmill/editor/EditorGrid.h>
#include <wordmill/editor/ElidedLabel.h>
#include <wordmill/editor/FileFilters.h>
#include <wordmill/editor/LanguageManager.h>
#include <wordmill/sys/Logging.h>
#include <wordmill/sys/OneLineForm.h>
#include <wordmill/sys/TextHelpers.h>
#include <wordmill/toolkit/Component.h>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>

#include <exception>

using namespace Qt::StringLiterals;

namespace wordmill {

TVCLLangData::TVCLLangData(TWordmillCore *OwnedEngine) : TLangCoreData(OwnedEngine) {}

TVCLLangData::~TVCLLangData() = default;

QWidget *TVCLLangData::MainWindow() const
{
    // The form that holds the engine, else the window the user works in.
    for (QObject *owner = Engine ? ComponentOwner(Engine) : nullptr; owner;
         owner = ComponentOwner(owner))
        if (auto *widget = qobject_cast<QWidget *>(owner))
            return widget->window();
    if (QWidget *active = QApplication::activeWindow())
        return active;
    return nullptr;
}

void TVCLLangData::PrepareWindow(int EMode, const QString &AboutLine)
{
    TLanguageManager &w = *fEditor;
    w.LData = this;
    w.EditMode = EMode == 1;
    w.SetMainWindow(MainWindow());
    w.SetLexicon(EditorLex);
    w.SetAboutLine(AboutLine, !Engine->HideCopyright());
    w.ISOCombo->hide();
    w.ISOTitle->hide();

    w.LangCombo->clear();
    if (EMode == 0) {
        // Every language can be the source of a new one.
        w.LangCombo->addItems(Languages());
        w.ISOCombo->setCurrentIndex(-1);
        w.ISOCombo->setEditText(QString());
        w.ISOCombo->setEnabled(true);
    } else {
        w.LangCombo->addItems(EditableLangs());
    }
    w.LangCombo->setCurrentIndex(-1);
    w.LangCombo->setEnabled(true);
    w.LangCombo->show();
    w.LangEdit->setEnabled(true);
    w.LangEdit->hide();
    w.LangEdit->clear();

    // The texts, in the library's interface language.
    w.setWindowTitle(w.Lex(FormLexiconItem::EditorTitle));
    w.LLanguage->setText(
        w.Lex(EMode == 0 ? FormLexiconItem::ChooseSourceLanguage : FormLexiconItem::LanguageLabel) +
        u':');
    w.LLanguage->adjustSize();
    w.LRefLangLabel->setText(w.Lex(FormLexiconItem::SourceLanguageLabel) + u" :"_s);
    w.LRefLangLabel->adjustSize();
    w.LRefTextLabel->setText(w.Lex(FormLexiconItem::SourceStringLabel) + u" :"_s);
    w.LRefTextLabel->adjustSize();
    w.LangListEditor->setHorizontalHeaderLabels(
        {w.Lex(FormLexiconItem::PropertyColumn), w.Lex(FormLexiconItem::TranslationColumn)});
    // How the status is switched, on the label column's title.
    w.LangListEditor->horizontalHeaderItem(0)->setToolTip(w.Lex(FormLexiconItem::ToggleStatusHint));
    w.LGroup->setText(w.Lex(FormLexiconItem::GroupLabel) + u':');
    w.LGroup->adjustSize();
    w.LObject->setText(w.Lex(FormLexiconItem::ObjectLabel) + u':');
    w.LObject->adjustSize();
    w.AddLangButton->setToolTip(w.Lex(FormLexiconItem::CreateLanguageHint));
    w.GroupCombo->setToolTip(w.Lex(FormLexiconItem::GroupHint));
    w.ILeft->setToolTip(w.Lex(FormLexiconItem::PreviousObjectHint));
    w.IRight->setToolTip(w.Lex(FormLexiconItem::NextObjectHint));
    w.FlagImage->setToolTip(w.Lex(FormLexiconItem::FlagHint));
    w.ImportBtn->setToolTip(w.Lex(FormLexiconItem::ImportButton));
    w.ExportBtn->setToolTip(w.Lex(FormLexiconItem::ExportTitle));
    w.OpenPictureDialog->setWindowTitle(w.Lex(FormLexiconItem::ImportFlagTitle));
    w.FinishBtn->setText(w.Lex(FormLexiconItem::SaveButton));
    w.SaveDialog->setWindowTitle(w.Lex(FormLexiconItem::NewLanguageFileName));
    w.SaveDialog->setNameFilters(FileDialogFilters(LanguageFilesFilter(
        w.Lex(FormLexiconItem::LanguageFilesFilter), Engine->LangFileExtension())));

    // The top panel: the source language and the selected row's source text
    // with its colour dot between label and text.
    const int gap = w.S(6);
    w.LRefLang->move(w.LRefLangLabel->geometry().right() + 1 + gap, w.LRefLang->y());
    w.LRefText->setFixedHeight(w.LRefTextLabel->height());
    w.SourceIcon->resize(2 * w.SourceIcon->PenWidth() + w.S(5), w.LRefText->height() - 2);
    w.SourceIcon->move(w.LRefTextLabel->geometry().right() + 1 + gap, w.LRefTextLabel->y() + 2);
    w.SourceIcon->hide();
    w.LRefText->move(w.SourceIcon->geometry().right() + 1 + w.S(4), w.LRefTextLabel->y());
    w.LRefLang->clear();
    w.LRefText->SetFullText(QString());

    w.LangFilesPanel->setEnabled(false);
    w.LangListEditor->setEnabled(false);
    w.AddLangButton->hide();
    w.FinishBtn->hide();
    w.ImportBtn->hide();
    w.ExportBtn->hide();
    w.ConGlobalIcon->hide();
    w.FlagImage->hide();
    w.LItem->setText(u"-/-"_s);
    QObject::connect(w.ImportBtn, &QToolButton::clicked, &w, &TLanguageManager::ImportLanguageData);
    QObject::connect(w.ExportBtn, &QToolButton::clicked, &w, &TLanguageManager::ExportLanguageData);
    QObject::connect(w.LangCombo, &QComboBox::activated, &w, [this] { LanguageSelected(); });
}

QString TVCLLangData::EditorExecute(int EMode)
{
    const QString about = PrepareForEditor();
    if (!fEditor)
        fEditor = std::make_unique<TLanguageManager>();
    PrepareWindow(EMode, about);
    QString result;
    if (fEditor->exec() == QDialog::Accepted) {
        StoreChanges();
        StoreNewGlobals();
        EditorISO = fEditor->ISOCombo->currentText();
        result = EditorLang;
        try {
            EditorAction(eaSaveLang, TargetFileName());
        } catch (const std::exception &error) {
            // The previous file stays as it was (files are replaced whole).
            qCWarning(lcWordmill) << "saving the edited language failed:" << error.what();
            ShowMessage(MainWindow(), fEditor->Lex(FormLexiconItem::SaveFailed),
                        fEditor->windowTitle(), QMessageBox::Critical);
        }
    }
    ClearWorkData();
    fEditor.reset();
    return result;
}

QString TVCLLangData::TargetFileName() const
{
    if (fEditor && fEditor->EditMode)
        return GetFile(IndexOfLanguage(EditorLang));
    return LangsDir() + (fEditor ? fEditor->NewLangFile : QString());
}

void TVCLLangData::AddEditorRow(const QString &PropertyName, const QString &Value)
{
    if (fEditor)
        fEditor->LangListEditor->AddRow(PropertyName, Value);
}

QString TVCLLangData::GetEditorRow(int Row)
{
    if (!fEditor)
        return QString();
    return TrimControlChars(fEditor->LangListEditor->RowText(Row), true);
}

bool TVCLLangData::EditorOpened()
{
    return fEditor && fEditor->isVisible();
}

void TVCLLangData::EditorSelect(int Row, int Start, int Len, TEditorSearch Column)
{
    if (!fEditor)
        return;
    TLanguageManager &w = *fEditor;
    w.LangListEditor->setFocus();
    w.LangListEditorSelectCell(Row + 1);
    if (Column == seItem && w.LangListEditor->IsEditorOpen())
        if (auto *editor = qobject_cast<QLineEdit *>(w.LangListEditor->Editor()))
            editor->setSelection(Start, Len);
}

void TVCLLangData::StoreChanges()
{
    if (fEditor)
        fEditor->EnableEditEvent = false;
    TLangCoreData::StoreChanges();
}

void TVCLLangData::LanguageSelected()
{
    TLanguageManager &w = *fEditor;
    w.ISOTitle->show();
    w.ISOCombo->show();
    const QString chosen = w.LangCombo->currentText();
    if (w.EditMode) {
        if (!EditorAction(eaLoadLangForEdit, chosen)) {
            ShowMessage(&w, w.Lex(FormLexiconItem::ReadError), w.windowTitle(),
                        QMessageBox::Critical);
            w.LangCombo->setCurrentIndex(-1);
            w.QDialog::reject();
            return;
        }
        w.ISOCombo->setEditText(Engine->CurrentLanguageISO());
        // The language cannot change during the run.
        QObject::disconnect(w.LangCombo, &QComboBox::activated, &w, nullptr);
        w.LangCombo->setEnabled(false);
        EditorLang = chosen;
        EditorISO = w.ISOCombo->currentText();
        if (ListGroups()) {
            WorkGlobalLexicon.AssignGlobals(SmartLexicon);
            w.StartEditing();
        }
        return;
    }
    if (!EditorAction(eaLoadLangForCreate, chosen)) {
        ShowMessage(&w, w.Lex(FormLexiconItem::ReadError), w.windowTitle(), QMessageBox::Critical);
        w.LangCombo->setCurrentIndex(-1);
        return;
    }
    w.LLanguage->setText(w.Lex(FormLexiconItem::NewLanguageName) + u':');
    w.LLanguage->adjustSize();
    NewLanguage();
    CompleteSourceData();
    w.LangCombo->hide();
    w.LangEdit->show();
    w.LangEdit->setFocus();
    QObject::disconnect(w.AddLangButton, &QToolButton::clicked, &w, nullptr);
    QObject::connect(w.AddLangButton, &QToolButton::clicked, &w, [this] { CreateLanguage(); });
}

void TVCLLangData::CreateLanguage()
{
    TLanguageManager &w = *fEditor;
    const QString name = w.LangEdit->text();
    if (name.isEmpty())
        return;
    if (IndexOfLanguage(name) >= 0) {
        ShowMessage(&w, name + u' ' + w.Lex(FormLexiconItem::NameAlreadyExists), w.windowTitle(),
                    QMessageBox::Warning);
        return;
    }
    const QString extension = AsciiLowerCase(Engine->LangFileExtension());
    w.SaveDialog->setDirectory(LangsDir());
    // A name typed without extension gets the language files' one, so that
    // the dialog asks before it replaces a file of the language folder.
    w.SaveDialog->setDefaultSuffix(extension.mid(1));
    w.SaveDialog->selectFile(QString());
    if (w.SaveDialog->exec() != QDialog::Accepted || w.SaveDialog->selectedFiles().isEmpty()) {
        w.QDialog::reject();
        return;
    }
    // Whatever folder was chosen, the file goes into the language folder
    // with the configured extension.
    const QFileInfo chosen(w.SaveDialog->selectedFiles().constFirst());
    const QString base = chosen.completeBaseName();
    w.NewLangFile = base.isEmpty() ? QString() : base + extension;
    if (w.NewLangFile.isEmpty())
        return;
    // Another language's file is never replaced unless the dialog asked
    // about that very file: the new one gets a free name beside it.
    const QFileInfo target(LangsDir() + w.NewLangFile);
    if (target.exists() && target.absoluteFilePath() != chosen.absoluteFilePath())
        w.NewLangFile = QFileInfo(Engine->UniqueLanguageFileName(w.NewLangFile)).fileName();
    w.LLanguage->setText(w.Lex(FormLexiconItem::LanguageLabel) + u':');
    w.LLanguage->adjustSize();
    w.LangEdit->setEnabled(false);
    EditorLang = name;
    EditorISO = w.ISOCombo->currentText();
    if (ListGroups()) {
        EditorAction(eaCreateLang);
        w.StartEditing();
    }
    w.LangModify = true;
}

bool TVCLLangData::ListGroups()
{
    QStringList groups;
    if (!LoadGroups(groups))
        return false;
    TLanguageManager &w = *fEditor;
    w.GroupCombo->clear();
    w.GroupCombo->addItems(groups);
    w.GroupCombo->setCurrentIndex(-1);
    return true;
}

void TVCLLangData::GroupChanged()
{
    TLanguageManager &w = *fEditor;
    const TEditorModes mode = ChangeEditorClient(w.GroupCombo->currentIndex());
    if (mode == emIndexedLexicon || mode == emSmartLexicon) {
        w.ObjectCombo->setCurrentIndex(-1);
        w.LItem->setText(u"-/-"_s);
        w.LObject->setEnabled(false);
        w.LItem->setEnabled(false);
        w.ObjectCombo->setEnabled(false);
        if (AllowedGlobals())
            w.EnableStatusColumnClick();
        else
            w.DisableStatusColumnClick();
    } else {
        QStringList objects;
        LoadObjects(objects);
        // The object box lists its entries sorted.
        std::sort(objects.begin(), objects.end(), [](const QString &a, const QString &b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
        w.ObjectCombo->clear();
        w.ObjectCombo->addItems(objects);
        w.ObjectCombo->setCurrentIndex(objects.isEmpty() ? -1 : 0);
        w.UpdateObjectCounter();
        w.LObject->setEnabled(true);
        w.LItem->setEnabled(true);
        w.ObjectCombo->setEnabled(true);
        if (mode == emResources && !AllowedGlobals())
            w.DisableStatusColumnClick();
        else
            w.EnableStatusColumnClick();
    }
    w.ConGlobalIcon->setVisible(AllowedGlobals());
    w.BuildPage();
}

} // namespace wordmill
