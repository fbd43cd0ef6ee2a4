// The About panel: showing and hiding it, what stays usable, the hopping contact
// icon and the contact link.
#include <QCheckBox>
#include <QEnterEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "app/about_texts.h"
#include "app/gradient_panel.h"
#include "app/link_label.h"
#include "app/picture_box.h"
#include "fake_shell.h"
#include "form_access.h"
#include "modal_script.h"

using zv::app::TForm1;
using zv::test::FakeShell;
using zv::test::ModalScript;

class TestAboutPanel : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void linkShowsAndHidesThePanel();
    void closeMarkAndContactIconsClosePanel_data();
    void closeMarkAndContactIconsClosePanel();
    void panelSurvivesReactivationAndFolderPick();
    void contactIconHopsUnderThePointer();
    void contactLinkOpensInTheBrowser();
    void contactLinkThatCannotStartSaysSo();

  private:
    static QList<QWidget*> panelParts(TForm1& f) {
        return {f.cxImage1, f.Lab1, f.Lab2, f.Lab3, f.Lab4, f.cxImage2, f.cxLabelQQ, f.cxQQ1};
    }
    static QList<QWidget*> workingControls(TForm1& f) {
        return {f.ListBoxFile, f.RzPanel2,  f.RzPanel1, f.EditPass, f.EditPass2,
                f.CheckDir,    f.CheckBox1, f.ImagADD,  f.ImageUbb};
    }
    void verifyPanel(bool shown);

    std::unique_ptr<FakeShell> shell;
    std::unique_ptr<TForm1> form;
};

void TestAboutPanel::init() {
    shell = std::make_unique<FakeShell>();
    form = std::make_unique<TForm1>(*shell);
    QVERIFY(zv::test::showActive(*form));
}

void TestAboutPanel::cleanup() {
    form.reset();
    shell.reset();
}

void TestAboutPanel::verifyPanel(bool shown) {
    for (QWidget* part : panelParts(*form)) {
        QVERIFY2(part->isVisible() == shown, qPrintable(part->objectName()));
    }
    QCOMPARE(form->cxImage2->isEnabled(), shown);
    for (QWidget* control : workingControls(*form)) {
        QVERIFY2(control->isEnabled() == !shown, qPrintable(control->objectName()));
    }
    // The folder button stays usable either way.
    QVERIFY(form->RzPanel3->isEnabled());
    QVERIFY(form->cxQQ2->isHidden());
}

void TestAboutPanel::linkShowsAndHidesThePanel() {
    QTest::mouseClick(form->cxLabel7, Qt::LeftButton);
    verifyPanel(true);
    // Working controls really are out of reach: a click on the file button does nothing.
    QTest::mouseClick(form->RzPanel2, Qt::LeftButton);
    QCOMPARE(shell->filePicks, 0);
    QTest::mouseClick(form->cxLabel7, Qt::LeftButton);
    verifyPanel(false);
    QTest::mouseClick(form->RzPanel2, Qt::LeftButton);
    QCOMPARE(shell->filePicks, 1);
}

void TestAboutPanel::closeMarkAndContactIconsClosePanel_data() {
    QTest::addColumn<QString>("closer");
    QTest::newRow("close mark") << QStringLiteral("cxImage2");
    QTest::newRow("contact icon") << QStringLiteral("cxQQ1");
    QTest::newRow("raised contact icon") << QStringLiteral("cxQQ2");
}

void TestAboutPanel::closeMarkAndContactIconsClosePanel() {
    QFETCH(QString, closer);
    form->cxLabel7Click();
    auto* control = form->findChild<zv::app::PictureBox*>(closer);
    if (closer == QStringLiteral("cxQQ2")) {
        form->cxLabelQQMouseEnter();  // the raised icon shows only while hovering
    }
    QVERIFY(control->isVisible());
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(5, 5));
    for (QWidget* part : panelParts(*form)) {
        QVERIFY2(part->isHidden(), qPrintable(part->objectName()));
    }
    // The close mark is enabled again, ready for the next time the panel shows.
    QVERIFY(form->cxImage2->isEnabled());
    for (QWidget* control : workingControls(*form)) {
        QVERIFY(control->isEnabled());
    }
    // And the link opens it again.
    form->cxLabel7Click();
    QVERIFY(form->cxImage1->isVisible());
}

void TestAboutPanel::panelSurvivesReactivationAndFolderPick() {
    form->cxLabel7Click();
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(form.get(), &deactivate);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(form.get(), &activate);
    verifyPanel(true);

    shell->folders.push_back(QStringLiteral("/data/相册"));
    QTest::mouseClick(form->RzPanel3, Qt::LeftButton);
    QCOMPARE(shell->folderPicks, 1);
    QCOMPARE(form->ListBoxFile->count(), 1);
    verifyPanel(true);
}

void TestAboutPanel::contactIconHopsUnderThePointer() {
    form->cxLabel7Click();
    QCOMPARE(form->cxQQ2->y(), form->cxQQ1->y() - 5);
    const QPointF inside(5, 5);
    QEnterEvent enter(inside, inside, form->cxLabelQQ->mapToGlobal(inside));
    QApplication::sendEvent(form->cxLabelQQ, &enter);
    QVERIFY(form->cxQQ1->isHidden());
    QVERIFY(form->cxQQ2->isVisible());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(form->cxLabelQQ, &leave);
    QVERIFY(form->cxQQ1->isVisible());
    QVERIFY(form->cxQQ2->isHidden());

    // Once the panel is closed, a late leave does not bring an icon back.
    form->cxImage2Click();
    QApplication::sendEvent(form->cxLabelQQ, &leave);
    QVERIFY(form->cxQQ1->isHidden());
    QVERIFY(form->cxQQ2->isHidden());
}

void TestAboutPanel::contactLinkOpensInTheBrowser() {
    ModalScript boxes;
    form->cxLabel7Click();
    QTest::mouseClick(form->cxLabelQQ, Qt::LeftButton);
    QCOMPARE(shell->openedLinks, QStringList{QString::fromUtf8(zv::app::about::kContactUrl)});
    QCOMPARE(boxes.seen.size(), 0u);
    QVERIFY(form->cxImage1->isVisible());
}

void TestAboutPanel::contactLinkThatCannotStartSaysSo() {
    ModalScript boxes;
    shell->linkOpens = false;
    form->cxLabel7Click();
    QTest::mouseClick(form->cxLabelQQ, Qt::LeftButton);
    QCOMPARE(boxes.seen.size(), 1u);
    QCOMPARE(boxes.seen[0].text, QStringLiteral("连接失败,请检查你电脑中QQ软件或网络是否正常!"));
    QCOMPARE(boxes.seen[0].title, QStringLiteral("提示"));
    QCOMPARE(boxes.seen[0].icon, QMessageBox::NoIcon);
    QCOMPARE(boxes.seen[0].buttons, QStringList{QStringLiteral("确定")});
}

QTEST_MAIN(TestAboutPanel)
#include "tst_about_panel.moc"
