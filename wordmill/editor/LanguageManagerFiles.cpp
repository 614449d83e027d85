// The editor window's import and export.

#include "LanguageManager.h"

#include <wordmill/core/FormLexiconItem.h>
#include <wordmill/core/ImportExport.h>
#include <wordmill/core/WordmillEngineCore.h>
#include <wordmill/ctrls/FlagImage.h>
#include <wordmill/editor/FileFilters.h>
#include <wordmill/editor/VCLLangData.h>
#include <wordmill/sys/FlagBuffer.h>
#include <wordmill/sys/Logging.h>

#include <QBuffer>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QMessageBox>

#include <exception>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

QString &LastDir()
{
    static QString dir;
    return dir;
}

} // namespace

QString TLanguageManager::LastImportExportDir()
{
    return LastDir();
}

void TLanguageManager::SetLastImportExportDir(const QString &Dir)
{
    LastDir() = Dir;
}

void TLanguageManager::ImportLanguageData()
{
    QFileDialog dialog(this, Lex(FormLexiconItem::ImportTitle), LastImportExportDir());
    dialog.setObjectName(u"ImportDialog"_s);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(FileDialogFilters(BuildImportFilter(
        Lex(FormLexiconItem::LanguageFilesFilter), Lex(FormLexiconItem::ExportImportFilter),
        Lex(FormLexiconItem::PackedFilesFilter), Lex(FormLexiconItem::TextFilesFilter),
        LData->Engine->LangFileExtension())));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString file = dialog.selectedFiles().constFirst();

    // The page and the group shown are stored and left, so that the import
    // works on the language's data and the group is read again afterwards.
    const int group = GroupCombo->currentIndex();
    GroupCombo->setCurrentIndex(-1);
    LData->GroupChanged();
    LData->StoreNewGlobals();
    SetLastImportExportDir(QFileInfo(file).absolutePath());
    try {
        const int count = LData->Engine->ImportFromFile(file, true);
        ShowMessage(
            QMessageBox::Information,
            QString(Lex(FormLexiconItem::ItemsImported)).replace(u"%s"_s, QString::number(count)));
        if (count > 0) {
            LangModify = true;
            if (FlagBufferHasData())
                ShowFlag(DecodeFlagImage(GetFlagBuffer().data()));
        }
    } catch (const EImportExport &error) {
        qCWarning(lcWordmill) << "import of" << file << "failed:" << error.Message;
        ShowMessage(QMessageBox::Warning, error.Message);
    } catch (const std::exception &error) {
        qCWarning(lcWordmill) << "import of" << file << "failed:" << error.what();
        ShowMessage(QMessageBox::Critical, Lex(FormLexiconItem::CannotImport));
    }
    LData->LoadNewWorkGlobals();
    if (ISOCombo->currentText().isEmpty())
        ISOCombo->setEditText(LData->Engine->CurrentLanguageISO());
    GroupCombo->setCurrentIndex(group);
    if (group >= 0)
        LData->GroupChanged();
}

void TLanguageManager::ExportLanguageData()
{
    // The dialog of new language files is borrowed: its state comes back
    // afterwards, whatever happens.
    const QStringList filters = SaveDialog->nameFilters();
    const QString selectedFilter = SaveDialog->selectedNameFilter();
    const QFileDialog::Options options = SaveDialog->options();
    const QString defaultSuffix = SaveDialog->defaultSuffix();
    const QString directory = SaveDialog->directory().absolutePath();
    if (!LastImportExportDir().isEmpty())
        SaveDialog->setDirectory(LastImportExportDir());

    SaveDialog->setWindowTitle(Lex(FormLexiconItem::ExportTitle));
    const QStringList exportFilters = FileDialogFilters(ExportFilter(
        Lex(FormLexiconItem::ExportImportFilter), Lex(FormLexiconItem::TextFilesFilter)));
    SaveDialog->setNameFilters(exportFilters);
    SaveDialog->selectNameFilter(exportFilters.constFirst());
    // The extension goes by the filter chosen (ExportFileName), not by a
    // default suffix that would give a text list the lexicon extension.
    SaveDialog->setDefaultSuffix(QString());
    // The name suggested: the one used last, else the language's file name.
    QString name = QFileInfo(SaveDialog->property("lastExport").toString()).completeBaseName();
    if (name.isEmpty()) {
        const int language = LData->IndexOfLanguage(LData->EditorLang);
        if (language >= 0)
            name = QFileInfo(LData->GetFile(language)).completeBaseName();
    }
    SaveDialog->selectFile(name);

    if (SaveDialog->exec() == QDialog::Accepted && !SaveDialog->selectedFiles().isEmpty()) {
        const int filter = int(exportFilters.indexOf(SaveDialog->selectedNameFilter())) + 1;
        const QString file = ExportFileName(SaveDialog->selectedFiles().constFirst(), filter);
        SaveDialog->setProperty("lastExport", file);
        try {
            LData->StoreChanges();
            LData->StoreNewGlobals();
            LData->ExportLanguage(file, LData->EditorLang, ISOCombo->currentText());
        } catch (const EImportExport &error) {
            // A refusal with its own text (the design language cannot be
            // exported) says more than the general one.
            qCWarning(lcWordmill) << "export to" << file << "failed:" << error.Message;
            ShowMessage(QMessageBox::Critical, error.Message);
        } catch (const std::exception &error) {
            qCWarning(lcWordmill) << "export to" << file << "failed:" << error.what();
            ShowMessage(QMessageBox::Critical, Lex(FormLexiconItem::SaveFailed));
        }
        // Storing switched the edit events off; the page stays, so typing
        // on it must go on repainting markers and copying global rows.
        EnableEditEvent = true;
        SetLastImportExportDir(QFileInfo(file).absolutePath());
    }
    SaveDialog->setWindowTitle(Lex(FormLexiconItem::NewLanguageFileName));
    SaveDialog->setNameFilters(filters);
    SaveDialog->selectNameFilter(selectedFilter);
    SaveDialog->setOptions(options);
    SaveDialog->setDefaultSuffix(defaultSuffix);
    SaveDialog->setDirectory(directory);
}

} // namespace wordmill
