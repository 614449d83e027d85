// The editor window's pages: starting to edit, building a page, moving
// between objects and groups, and the text search.

#include "LanguageManager.h"

#include <wordmill/core/FormLexiconItem.h>
#include <wordmill/core/WordmillEngineCore.h>
#include <wordmill/ctrls/FlagImage.h>
#include <wordmill/editor/ColorWidgets.h>
#include <wordmill/editor/EditorGrid.h>
#include <wordmill/editor/ElidedLabel.h>
#include <wordmill/editor/VCLLangData.h>
#include <wordmill/sys/FlagBuffer.h>

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace wordmill {

void TLanguageManager::StartEditing()
{
    AddLangButton->hide();
    LangFilesPanel->setEnabled(true);
    // An ISO code, once known, cannot be changed.
    ISOCombo->setEnabled(ISOCombo->currentText().isEmpty());
    FinishBtn->show();
    LangListEditor->setEnabled(true);
    const TLangIDs &source = LData->CurrentSuperiorLang;
    LRefLang->setText(source.Code.isEmpty() ? source.Name
                                            : source.Name + u" ("_s + source.Code + u')');
    LRefLang->adjustSize();
    disconnect(GroupCombo, &QComboBox::activated, this, nullptr);
    connect(GroupCombo, &QComboBox::activated, this, [this] { LData->GroupChanged(); });
    if (GroupCombo->count() > 0) {
        GroupCombo->setCurrentIndex(0);
        LData->GroupChanged();
    }
    // The language's flag, or the default one when it has none or it
    // cannot be read.
    ShowFlag(FlagBufferHasData() ? DecodeFlagImage(GetFlagBuffer().data()) : QImage());
    FlagImage->show();
    ImportBtn->show();
    ExportBtn->show();
}

void TLanguageManager::BuildPage()
{
    EnableEditEvent = false;
    AllowNoTrans = false;
    SameLocStr.Clear();
    LRefText->SetFullText(QString());
    SourceIcon->hide();
    LangListEditor->RemoveAllRows();
    SelectedRow = 0;
    LData->NewEditorPage(ObjectCombo->currentText(), {u"Unknown"_s});
    LangListEditor->setFocus();
    LangListEditorSelectCell(1);
    EnableEditEvent = true;
}

void TLanguageManager::ObjectComboChange()
{
    UpdateObjectCounter();
    if (ObjectCombo->count() > 0) {
        LData->StoreEditorPage();
        BuildPage();
    }
}

void TLanguageManager::UpdateObjectCounter()
{
    const int index = ObjectCombo->currentIndex();
    if (ObjectCombo->count() == 0 || index < 0)
        LItem->setText(u"-/-"_s);
    else
        LItem->setText(QString::number(index + 1) + u" / "_s +
                       QString::number(ObjectCombo->count()));
    ObjectCombo->setToolTip(ObjectCombo->currentText());
}

void TLanguageManager::ILeftMouseDown(bool Shift)
{
    bool atStart = false;
    for (;;) {
        if (ObjectCombo->isEnabled() && ObjectCombo->currentIndex() > 0) {
            ObjectCombo->setCurrentIndex(ObjectCombo->currentIndex() - 1);
            if (!Shift)
                ObjectComboChange();
        } else if (GroupCombo->currentIndex() < 1) {
            atStart = true;
        } else {
            GroupCombo->setCurrentIndex(GroupCombo->currentIndex() - 1);
            LData->GroupChanged();
            if (ObjectCombo->isEnabled()) {
                ObjectCombo->setCurrentIndex(ObjectCombo->count() - 1);
                if (!Shift)
                    ObjectComboChange();
            }
        }
        if (!Shift || atStart ||
            LData->IsUntranslated(GroupCombo->currentText(), ObjectCombo->currentText()))
            break;
    }
    if (Shift) {
        if (atStart)
            ShowMessage(QMessageBox::Information, Lex(FormLexiconItem::NoUntranslatedObject));
        if (ObjectCombo->isEnabled())
            ObjectComboChange();
    }
}

void TLanguageManager::IRightMouseDown(bool Shift)
{
    bool atEnd = false;
    for (;;) {
        if (ObjectCombo->count() > 0 && ObjectCombo->isEnabled() &&
            ObjectCombo->currentIndex() < ObjectCombo->count() - 1) {
            ObjectCombo->setCurrentIndex(ObjectCombo->currentIndex() + 1);
            if (!Shift)
                ObjectComboChange();
        } else if (GroupCombo->count() == 0 ||
                   GroupCombo->currentIndex() == GroupCombo->count() - 1) {
            atEnd = true;
        } else {
            GroupCombo->setCurrentIndex(GroupCombo->currentIndex() + 1);
            LData->GroupChanged();
        }
        if (!Shift || atEnd ||
            LData->IsUntranslated(GroupCombo->currentText(), ObjectCombo->currentText()))
            break;
    }
    if (Shift) {
        if (atEnd)
            ShowMessage(QMessageBox::Information, Lex(FormLexiconItem::NoUntranslatedObject));
        if (ObjectCombo->count() > 0 && ObjectCombo->isEnabled() &&
            (LData->EditorMode == emClient || LData->EditorMode == emResources))
            ObjectComboChange();
    }
}

void TLanguageManager::Search(Qt::KeyboardModifiers Modifiers)
{
    if (FindEdit->text().isEmpty()) {
        FindEdit->setFocus();
        return;
    }
    // Ctrl adds the source texts, Shift the designed texts.
    TEditorSearchMode mode = seItem;
    if (Modifiers & Qt::ControlModifier)
        mode |= seSource;
    if (Modifiers & Qt::ShiftModifier)
        mode |= seOriginal;
    if (!LData || !LData->SearchWord(FindEdit->text(), SelectedRow - 1, mode))
        QApplication::beep();
}

void TLanguageManager::FindBtnMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Modifiers)
{
    if (Button == Qt::LeftButton)
        Search(Modifiers);
}

void TLanguageManager::FindBtnClick()
{
    // The default button: Enter in the search field.
    if (FindEdit->hasFocus())
        Search(Qt::NoModifier);
}

} // namespace wordmill
