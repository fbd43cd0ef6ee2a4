// The main window as it starts: layout, texts, looks, keyboard order, resizing.
#include <QAccessible>
#include <QCheckBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QSvgRenderer>
#include <QTest>

#include "app/about_texts.h"
#include "app/link_label.h"
#include "app/picture_box.h"
#include "fake_shell.h"
#include "form_access.h"

using zv::app::TForm1;
using zv::test::captionOf;
using zv::test::FakeShell;

class TestForm1 : public QObject {
    Q_OBJECT
  private slots:
    void controlsSitWhereTheyBelong_data();
    void controlsSitWhereTheyBelong();
    void controlsStackBackToFront();
    void windowFrame();
    void startState();
    void hiddenActionsExistButAreNeverShown();
    void passwordFields();
    void tabOrder();
    void resizingMovesOnlyTheBackground();
    void picturesComeFromTheArtwork();
    void clickableControlsAreNamedForScreenReaders();
};

namespace {

// Back to front, as the window stacks them.
const char* const kBackToFront[] = {
    "Image1",      "ImageUbb", "ImagADD",  "EditPass2", "CheckBox1", "CheckDir", "EditPass",
    "ListBoxFile", "cxLabel1", "cxLabel2", "cxLabel3",  "cxLabel6",  "Panel1",   "cxImage1",
    "cxLabel7",    "Lab1",     "Lab2",     "Lab3",      "Lab4",      "cxImage2", "RzPanel2",
    "RzPanel1",    "cxQQ1",    "cxQQ2",    "cxLabelQQ", "RzPanel3"};

}  // namespace

void TestForm1::controlsSitWhereTheyBelong_data() {
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("cursor");

    const int arrow = Qt::ArrowCursor;
    const int hand = Qt::PointingHandCursor;
    auto row = [](const char* name, QRect area, const QString& text, int cursor) {
        QTest::newRow(name) << area << text << cursor;
    };
    row("Image1", {0, 0, 649, 393}, "", arrow);
    row("ImageUbb", {454, 243, 99, 69}, "", hand);
    row("ImagADD", {302, 245, 96, 66}, "", hand);
    row("EditPass2", {464, 183, 103, 23}, "", Qt::IBeamCursor);
    row("CheckBox1", {428, 219, 173, 15}, "视频、MP3等大文件快速加密", arrow);
    row("CheckDir", {233, 219, 175, 15}, "将文件夹下所有文件打包加密", arrow);
    row("EditPass", {282, 183, 103, 23}, "", Qt::IBeamCursor);
    row("ListBoxFile", {233, 76, 334, 90}, "", arrow);
    row("cxLabel1", {40, 364, 586, 17}, QString::fromUtf8(zv::app::about::kFooter), arrow);
    row("cxLabel2", {232, 51, 339, 17}, "请选择需加密或解密的文件或文件夹：(可直接其拖动到此窗口)",
        arrow);
    row("cxLabel3", {233, 186, 48, 17}, "密   码：", arrow);
    row("cxLabel6", {404, 186, 62, 16}, "确认密码：", arrow);
    row("Panel1", {233, 314, 409, 17}, "正在处理中,请稍候．．．", arrow);
    row("cxImage1", {168, 96, 337, 169}, "", arrow);
    row("cxLabel7", {568, 3, 69, 17}, "关于此工具", hand);
    row("Lab1", {178, 133, 175, 17}, "3.0版增加了对文件夹加密功能。", arrow);
    row("Lab2", {178, 162, 326, 17}, "可对：文档、图片、视频、MP3、程序等任何文件进行加密。",
        arrow);
    row("Lab3", {178, 189, 331, 17}, "对于此工具,只用于私人资料保密和学习，不得作为其它用途。",
        arrow);
    row("Lab4", {258, 213, 208, 17}, QString::fromUtf8(zv::app::about::kCredit), arrow);
    row("cxImage2", {464, 111, 21, 20}, "", arrow);
    row("RzPanel2", {566, 76, 38, 30}, "文件", Qt::DragCopyCursor);
    row("RzPanel1", {566, 136, 38, 30}, "移去", Qt::DragMoveCursor);
    row("cxQQ1", {273, 232, 25, 25}, "", arrow);
    row("cxQQ2", {273, 227, 25, 26}, "", arrow);
    row("cxLabelQQ", {301, 237, 194, 17}, QString::fromUtf8(zv::app::about::kContactLine), hand);
    row("RzPanel3", {566, 106, 38, 30}, "文件夹", Qt::DragCopyCursor);
}

void TestForm1::controlsSitWhereTheyBelong() {
    QFETCH(QRect, area);
    QFETCH(QString, text);
    QFETCH(int, cursor);
    FakeShell shell;
    TForm1 form(shell);
    const auto* control = form.findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control != nullptr);
    QCOMPARE(control->parentWidget(), &form);
    QCOMPARE(control->geometry(), area);
    QCOMPARE(captionOf(control), text);
    QCOMPARE(static_cast<int>(control->cursor().shape()), cursor);
}

void TestForm1::controlsStackBackToFront() {
    FakeShell shell;
    TForm1 form(shell);
    qsizetype previous = -1;
    for (const char* name : kBackToFront) {
        auto* control = form.findChild<QWidget*>(QString::fromLatin1(name));
        QVERIFY2(control != nullptr, name);
        const qsizetype place = form.children().indexOf(control);
        QVERIFY2(place > previous, name);
        previous = place;
    }
}

void TestForm1::windowFrame() {
    FakeShell shell;
    TForm1 form(shell);
    QCOMPARE(form.objectName(), QStringLiteral("Form1"));
    QCOMPARE(form.windowTitle(), QStringLiteral("ZV文件加密工具"));
    QCOMPARE(form.pos(), QPoint(287, 124));
    QCOMPARE(form.size(), QSize(649, 393));
    QVERIFY(form.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(form.windowFlags().testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(!form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    // The frame can be dragged: nothing pins the size.
    QCOMPARE(form.minimumSize(), QSize(0, 0));
    QCOMPARE(form.maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    QCOMPARE(form.font().pixelSize(), 11);
    QVERIFY(!form.windowIcon().isNull());
    QVERIFY(form.acceptDrops());
}

void TestForm1::startState() {
    FakeShell shell;
    TForm1 form(shell);
    QVERIFY(zv::test::showActive(form));
    for (QWidget* hidden :
         QList<QWidget*>{form.cxImage1, form.Lab1, form.Lab2, form.Lab3, form.Lab4, form.cxImage2,
                         form.cxLabelQQ, form.cxQQ1, form.cxQQ2, form.Panel1}) {
        QVERIFY2(hidden->isHidden(), qPrintable(hidden->objectName()));
    }
    for (QWidget* shown :
         QList<QWidget*>{form.Image1, form.ImagADD, form.ImageUbb, form.EditPass, form.EditPass2,
                         form.ListBoxFile, form.CheckDir, form.CheckBox1, form.RzPanel1,
                         form.RzPanel2, form.RzPanel3, form.cxLabel7, form.cxLabel1}) {
        QVERIFY2(shown->isVisible() && shown->isEnabled(), qPrintable(shown->objectName()));
    }
    QVERIFY(!form.CheckDir->isChecked());
    QVERIFY(!form.CheckBox1->isChecked());
    QCOMPARE(form.CheckDir->toolTip(), QStringLiteral("此功能尚未开通"));
    QCOMPARE(form.ListBoxFile->count(), 0);
    QCOMPARE(form.ListBoxFile->selectionMode(), QAbstractItemView::ExtendedSelection);
    QVERIFY(form.CurrentItemPath.isEmpty());
    QVERIFY(form.LastPickName.isEmpty());
    QVERIFY(!form.NoticeShown);
}

void TestForm1::hiddenActionsExistButAreNeverShown() {
    FakeShell shell;
    TForm1 form(shell);
    QVERIFY(zv::test::showActive(form));
    const std::pair<QPushButton*, const char*> actions[] = {{form.Memory_add, "内存流加密"},
                                                            {form.File_add, "文件流加密"},
                                                            {form.Memory_sub, "内存流解密"},
                                                            {form.File_sub, "文件流解密"},
                                                            {form.But_bankAdd, "文件夹加密"}};
    for (const auto& [button, caption] : actions) {
        QVERIFY(button->isHidden());
        QCOMPARE(button->text(), QString::fromUtf8(caption));
    }
}

void TestForm1::passwordFields() {
    FakeShell shell;
    TForm1 form(shell);
    for (QLineEdit* field : {form.EditPass, form.EditPass2}) {
        QCOMPARE(field->echoMode(), QLineEdit::Password);
        QCOMPARE(field->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, field),
                 int('*'));
        QCOMPARE(field->toolTip(), QStringLiteral("注意区分密码的大小写,全角或半角"));
        QCOMPARE(field->font().pixelSize(), 15);
        QVERIFY(field->hasFrame());
        // "宋体" where it exists, an installed CJK serif face elsewhere.
        const QString family = QFontInfo(field->font()).family();
        QVERIFY2(family == QStringLiteral("宋体") || family == QStringLiteral("SimSun") ||
                     family.contains(QStringLiteral("Serif CJK")),
                 qPrintable(family));
    }
}

void TestForm1::tabOrder() {
    FakeShell shell;
    TForm1 form(shell);
    QVERIFY(zv::test::showActive(form));
    form.EditPass->setFocus();
    QCOMPARE(QApplication::focusWidget(), form.EditPass);
    const QList<QWidget*> order{form.EditPass2, form.ListBoxFile, form.CheckDir, form.CheckBox1,
                                form.EditPass};
    for (QWidget* expected : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), expected);
    }
}

void TestForm1::resizingMovesOnlyTheBackground() {
    FakeShell shell;
    TForm1 form(shell);
    QVERIFY(zv::test::showActive(form));
    QMap<QString, QRect> before;
    for (const char* name : kBackToFront) {
        before.insert(QString::fromLatin1(name),
                      form.findChild<QWidget*>(QString::fromLatin1(name))->geometry());
    }
    for (const QSize size : {QSize(820, 560), QSize(400, 300)}) {
        form.resize(size);
        QCOMPARE(form.Image1->geometry(), QRect(QPoint(0, 0), size));
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            if (it.key() != QStringLiteral("Image1")) {
                QCOMPARE(form.findChild<QWidget*>(it.key())->geometry(), it.value());
            }
        }
    }
}

void TestForm1::picturesComeFromTheArtwork() {
    // Each picture is drawn unscaled, so the artwork must be made at the
    // control's size (the raised contact icon has one spare row below).
    FakeShell shell;
    TForm1 form(shell);
    const std::pair<zv::app::PictureBox*, QString> pictures[] = {
        {form.Image1, ":/art/background.svg"},       {form.ImagADD, ":/art/encrypt_button.svg"},
        {form.ImageUbb, ":/art/decrypt_button.svg"}, {form.cxImage1, ":/art/about.svg"},
        {form.cxImage2, ":/art/close_mark.svg"},     {form.cxQQ1, ":/art/contact_icon.svg"},
        {form.cxQQ2, ":/art/contact_icon.svg"}};
    for (const auto& [picture, resource] : pictures) {
        QCOMPARE(picture->resource(), resource);
        const QSvgRenderer artwork(resource);
        QVERIFY2(artwork.isValid(), qPrintable(resource));
        const QSize expected = picture == form.cxQQ2 ? QSize(25, 25) : picture->size();
        QCOMPARE(artwork.defaultSize(), expected);
    }
    QVERIFY(QSvgRenderer(QStringLiteral(":/art/app_icon.svg")).isValid());
}

void TestForm1::clickableControlsAreNamedForScreenReaders() {
    // Pictures and hand-painted panels have no text of their own: assistive
    // technology must still read the words the user sees on them.
    FakeShell shell;
    TForm1 form(shell);
    const std::pair<QWidget*, QString> named[] = {
        {form.ImagADD, "加密文件"},
        {form.ImageUbb, "解密文件"},
        {form.cxLabel7, "关于此工具"},
        {form.cxLabelQQ, QString::fromUtf8(zv::app::about::kContactLine)},
        {form.RzPanel2, "文件"},
        {form.RzPanel3, "文件夹"},
        {form.RzPanel1, "移去"}};
    for (const auto& [control, name] : named) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
        QVERIFY2(face != nullptr, qPrintable(control->objectName()));
        QCOMPARE(face->text(QAccessible::Name), name);
    }
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
