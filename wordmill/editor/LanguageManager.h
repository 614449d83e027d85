#pragma once

#include <wordmill/sys/WordList.h>

#include <QDialog>
#include <QImage>
#include <QPointer>

class QComboBox;
class QFileDialog;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;

namespace wordmill {

class TColorDot;
class TColumnSplitter;
class TEditorGrid;
class TElidedLabel;
class TVCLLangData;

// The window of the built-in translation editor. The user picks a source
// language and names a new language, or picks a language to edit, and then
// translates it group by group, object by object and row by row. The window
// holds no translation data of its own: everything goes through its binding
// object LData, which creates the window for one run, fills its texts, shows
// it modally and saves the result.
//
// Rows are numbered from 0; the grid shows row n on line n + 1 (line 0 is
// the title line), and SelectedRow counts lines. Every size is a design size
// in pixels at 96 dots per inch, scaled with the screen's density.
class TLanguageManager : public QDialog
{
    Q_OBJECT
    friend class TVCLLangData;

public:
    explicit TLanguageManager(QWidget *parent = nullptr);
    ~TLanguageManager() override;

    // The binding object; set before the window is shown.
    TVCLLangData *LData = nullptr;

    // The window the editor is centred on when it shows (the application's
    // main window); none centres it on the screen.
    void SetMainWindow(QWidget *Window) { fMainWindow = Window; }
    // Shows or hides the about line along the bottom of the window.
    void SetAboutLine(const QString &Text, bool Visible);
    // The library's texts (form lexicon items 0 to 49) the window shows.
    void SetLexicon(const QStringList &Items) { fLex = Items; }
    // A text of the library's form lexicon as the editor run took it.
    QString Lex(int Item) const;
    // The design scale in percent (100 at 96 dpi).
    int Scale100() const { return fScale100; }

    // Sets the flag picture: a null image shows the default flag.
    void ShowFlag(const QImage &Flag);
    bool HasOwnFlag() const { return !fFlag.isNull(); }

    // Folder of the last imported or exported file, shared by every editor
    // window of the process.
    static QString LastImportExportDir();
    static void SetLastImportExportDir(const QString &Dir);

    // ---- operations the binding uses
    // Enables editing once a language is open or created.
    void StartEditing();
    // Rebuilds the rows of the page of the selected object.
    void BuildPage();
    void UpdateObjectCounter();
    // A press on a label cell shows it pressed (the status can be switched).
    void EnableStatusColumnClick();
    void DisableStatusColumnClick();
    void ImportLanguageData();
    void ExportLanguageData();

    // ---- handlers
    void FormShow();
    void FormResize();
    bool FormCloseQuery();
    void SplitterMoved();
    // Previous and next object (or group); with Shift the previous or next
    // object that still needs translating.
    void ILeftMouseDown(bool Shift);
    void IRightMouseDown(bool Shift);
    void ISOComboSelect(int Index);
    void ClearHint();
    void LangEditChange();
    void LangListEditorSelectCell(int Line);
    void LangListEditorStringsChange();
    void LangListEditorMouseDown(int Row, Qt::MouseButton Button);
    void LangListEditorMouseMove(const QPoint &Position, Qt::MouseButtons Buttons,
                                 Qt::KeyboardModifiers Modifiers);
    // The keyboard table of the grid; true when the key was taken.
    bool LangListEditorKeyDown(QKeyEvent *Event);
    void FindBtnClick();
    void FindBtnMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Modifiers);
    void ObjectComboChange();
    void FinishBtnClick();
    void FlagImageMouseDown(Qt::MouseButton Button);
    // Switches the status of a row (own, global, keep source translation).
    void ToggleItemStatus(int Row);

    // Unsaved changes exist.
    bool LangModify = false;
    // Editing an existing language (true) or creating a new one (false).
    bool EditMode = false;
    // Grid text changes repaint markers and copy global rows only while set.
    bool EnableEditEvent = false;
    // Grid line of the selected row (1 and up), 0 for none.
    int SelectedRow = 0;
    // Switch state of the selected row.
    bool AllowNoTrans = false;
    // Rows sharing the selected row's designed text.
    TWordList SameLocStr;
    // The language name last filled in from an ISO code.
    QString LastNameFromISO;
    // File name (without folder) chosen for a new language.
    QString NewLangFile;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void reject() override;

private:
    int S(int Design) const { return (Design * fScale100 + 50) / 100; }
    void CreateControls();
    void ConnectControls();
    void ArrangeControls();
    void PlaceSideImage();
    void CentreOnMainWindow();
    int PanelCenterOffset() const;
    // The marker colour of a row as the grid paints it; invalid for none.
    QColor MarkerColor(int Row) const;
    void RepaintMarker(int Row);
    void PropagateGlobalEdit();
    void Search(Qt::KeyboardModifiers Modifiers);
    // Makes Line current without running the selection handler.
    void SetCurrentLine(int Line);
    void ShowMessage(int Icon, const QString &Text);
    void StoreFlagImage();

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
    TElidedLabel *LRefText = nullptr;
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
    // Dialogs.
    QFileDialog *SaveDialog = nullptr;
    QFileDialog *OpenPictureDialog = nullptr;
};

} // namespace wordmill
