// The two picture buttons run the batches on the window's list and fields, and
// the window takes their outcome: focus, reset, and no input meanwhile.
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/picture_box.h"
#include "fake_shell.h"
#include "form_access.h"
#include "modal_script.h"

using zv::app::TForm1;
using zv::test::FakeShell;
using zv::test::ModalScript;

class TestBatches : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void encryptRunsAndResetsTheWindow();
    void encryptWithDifferentPasswordsFocusesTheSecondField();
    void encryptWithoutPasswordDeclinedFocusesTheFirstField();
    void decryptRunsAndKeepsCheckDir();
    void oneRefusedItemMarksNoticeShown();
    void closeDuringABatchWaitsForItsEnd();

  private:
    QString writeFile(const QString& name, const QByteArray& content);
    static QByteArray readFile(const QString& path);
    void fill(const QString& path, const QString& password, const QString& password2);

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<FakeShell> shell;
    std::unique_ptr<TForm1> form;
};

void TestBatches::init() {
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    shell = std::make_unique<FakeShell>();
    form = std::make_unique<TForm1>(*shell);
    QVERIFY(zv::test::showActive(*form));
}

void TestBatches::cleanup() {
    form.reset();
    shell.reset();
    dir.reset();
}

QString TestBatches::writeFile(const QString& name, const QByteArray& content) {
    const QString path = dir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        qFatal("cannot write the test file");
    }
    return path;
}

QByteArray TestBatches::readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void TestBatches::fill(const QString& path, const QString& password, const QString& password2) {
    form->appendItems({path});
    form->EditPass->setText(password);
    form->EditPass2->setText(password2);
}

void TestBatches::encryptRunsAndResetsTheWindow() {
    ModalScript boxes({QMessageBox::Yes});
    const QString path = writeFile(QStringLiteral("报告.doc"), "quarterly figures");
    shell->files.push_back(path);
    // With CheckDir ticked the pick only names the file; the list gets it by a drop.
    form->CheckDir->setChecked(true);
    QTest::mouseClick(form->RzPanel2, Qt::LeftButton);
    fill(path, QStringLiteral("密码"), QStringLiteral("密码"));
    QTest::mouseClick(form->ImagADD, Qt::LeftButton);

    QCOMPARE(boxes.seen.size(), 2u);
    QCOMPARE(boxes.seen[0].text, QStringLiteral("真的要对报告.doc加密吗？"));
    QCOMPARE(boxes.seen[0].icon, QMessageBox::Question);
    QCOMPARE(boxes.seen[1].text, QStringLiteral("加密完毕!"));
    QVERIFY(readFile(path).startsWith(":DN"));
    QCOMPARE(form->ListBoxFile->count(), 0);
    QVERIFY(form->EditPass->text().isEmpty());
    QVERIFY(form->EditPass2->text().isEmpty());
    QVERIFY(!form->CheckDir->isChecked());
    QVERIFY(form->Panel1->isHidden());
    QCOMPARE(form->LastPickName, QStringLiteral("报告.doc"));
}

void TestBatches::encryptWithDifferentPasswordsFocusesTheSecondField() {
    ModalScript boxes;
    const QString path = writeFile(QStringLiteral("a.txt"), "plain");
    fill(path, QStringLiteral("one"), QStringLiteral("two"));
    form->CheckDir->setChecked(true);
    form->EditPass->setFocus();
    QTest::mouseClick(form->ImagADD, Qt::LeftButton);
    QCOMPARE(boxes.seen.size(), 1u);
    QCOMPARE(boxes.seen[0].text, QStringLiteral("两次输入的密码不相同！"));
    QCOMPARE(form->focusWidget(), form->EditPass2);
    // An early end leaves everything for the user to correct.
    QCOMPARE(form->items(), QStringList{path});
    QCOMPARE(form->EditPass->text(), QStringLiteral("one"));
    QVERIFY(form->CheckDir->isChecked());
    QCOMPARE(readFile(path), QByteArray("plain"));
}

void TestBatches::encryptWithoutPasswordDeclinedFocusesTheFirstField() {
    ModalScript boxes({QMessageBox::No});
    const QString path = writeFile(QStringLiteral("a.txt"), "plain");
    fill(path, QString(), QStringLiteral("typed"));
    form->EditPass2->setFocus();
    QTest::mouseClick(form->ImagADD, Qt::LeftButton);
    QCOMPARE(boxes.seen.size(), 1u);
    QCOMPARE(boxes.seen[0].text, QStringLiteral("确实不需加密密码吗？"));
    QCOMPARE(form->focusWidget(), form->EditPass);
    QCOMPARE(form->items(), QStringList{path});
    QCOMPARE(form->EditPass2->text(), QStringLiteral("typed"));
}

void TestBatches::decryptRunsAndKeepsCheckDir() {
    ModalScript boxes({QMessageBox::Yes});
    const QString path = writeFile(QStringLiteral("b.txt"), "secret content");
    form->CurrentItemPath = path;
    form->EditPass->setText(QStringLiteral("pw"));
    form->Memory_add->click();
    QVERIFY(readFile(path).startsWith(":DN"));

    fill(path, QStringLiteral("pw"), QString());
    form->CheckDir->setChecked(true);
    QTest::mouseClick(form->ImageUbb, Qt::LeftButton);
    QCOMPARE(boxes.seen.size(), 2u);
    QCOMPARE(boxes.seen[0].text, QStringLiteral("真的要进行解密吗？"));
    QCOMPARE(boxes.seen[1].text, QStringLiteral("解密完毕!"));
    QCOMPARE(readFile(path), QByteArray("secret content"));
    QCOMPARE(form->ListBoxFile->count(), 0);
    QVERIFY(form->EditPass->text().isEmpty());
    QVERIFY(form->CheckDir->isChecked());
}

void TestBatches::oneRefusedItemMarksNoticeShown() {
    ModalScript boxes({QMessageBox::Yes});
    const QString path = writeFile(QStringLiteral("plain.txt"), "never encrypted");
    fill(path, QString(), QString());
    QTest::mouseClick(form->ImageUbb, Qt::LeftButton);
    QCOMPARE(boxes.seen.size(), 2u);  // the question and the refusal, no completion
    QVERIFY(boxes.seen[1].text.contains(QStringLiteral("尚未加过密")));
    QVERIFY(form->NoticeShown);
    QCOMPARE(form->ListBoxFile->count(), 0);
}

void TestBatches::closeDuringABatchWaitsForItsEnd() {
    ModalScript boxes({QMessageBox::Yes});
    const QString path = writeFile(QStringLiteral("c.txt"), "to be encrypted");
    fill(path, QStringLiteral("pw"), QStringLiteral("pw"));
    bool openWhileBusy = false;
    boxes.whileOpen = [&] {
        if (boxes.seen.size() == 1) {  // at the confirmation question
            form->close();
            openWhileBusy = form->isVisible();
        }
    };
    QTest::mouseClick(form->ImagADD, Qt::LeftButton);
    QVERIFY(openWhileBusy);
    // The batch went on to its end before the window closed.
    QVERIFY(readFile(path).startsWith(":DN"));
    QCOMPARE(boxes.seen.back().text, QStringLiteral("加密完毕!"));
    QCoreApplication::processEvents();
    QVERIFY(!form->isVisible());
}

QTEST_MAIN(TestBatches)
#include "tst_batches.moc"
