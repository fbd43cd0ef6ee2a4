// The item list: file and folder pickers, removing, drops, and LastPickName.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QTest>

#include "app/gradient_panel.h"
#include "fake_shell.h"
#include "form_access.h"

using zv::app::TForm1;
using zv::test::FakeShell;

class TestItemList : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void filePickAppendsEvenANameThatDoesNotExist();
    void filePickWithCheckDirTickedOnlyRemembersTheName();
    void cancelledPicksChangeNothing();
    void folderPickAppendsAsReturned();
    void folderPickOfBlanksAddsNothing();
    void duplicatesAreKept();
    void removeTakesEverySelectedItem();
    void removeWithNothingSelectedDoesNothing();
    void dropAppendsLocalPathsInOrder();
    void dropOnAPasswordFieldGoesToTheList();

  private:
    void drop(QWidget* target, const QList<QUrl>& urls);

    std::unique_ptr<FakeShell> shell;
    std::unique_ptr<TForm1> form;
};

void TestItemList::init() {
    shell = std::make_unique<FakeShell>();
    form = std::make_unique<TForm1>(*shell);
    QVERIFY(zv::test::showActive(*form));
}

void TestItemList::cleanup() {
    form.reset();
    shell.reset();
}

void TestItemList::drop(QWidget* target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPointF where(target->width() / 2.0, target->height() / 2.0);
    QWidget* receiver = target;
    while (!receiver->acceptDrops()) {
        receiver = receiver->parentWidget();
    }
    const QPointF at = target->mapTo(receiver, where);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(receiver, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(receiver, &dropped);
}

void TestItemList::filePickAppendsEvenANameThatDoesNotExist() {
    form->ListBoxFile->addItem(QStringLiteral("/first"));
    shell->files.push_back(QStringLiteral("/no/such/folder/新建文档.txt"));
    QTest::mouseClick(form->RzPanel2, Qt::LeftButton);
    QCOMPARE(form->items(), (QStringList{QStringLiteral("/first"),
                                         QStringLiteral("/no/such/folder/新建文档.txt")}));
    QCOMPARE(form->LastPickName, QStringLiteral("新建文档.txt"));
}

void TestItemList::filePickWithCheckDirTickedOnlyRemembersTheName() {
    form->CheckDir->setChecked(true);
    shell->files.push_back(QStringLiteral("/home/me/报告.doc"));
    QTest::mouseClick(form->RzPanel2, Qt::LeftButton);
    QCOMPARE(shell->filePicks, 1);
    QCOMPARE(form->ListBoxFile->count(), 0);
    QCOMPARE(form->LastPickName, QStringLiteral("报告.doc"));
}

void TestItemList::cancelledPicksChangeNothing() {
    form->LastPickName = QStringLiteral("earlier");
    shell->files.push_back(std::nullopt);
    shell->folders.push_back(std::nullopt);
    QTest::mouseClick(form->RzPanel2, Qt::LeftButton);
    QTest::mouseClick(form->RzPanel3, Qt::LeftButton);
    QCOMPARE(shell->filePicks, 1);
    QCOMPARE(shell->folderPicks, 1);
    QCOMPARE(form->ListBoxFile->count(), 0);
    QCOMPARE(form->LastPickName, QStringLiteral("earlier"));
}

void TestItemList::folderPickAppendsAsReturned() {
    // Blanks at the ends are kept: the path is taken as the dialog gave it.
    shell->folders.push_back(QStringLiteral("/data/照片 "));
    QTest::mouseClick(form->RzPanel3, Qt::LeftButton);
    QCOMPARE(form->items(), QStringList{QStringLiteral("/data/照片 ")});
    QCOMPARE(form->LastPickName, QStringLiteral("照片 "));
}

void TestItemList::folderPickOfBlanksAddsNothing() {
    form->LastPickName = QStringLiteral("earlier");
    shell->folders.push_back(QStringLiteral("  \t "));
    QTest::mouseClick(form->RzPanel3, Qt::LeftButton);
    QCOMPARE(shell->folderPicks, 1);
    QCOMPARE(form->ListBoxFile->count(), 0);
    QCOMPARE(form->LastPickName, QStringLiteral("earlier"));
}

void TestItemList::duplicatesAreKept() {
    shell->files = {QStringLiteral("/a/same.txt"), QStringLiteral("/a/same.txt")};
    QTest::mouseClick(form->RzPanel2, Qt::LeftButton);
    QTest::mouseClick(form->RzPanel2, Qt::LeftButton);
    QCOMPARE(form->items(),
             (QStringList{QStringLiteral("/a/same.txt"), QStringLiteral("/a/same.txt")}));
}

void TestItemList::removeTakesEverySelectedItem() {
    form->appendItems({"/p0", "/p1", "/p2", "/p3", "/p4"});
    form->ListBoxFile->item(1)->setSelected(true);
    form->ListBoxFile->item(3)->setSelected(true);
    form->ListBoxFile->item(4)->setSelected(true);
    QTest::mouseClick(form->RzPanel1, Qt::LeftButton);
    QCOMPARE(form->items(), (QStringList{"/p0", "/p2"}));
}

void TestItemList::removeWithNothingSelectedDoesNothing() {
    form->appendItems({"/p0", "/p1"});
    form->ListBoxFile->clearSelection();
    QTest::mouseClick(form->RzPanel1, Qt::LeftButton);
    QCOMPARE(form->items(), (QStringList{"/p0", "/p1"}));
}

void TestItemList::dropAppendsLocalPathsInOrder() {
    form->LastPickName = QStringLiteral("picked");
    form->appendItems({"/already"});
    drop(form->ListBoxFile,
         {QUrl::fromLocalFile("/z/最后.txt"), QUrl::fromLocalFile("/a/folder/"),
          QUrl(QStringLiteral("https://example.org/x")), QUrl::fromLocalFile("/m/middle")});
    QCOMPARE(form->items(), (QStringList{"/already", "/z/最后.txt", "/a/folder", "/m/middle"}));
    // Dropping is not picking.
    QCOMPARE(form->LastPickName, QStringLiteral("picked"));
}

void TestItemList::dropOnAPasswordFieldGoesToTheList() {
    form->EditPass->setText(QStringLiteral("secret"));
    drop(form->EditPass, {QUrl::fromLocalFile("/x/y.txt")});
    QCOMPARE(form->items(), QStringList{"/x/y.txt"});
    QCOMPARE(form->EditPass->text(), QStringLiteral("secret"));
}

QTEST_MAIN(TestItemList)
#include "tst_item_list.moc"
