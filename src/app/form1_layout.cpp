// Form1's controls: positions, sizes, texts, colours, cursors and keyboard order.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProxyStyle>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyledItemDelegate>

#include "app/about_texts.h"
#include "app/artwork.h"
#include "app/form1.h"
#include "app/form_texts.h"
#include "app/gradient_panel.h"
#include "app/link_label.h"
#include "app/look.h"
#include "app/picture_box.h"

namespace zv::app {
namespace {

// Password fields show "*" for every character, whatever the desktop's style prefers.
class AsteriskStyle : public QProxyStyle {
  public:
    // Based on the application's own style, so the fields look like their neighbours.
    AsteriskStyle() : QProxyStyle(QApplication::style()->name()) {}

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter) {
            return '*';
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// The item list's rows are 13 pixels high.
class FixedRowDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), 13};
    }
};

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

template <typename Control>
Control* place(Control* control, const char* name, int left, int top, int width, int height) {
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(left, top, width, height);
    return control;
}

QLabel* label(QWidget* parent, const char* name, const char* caption, QRect area,
              const QColor& colour) {
    auto* control = place(new QLabel(text(caption), parent), name, area.x(), area.y(), area.width(),
                          area.height());
    look::setTextColour(*control, colour);
    return control;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const char* caption, QRect area) {
    auto* control = place(new QCheckBox(text(caption), parent), name, area.x(), area.y(),
                          area.width(), area.height());
    control->setAttribute(Qt::WA_Hover);  // highlights under the pointer
    look::setTextColour(*control, look::kDarkGrey);
    return control;
}

QLineEdit* passwordEdit(QWidget* parent, const char* name, QRect area, QStyle* asterisks) {
    auto* control =
        place(new QLineEdit(parent), name, area.x(), area.y(), area.width(), area.height());
    control->setStyle(asterisks);
    control->setEchoMode(QLineEdit::Password);
    control->setFont(look::passwordFont());
    control->setToolTip(text(texts::kPasswordHint));
    // Files dropped on a field go to the list like everywhere else on the window.
    control->setAcceptDrops(false);
    return control;
}

PictureBox* picture(QWidget* parent, const char* name, const char* resource, QRect area) {
    return place(new PictureBox(text(resource), parent), name, area.x(), area.y(), area.width(),
                 area.height());
}

GradientPanel* panelButton(QWidget* parent, const char* name, const char* caption, QRect area,
                           Qt::CursorShape cursor) {
    auto* control = place(new GradientPanel(text(caption), parent), name, area.x(), area.y(),
                          area.width(), area.height());
    look::setTextColour(*control, look::kOlive);
    control->setCursor(cursor);
    return control;
}

QPushButton* hiddenAction(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(text(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFocusPolicy(Qt::NoFocus);
    button->hide();
    return button;
}

}  // namespace

TForm1::TForm1(ShellPort& shell, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      shell_(shell),
      asteriskStyle_(std::make_unique<AsteriskStyle>()),
      inputBlocker_(*this) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(text(texts::kCaption));
    setFont(look::defaultFont());
    // The client area of a 657 x 431 window with a classic frame.
    move(287, 124);
    resize(649, 393);
    setAcceptDrops(true);
    createControls();
    // After the controls, which gives a head start the most time to have it ready.
    setWindowIcon(artwork::windowIcon());
    ui_ = std::make_unique<QtUiPort>(*this, *Panel1);
    connectHandlers();
}

TForm1::~TForm1() = default;

void TForm1::createControls() {
    Image1 = picture(this, "Image1", artwork::kBackground, {0, 0, 649, 393});
    ImageUbb = picture(this, "ImageUbb", artwork::kDecryptButton, {454, 243, 99, 69});
    ImageUbb->setCursor(Qt::PointingHandCursor);
    ImageUbb->setAccessibleName(text(texts::kDecryptPicture));
    ImagADD = picture(this, "ImagADD", artwork::kEncryptButton, {302, 245, 96, 66});
    ImagADD->setCursor(Qt::PointingHandCursor);
    ImagADD->setAccessibleName(text(texts::kEncryptPicture));
    EditPass2 = passwordEdit(this, "EditPass2", {464, 183, 103, 23}, asteriskStyle_.get());
    CheckBox1 = checkBox(this, "CheckBox1", texts::kFastLargeFiles, {428, 219, 173, 15});
    CheckDir = checkBox(this, "CheckDir", texts::kPackFolder, {233, 219, 175, 15});
    CheckDir->setToolTip(text(texts::kNotYetAvailable));
    EditPass = passwordEdit(this, "EditPass", {282, 183, 103, 23}, asteriskStyle_.get());

    ListBoxFile = place(new QListWidget(this), "ListBoxFile", 233, 76, 334, 90);
    ListBoxFile->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBoxFile->setItemDelegate(new FixedRowDelegate(ListBoxFile));
    ListBoxFile->setUniformItemSizes(true);

    cxLabel1 = label(this, "cxLabel1", about::kFooter, {40, 364, 586, 17}, look::kDarkGrey);
    cxLabel2 =
        label(this, "cxLabel2", texts::kChooseItems, {232, 51, 339, 17}, look::kWorkspaceGrey);
    cxLabel3 = label(this, "cxLabel3", texts::kPassword, {233, 186, 48, 17}, look::kGrey);
    cxLabel6 = label(this, "cxLabel6", texts::kConfirmPassword, {404, 186, 62, 16}, look::kGrey);

    Panel1 = label(this, "Panel1", texts::kBusy, {233, 314, 409, 17}, look::kHotLight);
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setAutoFillBackground(true);
    QPalette busyPalette = Panel1->palette();
    busyPalette.setColor(QPalette::Window, look::kSilver);
    Panel1->setPalette(busyPalette);
    Panel1->hide();

    cxImage1 = picture(this, "cxImage1", artwork::kAbout, {168, 96, 337, 169});
    cxLabel7 = place(new LinkLabel(text(texts::kAboutLink), this), "cxLabel7", 568, 3, 69, 17);
    cxLabel7->setCursor(Qt::PointingHandCursor);
    cxLabel7->setAccessibleName(text(texts::kAboutLink));
    cxLabel7->setFont(look::smallLinkFont());
    look::setTextColour(*cxLabel7, look::kOlive);
    Lab1 = label(this, "Lab1", texts::kAboutLine1, {178, 133, 175, 17}, look::kNavy);
    Lab2 = label(this, "Lab2", texts::kAboutLine2, {178, 162, 326, 17}, look::kNavy);
    Lab3 = label(this, "Lab3", texts::kAboutLine3, {178, 189, 331, 17}, look::kNavy);
    Lab4 = label(this, "Lab4", about::kCredit, {258, 213, 208, 17}, look::kNavy);
    Lab4->hide();
    cxImage2 = picture(this, "cxImage2", artwork::kCloseMark, {464, 111, 21, 20});

    RzPanel2 =
        panelButton(this, "RzPanel2", texts::kFileButton, {566, 76, 38, 30}, Qt::DragCopyCursor);
    RzPanel1 =
        panelButton(this, "RzPanel1", texts::kRemoveButton, {566, 136, 38, 30}, Qt::DragMoveCursor);
    cxQQ1 = picture(this, "cxQQ1", artwork::kContactIcon, {273, 232, 25, 25});
    cxQQ1->hide();
    cxQQ2 = picture(this, "cxQQ2", artwork::kContactIcon, {273, 227, 25, 26});
    cxQQ2->hide();
    cxLabelQQ =
        place(new LinkLabel(text(about::kContactLine), this), "cxLabelQQ", 301, 237, 194, 17);
    cxLabelQQ->setCursor(Qt::PointingHandCursor);
    cxLabelQQ->setAccessibleName(text(about::kContactLine));
    look::setTextColour(*cxLabelQQ, look::kNavy);
    cxLabelQQ->hide();
    RzPanel3 =
        panelButton(this, "RzPanel3", texts::kFolderButton, {566, 106, 38, 30}, Qt::DragCopyCursor);

    Memory_add = hiddenAction(this, "Memory_add", texts::kMemoryAdd);
    File_add = hiddenAction(this, "File_add", texts::kFileAdd);
    Memory_sub = hiddenAction(this, "Memory_sub", texts::kMemorySub);
    File_sub = hiddenAction(this, "File_sub", texts::kFileSub);
    But_bankAdd = hiddenAction(this, "But_bankAdd", texts::kBankAdd);

    // The About panel starts closed. (FormActivate closes it again on the first
    // activation; hiding it here too keeps it closed for a window that opens
    // without the focus.)
    for (QWidget* part : QList<QWidget*>{cxImage1, Lab1, Lab2, Lab3, cxImage2}) {
        part->hide();
    }

    setTabOrder(EditPass, EditPass2);
    setTabOrder(EditPass2, ListBoxFile);
    setTabOrder(ListBoxFile, CheckDir);
    setTabOrder(CheckDir, CheckBox1);
}

void TForm1::connectHandlers() {
    connect(RzPanel2, &GradientPanel::clicked, this, &TForm1::RzPanel2Click);
    connect(RzPanel3, &GradientPanel::clicked, this, &TForm1::RzPanel3Click);
    connect(RzPanel1, &GradientPanel::clicked, this, &TForm1::RzPanel1Click);
    connect(ImagADD, &PictureBox::clicked, this, &TForm1::ImagADDClick);
    connect(ImageUbb, &PictureBox::clicked, this, &TForm1::ImageUbbClick);
    connect(cxLabel7, &LinkLabel::clicked, this, &TForm1::cxLabel7Click);
    connect(cxImage2, &PictureBox::clicked, this, &TForm1::cxImage2Click);
    connect(cxQQ1, &PictureBox::clicked, this, &TForm1::cxImage2Click);
    connect(cxQQ2, &PictureBox::clicked, this, &TForm1::cxImage2Click);
    connect(cxLabelQQ, &LinkLabel::clicked, this, &TForm1::cxLabelQQClick);
    connect(cxLabelQQ, &LinkLabel::entered, this, &TForm1::cxLabelQQMouseEnter);
    connect(cxLabelQQ, &LinkLabel::left, this, &TForm1::cxLabelQQMouseLeave);
    connect(Memory_add, &QPushButton::clicked, this, &TForm1::Memory_addClick);
    connect(File_add, &QPushButton::clicked, this, &TForm1::File_addClick);
    connect(Memory_sub, &QPushButton::clicked, this, &TForm1::Memory_subClick);
    connect(File_sub, &QPushButton::clicked, this, &TForm1::File_subClick);
    connect(But_bankAdd, &QPushButton::clicked, this, &TForm1::But_bankAddClick);
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Only the background follows the client area; every other control stays put.
    Image1->setGeometry(rect());
}

}  // namespace zv::app
