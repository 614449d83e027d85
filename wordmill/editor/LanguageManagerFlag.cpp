// The editor window's flag picture and its messages.

#include "LanguageManager.h"

#include <wordmill/core/FormLexiconItem.h>
#include <wordmill/ctrls/FlagImage.h>
#include <wordmill/ctrls/MessageBox.h>
#include <wordmill/editor/VCLLangData.h>
#include <wordmill/sys/FlagBuffer.h>

#include <QBuffer>
#include <QFileDialog>
#include <QImageReader>
#include <QMessageBox>

using namespace Qt::StringLiterals;

namespace wordmill {

void TLanguageManager::ShowMessage(int Icon, const QString &Text)
{
    wordmill::ShowMessage(this, Text, windowTitle(), QMessageBox::Icon(Icon));
}

void TLanguageManager::FlagImageMouseDown(Qt::MouseButton Button)
{
    if (Button == Qt::LeftButton) {
        if (OpenPictureDialog->exec() != QDialog::Accepted ||
            OpenPictureDialog->selectedFiles().isEmpty())
            return;
        QImageReader reader(OpenPictureDialog->selectedFiles().constFirst());
        const QImage picture = reader.read();
        if (picture.isNull()) {
            // Nothing changes: neither the flag nor the language.
            ShowMessage(QMessageBox::Critical, reader.fileName() + u"\n"_s + reader.errorString());
            return;
        }
        fFlag = FitFlagImage(picture);
        StoreFlagImage();
        ShowFlag(fFlag);
        LangModify = true;
        return;
    }
    QMessageBox box(QMessageBox::Question, windowTitle(), Lex(FormLexiconItem::RemoveFlagQuestion),
                    QMessageBox::Yes | QMessageBox::No, this);
    if (box.exec() != QMessageBox::Yes)
        return;
    ShowFlag(QImage());
    ClearFlagBuffer();
    LangModify = true;
}

void TLanguageManager::StoreFlagImage()
{
    // The buffer is emptied first: bytes of a longer earlier picture must
    // not stay behind the new one.
    ClearFlagBuffer();
    const QByteArray bitmap = EncodeFlagBitmap(fFlag);
    QBuffer &buffer = FlagIconBuffer();
    if (bitmap.isEmpty() || buffer.write(bitmap) != bitmap.size()) {
        ClearFlagBuffer();
        return;
    }
    buffer.seek(0);
}

} // namespace wordmill
