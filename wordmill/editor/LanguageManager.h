#pragma once

#include <wordmill/sys/WordList.h>

#include <QDialog>
#include <QImage>
#include <QPointer>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;

namespace wordmill {

class TColorDot;
class TColumnSplitter;
class TEditorGrid;

// The window of the built-in translation editor. The user picks a source
// language and names a new language, or picks a language to edit, and then
// translates it group by group, object by object and row by row. The window
// holds no translation data of its own: everything goes through its binding
// object, which creates the window for one run, fills its texts, shows it
// modally and saves the result.
//
// Every size below is a design size in pixels at 96 dots per inch; the
// window scales them with the screen's density.
class TLanguageManager : public QDialog
{
    Q_OBJECT
public:
    explicit TLanguageManager(QWidget *parent = nullptr);
    ~TLanguageManager() override;

    // The window the editor is centred on when it shows (the application's
    // main window); none centres it on the screen.
    void SetMainWindow(QWidget *Window) { fMainWindow = Window; }

    // Shows or hides the about line along the bottom of the window.
    void SetAboutLine(const QString &Text, bool Visible);
    // The library's texts (form lexicon items 0 to 49) the window shows.
    void SetLexicon(const QStringList &Items) { fLex = Items; }

    // The design scale in percent (100 at 96 dpi).
    int Scale100() const { return fScale100; }

    // Sets the flag picture: a null image shows the default flag.
    void ShowFlag(const QImage &Flag);
    // Whether the flag shown is the language's own (not the default one).
    bool HasOwnFlag() const { return !fFlag.isNull(); }
    QImage Flag() const { return fFlag; }

    // Handlers of the window's own controls.
    void FormShow();
    void FormResize();
    bool FormCloseQuery();
    void SplitterMoved();
    void ISOComboSelect(int Index);
    void LangEditChange();
    void FinishBtnClick();

    // The picture of the left panel moves with the panel's height.
    void PlaceSideImage();

    // Unsaved changes exist.
    bool LangModify = false;
    // Editing an existing language (true) or creating a new one (false).
    bool EditMode = false;
    // The language name last filled in from an ISO code.
    QString LastNameFromISO;
    // File name (without folder) chosen for a new language.
    QString NewLangFile;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void reject() override;

private:
    int S(int Design) const { return (Design * fScale100 + 50) / 100; }
    // A text of the library's form lexicon as the editor run took it.
    QString Lex(int Item) const;
    int PanelCenterOffset() const;
    void CreateControls();
    void ArrangeControls();
    void CentreOnMainWindow();

    int fScale100 = 100;
    bool fShownOnce = false;
    QPointer<QWidget> fMainWindow;
    QStringList fLex;
    QImage fFlag;
    QPixmap fSidePicture;

    // Left panel.
    QWidget *ImgPan = nullptr;
    QLabel *Image = nullptr;
    QLabel *LLanguage = nullptr;
    QComboBox *LangCombo = nullptr;
    QLineEdit *LangEdit = nullptr;
    QToolButton *AddLangButton = nullptr;
    QLabel *FlagImage = nullptr;
    QLabel *ISOTitle = nullptr;
    QComboBox *ISOCombo = nullptr;
    QPushButton *FinishBtn = nullptr;
    QToolButton *ImportBtn = nullptr;
    QToolButton *ExportBtn = nullptr;
    // Right panel.
    QWidget *LangFilesPanel = nullptr;
    QWidget *TopPanel = nullptr;
    QLabel *LRefLangLabel = nullptr;
    QLabel *LRefLang = nullptr;
    QLabel *LRefTextLabel = nullptr;
    TColorDot *SourceIcon = nullptr;
    QLabel *LRefText = nullptr;
    QWidget *BtnPanel = nullptr;
    QPushButton *FindBtn = nullptr;
    QLineEdit *FindEdit = nullptr;
    TColumnSplitter *Split = nullptr;
    TEditorGrid *LangListEditor = nullptr;
    QWidget *BotPanel = nullptr;
    QLabel *LGroup = nullptr;
    QLabel *ConGlobalIcon = nullptr;
    QComboBox *GroupCombo = nullptr;
    QWidget *RightBtnPanel = nullptr;
    QToolButton *ILeft = nullptr;
    QLabel *LObject = nullptr;
    QComboBox *ObjectCombo = nullptr;
    QLabel *LItem = nullptr;
    QToolButton *IRight = nullptr;
    // Bottom line.
    QLabel *CopyPanel = nullptr;
    bool fAboutVisible = true;
};

} // namespace wordmill
