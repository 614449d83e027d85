#include "LanguageManager.h"

#include <wordmill/core/FormLexiconItem.h>
#include <wordmill/core/FormLexiconTables.h>
#include <wordmill/editor/ColorWidgets.h>
#include <wordmill/editor/ColumnSplitter.h>
#include <wordmill/editor/EditorGrid.h>
#include <wordmill/editor/EditorIcons.h>
#include <wordmill/editor/ElidedLabel.h>
#include <wordmill/editor/SideImage.h>
#include <wordmill/editor/StatusMarkerDelegate.h>
#include <wordmill/editor/VCLLangData.h>
#include <wordmill/iso/ISO639.h>

#include <QComboBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include <cmath>

using namespace Qt::StringLiterals;

// The library is linked statically: its pictures must be registered by name.
static void InitEditorResources()
{
    Q_INIT_RESOURCE(wordmill_editor);
}

namespace wordmill {

namespace {

// The left panel's blue, RGB(0, 53, 107).
const QColor PanelBlue(0, 53, 107);
// Labels on the blue panel.
const QColor SkyBlue(166, 202, 240);

// Design sizes of the window (pixels at 96 dpi).
constexpr int DesignClientWidth = 574;
constexpr int DesignClientHeight = 350;
// The smallest frame is 590 x 313: a client area of 574 x 275 inside a
// frame of 8 pixels each side and a 30 pixel title bar.
constexpr int DesignMinClientWidth = 574;
constexpr int DesignMinClientHeight = 275;
constexpr int DesignPanelWidth = 200;
constexpr int DesignTopPanel = 39;
constexpr int DesignSplit = 6;
constexpr int DesignSplitterWidth = 14;
constexpr int DesignBotPanel = 48;
constexpr int DesignCopyPanel = 21;
constexpr int DesignRightBtnPanel = 223;
constexpr int DesignRowHeight = 16;
constexpr int DesignLabelColumn = 115;

// A label of the left panel: sky blue on the panel's blue. The label paints
// its own background, so that it stays readable where the side picture
// reaches up behind it in a small window.
void SetPanelLabelColours(QLabel *Label)
{
    QPalette palette = Label->palette();
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::WindowText, SkyBlue);
        palette.setColor(group, QPalette::Window, PanelBlue);
    }
    Label->setPalette(palette);
    Label->setAutoFillBackground(true);
    Label->setContentsMargins(2, 0, 2, 0);
}

template <typename T> T *Named(T *Widget, const QString &Name)
{
    Widget->setObjectName(Name);
    return Widget;
}

} // namespace

TLanguageManager::TLanguageManager(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"LanguageManager"_s);
    // The design assumes 96 dpi; a denser screen that Qt does not scale by
    // itself gets the design scaled here.
    fScale100 = qMax(100, qRound(logicalDpiX() * 100.0 / 96.0));
    setWindowTitle(u"Built-in Language Manager"_s);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);
    setSizeGripEnabled(false);
    QFont font(u"Tahoma"_s);
    font.setPixelSize(S(11));
    setFont(font);
    InitEditorResources();
    fSidePicture = QPixmap(u":/wordmill/editor/side-picture.png"_s);
    CreateControls();
    ConnectControls();
    setMinimumSize(S(DesignMinClientWidth), S(DesignMinClientHeight));
    resize(S(DesignClientWidth), S(DesignClientHeight));
}

TLanguageManager::~TLanguageManager() = default;

void TLanguageManager::CreateControls()
{
    // ---- left panel
    ImgPan = Named(new TFixedColorPanel(PanelBlue, this), u"ImgPan"_s);
    Image = Named(new QLabel(ImgPan), u"Image"_s);
    Image->setScaledContents(true);
    Image->setPixmap(fSidePicture);

    LLanguage = Named(new QLabel(ImgPan), u"LLanguage"_s);
    QFont bold = font();
    bold.setPixelSize(S(12));
    bold.setBold(true);
    LLanguage->setFont(bold);
    SetPanelLabelColours(LLanguage);
    LLanguage->move(S(8) - 2, S(10));

    LangCombo = Named(new QComboBox(ImgPan), u"LangCombo"_s);
    LangCombo->setGeometry(S(8), S(30), S(145), S(21));
    LangEdit = Named(new QLineEdit(ImgPan), u"LangEdit"_s);
    LangEdit->setGeometry(LangCombo->geometry());
    LangEdit->hide();
    connect(LangEdit, &QLineEdit::textChanged, this, &TLanguageManager::LangEditChange);

    AddLangButton = Named(new QToolButton(ImgPan), u"AddLangButton"_s);
    AddLangButton->setGeometry(S(165), S(30), S(25), S(21));
    AddLangButton->setIcon(AddLanguageIcon());
    AddLangButton->setIconSize(QSize(S(16), S(16)));
    AddLangButton->hide();

    FlagImage = Named(new QLabel(ImgPan), u"FlagImage"_s);
    FlagImage->setGeometry(S(169), S(33), S(16), S(16));
    FlagImage->setAlignment(Qt::AlignCenter);
    FlagImage->setCursor(Qt::PointingHandCursor);
    FlagImage->hide();

    ISOTitle = Named(new QLabel(u"ISO 639-1:"_s, ImgPan), u"ISOTitle"_s);
    SetPanelLabelColours(ISOTitle);
    ISOTitle->move(S(102), S(56));
    ISOTitle->hide();

    ISOCombo = Named(new QComboBox(ImgPan), u"ISOCombo"_s);
    ISOCombo->setEditable(true);
    ISOCombo->setInsertPolicy(QComboBox::NoInsert);
    ISOCombo->setMaxVisibleItems(20);
    ISOCombo->lineEdit()->setMaxLength(2);
    ISOCombo->addItems(ISO639Entries());
    ISOCombo->setCurrentIndex(-1);
    ISOCombo->setGeometry(S(102), S(70), S(88), S(21));
    // The list is wider than the box: the entries carry the names.
    ISOCombo->view()->setMinimumWidth(S(200));
    ISOCombo->hide();
    connect(ISOCombo, &QComboBox::activated, this, &TLanguageManager::ISOComboSelect);

    FinishBtn = Named(new QPushButton(u"Save"_s, ImgPan), u"FinishBtn"_s);
    FinishBtn->setGeometry(S(8), S(67), S(81), S(26));
    FinishBtn->setAutoDefault(false);
    FinishBtn->hide();
    connect(FinishBtn, &QPushButton::clicked, this, &TLanguageManager::FinishBtnClick);

    ImportBtn = Named(new QToolButton(ImgPan), u"ImportBtn"_s);
    ImportBtn->setGeometry(S(126), S(102), S(27), S(25));
    ImportBtn->setIcon(ImportIcon());
    ImportBtn->setIconSize(QSize(S(18), S(18)));
    ImportBtn->hide();
    ExportBtn = Named(new QToolButton(ImgPan), u"ExportBtn"_s);
    ExportBtn->setGeometry(S(163), S(102), S(27), S(25));
    ExportBtn->setIcon(ExportIcon());
    ExportBtn->setIconSize(QSize(S(18), S(18)));
    ExportBtn->hide();

    // ---- right panel
    LangFilesPanel = Named(new QWidget(this), u"LangFilesPanel"_s);
    LangFilesPanel->setEnabled(false);

    TopPanel = Named(new QWidget(LangFilesPanel), u"TopPanel"_s);
    LRefLangLabel = Named(new QLabel(TopPanel), u"LRefLangLabel"_s);
    LRefLangLabel->move(S(5), S(5));
    LRefLang = Named(new QLabel(TopPanel), u"LRefLang"_s);
    LRefLang->move(S(96), S(5));
    LRefTextLabel = Named(new QLabel(TopPanel), u"LRefTextLabel"_s);
    LRefTextLabel->move(S(5), S(21));
    SourceIcon = Named(new TColorDot(TopPanel), u"SourceIcon"_s);
    SourceIcon->resize(S(7), S(13));
    SourceIcon->hide();
    LRefText = Named(new TElidedLabel(TopPanel), u"LRefText"_s);
    LRefText->move(S(96), S(21));

    BtnPanel = Named(new QWidget(TopPanel), u"BtnPanel"_s);
    BtnPanel->resize(S(147), S(21));
    FindEdit = Named(new QLineEdit(BtnPanel), u"FindEdit"_s);
    FindEdit->setGeometry(S(2), S(2), S(119), S(18));
    FindBtn = Named(new QPushButton(BtnPanel), u"FindBtn"_s);
    FindBtn->setGeometry(S(124), S(1), S(23), S(20));
    FindBtn->setIcon(FindIcon());
    FindBtn->setIconSize(QSize(S(14), S(14)));
    FindBtn->setToolTip(u"F3 (Ctrl+F3)"_s);
    FindBtn->setDefault(true);

    Split = Named(new TColumnSplitter(S(DesignSplitterWidth), LangFilesPanel), u"Split"_s);
    connect(Split, &QSplitter::splitterMoved, this, &TLanguageManager::SplitterMoved);

    LangListEditor = Named(new TEditorGrid(fScale100, LangFilesPanel), u"LangListEditor"_s);
    LangListEditor->setEnabled(false);
    LangListEditor->verticalHeader()->setDefaultSectionSize(S(DesignRowHeight));
    LangListEditor->verticalHeader()->setMinimumSectionSize(1);
    LangListEditor->horizontalHeader()->setFixedHeight(
        qMax(S(DesignRowHeight + 2), LangListEditor->fontMetrics().height() + S(4)));
    LangListEditor->setColumnWidth(0, S(DesignLabelColumn));

    BotPanel = Named(new QWidget(LangFilesPanel), u"BotPanel"_s);
    LGroup = Named(new QLabel(BotPanel), u"LGroup"_s);
    LGroup->move(S(5), S(4));
    ConGlobalIcon = Named(new QLabel(BotPanel), u"ConGlobalIcon"_s);
    ConGlobalIcon->setGeometry(S(127), S(3), S(16), S(16));
    ConGlobalIcon->setPixmap(GlobalStringsIcon().pixmap(QSize(S(16), S(16))));
    ConGlobalIcon->hide();
    GroupCombo = Named(new QComboBox(BotPanel), u"GroupCombo"_s);
    GroupCombo->setGeometry(S(5), S(20), S(138), S(21));
    GroupCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

    RightBtnPanel = Named(new QWidget(BotPanel), u"RightBtnPanel"_s);
    RightBtnPanel->resize(S(DesignRightBtnPanel), S(DesignBotPanel));
    ILeft = Named(new QToolButton(RightBtnPanel), u"ILeft"_s);
    ILeft->setGeometry(S(3), S(17), S(25), S(25));
    ILeft->setIcon(PreviousIcon());
    ILeft->setIconSize(QSize(S(25), S(25)));
    ILeft->setAutoRaise(true);
    ILeft->setCursor(Qt::PointingHandCursor);
    LObject = Named(new QLabel(RightBtnPanel), u"LObject"_s);
    LObject->move(S(38), S(4));
    ObjectCombo = Named(new QComboBox(RightBtnPanel), u"ObjectCombo"_s);
    ObjectCombo->setGeometry(S(38), S(20), S(146), S(21));
    ObjectCombo->setMaxVisibleItems(64);
    ObjectCombo->setEnabled(false);
    LItem = Named(new QLabel(u"-/-"_s, RightBtnPanel), u"LItem"_s);
    LItem->setGeometry(S(110), S(4), S(74), S(14));
    LItem->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LItem->setEnabled(false);
    IRight = Named(new QToolButton(RightBtnPanel), u"IRight"_s);
    IRight->setGeometry(S(192), S(17), S(25), S(25));
    IRight->setIcon(NextIcon());
    IRight->setIconSize(QSize(S(25), S(25)));
    IRight->setAutoRaise(true);
    IRight->setCursor(Qt::PointingHandCursor);

    // ---- bottom line
    CopyPanel = Named(new QLabel(this), u"CopyPanel"_s);
    CopyPanel->setAlignment(Qt::AlignCenter);
    CopyPanel->setFrameShape(QFrame::StyledPanel);
    CopyPanel->setFrameShadow(QFrame::Sunken);

    // ---- dialogs: Qt's own, so that they look alike everywhere
    SaveDialog = Named(new QFileDialog(this, u"New language file name"_s), u"SaveDialog"_s);
    SaveDialog->setOption(QFileDialog::DontUseNativeDialog);
    SaveDialog->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog->setFileMode(QFileDialog::AnyFile);
    SaveDialog->setFilter(SaveDialog->filter() | QDir::Hidden);
    OpenPictureDialog = Named(new QFileDialog(this), u"OpenPictureDialog"_s);
    OpenPictureDialog->setOption(QFileDialog::DontUseNativeDialog);
    OpenPictureDialog->setAcceptMode(QFileDialog::AcceptOpen);
    OpenPictureDialog->setFileMode(QFileDialog::ExistingFile);
    OpenPictureDialog->setMimeTypeFilters({u"image/bmp"_s, u"image/png"_s, u"image/jpeg"_s,
                                           u"image/gif"_s, u"image/x-icon"_s,
                                           u"application/octet-stream"_s});

    ShowFlag(QImage());
}

void TLanguageManager::ConnectControls()
{
    TEditorGrid *grid = LangListEditor;
    grid->Delegate()->SetMarkerColor([this](int Row) { return MarkerColor(Row); });
    // Rows that keep the source translation cannot be typed in.
    grid->CanEditRow = [this](int Row) {
        return !LData || LData->EditorMode != emClient || LData->ChangeableEditorItem(Row);
    };
    grid->OnKeyDown = [this](QKeyEvent *Event) { return LangListEditorKeyDown(Event); };
    connect(grid, &TEditorGrid::CurrentRowChanged, this,
            [this](int Row) { LangListEditorSelectCell(Row + 1); });
    connect(grid, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *Item) {
        if (Item->column() == 1)
            LangListEditorStringsChange();
    });
    connect(grid->Delegate(), &TStatusMarkerDelegate::TextEdited, this,
            [this] { LangModify = true; });
    connect(grid, &TEditorGrid::LabelPressed, this,
            [this](int Row, Qt::MouseButton Button) { LangListEditorMouseDown(Row, Button); });
    connect(grid, &TEditorGrid::PointerMoved, this, &TLanguageManager::LangListEditorMouseMove);
    connect(grid, &TEditorGrid::HintInvalidated, this, &TLanguageManager::ClearHint);

    connect(ObjectCombo, &QComboBox::activated, this, &TLanguageManager::ObjectComboChange);
    connect(FindBtn, &QPushButton::clicked, this, &TLanguageManager::FindBtnClick);
    // Mouse presses on the arrows and the flag, releases on the search
    // button and keys in the search field come with their modifiers.
    for (QWidget *watched : {static_cast<QWidget *>(ILeft), static_cast<QWidget *>(IRight),
                             static_cast<QWidget *>(FlagImage), static_cast<QWidget *>(FindBtn),
                             static_cast<QWidget *>(FindEdit)})
        watched->installEventFilter(this);
}

bool TLanguageManager::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const bool shift = mouse->modifiers() & Qt::ShiftModifier;
        if (watched == ILeft || watched == IRight) {
            if (mouse->button() != Qt::LeftButton || !LData)
                return true;
            if (watched == ILeft)
                ILeftMouseDown(shift);
            else
                IRightMouseDown(shift);
            return true;
        }
        if (watched == FlagImage && LData) {
            FlagImageMouseDown(mouse->button());
            return true;
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        if (watched == FindBtn) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (FindBtn->rect().contains(mouse->position().toPoint()))
                FindBtnMouseUp(mouse->button(), mouse->modifiers());
        }
        break;
    case QEvent::KeyPress:
        if (watched == FindEdit || watched == FindBtn) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                key->key() == Qt::Key_F3) {
                Search(key->modifiers());
                return true;
            }
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void TLanguageManager::keyPressEvent(QKeyEvent *event)
{
    // Keys no control took: F3 searches, Ctrl+F goes to the search field.
    if (event->key() == Qt::Key_F3) {
        Search(event->modifiers());
        return;
    }
    if (event->key() == Qt::Key_F && event->modifiers() == Qt::ControlModifier) {
        FindEdit->setFocus();
        FindEdit->selectAll();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TLanguageManager::ArrangeControls()
{
    const int width = this->width();
    const int height = this->height();
    const int copy = fAboutVisible ? S(DesignCopyPanel) : 0;
    const int panelHeight = height - copy;
    CopyPanel->setGeometry(0, panelHeight, width, copy);
    CopyPanel->setVisible(copy > 0);
    ImgPan->setGeometry(0, 0, S(DesignPanelWidth), panelHeight);
    const int right = width - S(DesignPanelWidth);
    LangFilesPanel->setGeometry(S(DesignPanelWidth), 0, right, panelHeight);

    TopPanel->setGeometry(0, 0, right, S(DesignTopPanel));
    BtnPanel->move(right - BtnPanel->width() - S(4), S(2));
    LRefText->resize(qMax(0, right - S(7) - LRefText->x()), LRefText->height());
    Split->setGeometry(0, S(DesignTopPanel), right, S(DesignSplit));
    const int gridTop = S(DesignTopPanel + DesignSplit);
    const int botTop = panelHeight - S(DesignBotPanel);
    LangListEditor->setGeometry(0, gridTop, right, qMax(0, botTop - gridTop));
    BotPanel->setGeometry(0, botTop, right, S(DesignBotPanel));
    RightBtnPanel->move(right - RightBtnPanel->width(), 0);
    // The group box stretches up to 250 wide, keeping its design gap to the
    // navigation on its right.
    const int groupWidth = qBound(S(138), RightBtnPanel->x() - S(8) - GroupCombo->x(), S(250));
    GroupCombo->resize(groupWidth, GroupCombo->height());
    // The ISO title ends where the box below it ends when it is too long to
    // start above the box's left edge.
    ISOTitle->adjustSize();
    ISOTitle->move(qMin(S(102), ISOCombo->geometry().right() + 1 - ISOTitle->width()), S(56));
    PlaceSideImage();
}

void TLanguageManager::PlaceSideImage()
{
    Image->move(Image->x(), wordmill::PlaceSideImage(ImgPan->height(), Image->height()));
    Image->lower();
}

void TLanguageManager::SetAboutLine(const QString &Text, bool Visible)
{
    CopyPanel->setText(Text);
    fAboutVisible = Visible;
    ArrangeControls();
}

void TLanguageManager::ShowFlag(const QImage &Flag)
{
    fFlag = Flag;
    const QImage shown = Flag.isNull() ? DefaultFlagImage() : Flag;
    QPixmap pixmap = QPixmap::fromImage(shown.scaled(QSize(S(16), S(16)) * devicePixelRatioF(),
                                                     Qt::KeepAspectRatio, Qt::FastTransformation));
    pixmap.setDevicePixelRatio(devicePixelRatioF());
    FlagImage->setPixmap(pixmap);
}

void TLanguageManager::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!fShownOnce) {
        fShownOnce = true;
        CentreOnMainWindow();
    }
    FormShow();
}

void TLanguageManager::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    ArrangeControls();
    FormResize();
}

void TLanguageManager::CentreOnMainWindow()
{
    QRect area;
    if (fMainWindow && fMainWindow->isVisible())
        area = fMainWindow->frameGeometry();
    else if (QScreen *screen = this->screen())
        area = screen->availableGeometry();
    if (area.isEmpty())
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(area.center());
    move(frame.topLeft());
}

void TLanguageManager::FormShow()
{
    LastNameFromISO.clear();
    LangModify = false;
    EnableEditEvent = false;
    SameLocStr.Clear();
    ArrangeControls();
    // The splitter's handle sits on the grid's column edge.
    Split->SetSplitPanelWidth(LangListEditor->columnWidth(0) - PanelCenterOffset());
    // The picture as large as it was designed and centred, or as wide as the
    // panel when it is narrower.
    const QRect picture =
        SideImageRect(QSize(S(fSidePicture.width()), S(fSidePicture.height())), ImgPan->width());
    Image->setGeometry(picture);
    PlaceSideImage();
    // A single language is opened at once, once the window is up.
    if (LangCombo->count() == 1 && LangCombo->isEnabled() && LangCombo->isVisibleTo(this))
        QTimer::singleShot(0, this, [this] {
            if (LangCombo->count() == 1 && LangCombo->currentIndex() < 0) {
                LangCombo->setCurrentIndex(0);
                emit LangCombo->activated(0);
            }
        });
}

void TLanguageManager::FormResize()
{
    PlaceSideImage();
}

int TLanguageManager::PanelCenterOffset() const
{
    // The metrics are device pixels; the panel is laid out in logical ones.
    return qRound(Split->Arrow().PanelCenterOffset / devicePixelRatioF());
}

void TLanguageManager::SplitterMoved()
{
    LangListEditor->setColumnWidth(0, Split->SplitPanelWidth() + PanelCenterOffset());
}

bool TLanguageManager::FormCloseQuery()
{
    if (!LangModify)
        return true;
    QMessageBox box(QMessageBox::Question, windowTitle(), Lex(FormLexiconItem::CloseWithoutSaving),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString TLanguageManager::Lex(int Item) const
{
    if (Item >= 0 && Item < fLex.size())
        return fLex.at(Item);
    const TInternalLangDefs &english = EnglishDefs();
    return Item >= 0 && Item + 2 < int(english.size()) ? english.at(Item + 2) : QString();
}

void TLanguageManager::reject()
{
    // Closing the window, Escape: unsaved changes are asked about first.
    if (FormCloseQuery())
        QDialog::reject();
}

void TLanguageManager::FinishBtnClick()
{
    LangModify = false;
    accept();
}

void TLanguageManager::ISOComboSelect(int Index)
{
    if (EditMode)
        return;
    // A name the user typed stays.
    if (!LangEdit->text().isEmpty() && LangEdit->text() != LastNameFromISO)
        return;
    if (!ISOCombo->isEnabled() || Index < 0 || ISOCombo->currentText().isEmpty())
        return;
    LastNameFromISO = NameOfEntry(ISOCombo->itemText(Index));
    LangEdit->setText(LastNameFromISO);
    LangEditChange();
}

void TLanguageManager::LangEditChange()
{
    AddLangButton->setVisible(LangEdit->isVisibleTo(ImgPan) && LangEdit->text().size() > 2);
}

} // namespace wordmill
