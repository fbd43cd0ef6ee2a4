// The work behind the window: its message boxes, the busy panel, the hidden
// per-item actions on real files, and a window that will not close under them.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/form_texts.h"
#include "app/gradient_panel.h"
#include "app/input_blocker.h"
#include "app/qt_ui_port.h"
#include "batch/batch_messages.h"
#include "codec/codec_messages.h"
#include "fake_shell.h"
#include "form_access.h"
#include "modal_script.h"
#include "platform/path_pieces.h"
#include "platform/vault_names.h"

using zv::app::TForm1;
using zv::test::FakeShell;
using zv::test::ModalScript;

class TestActions : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void messageBoxes_data();
    void messageBoxes();
    void messageTextIsNeverMarkup();
    void busyPanelShowsProgress();
    void busyTextRounding_data();
    void busyTextRounding();
    void inputIsBlockedWhileBusy();
    void memoryActionsRoundTrip_data();
    void memoryActionsRoundTrip();
    void streamActionsRoundTrip();
    void refusalSetsNoticeShown();
    void passwordWithoutCp936FormIsRefused();
    void folderActionLocksThroughTheGuards();
    void closeWaitsForTheRunningAction();

  private:
    QString writeFile(const QString& name, const QByteArray& content);
    static QByteArray readFile(const QString& path);

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<FakeShell> shell;
    std::unique_ptr<TForm1> form;
};

void TestActions::init() {
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    shell = std::make_unique<FakeShell>();
    form = std::make_unique<TForm1>(*shell);
    QVERIFY(zv::test::showActive(*form));
}

void TestActions::cleanup() {
    form.reset();
    shell.reset();
    dir.reset();
}

QString TestActions::writeFile(const QString& name, const QByteArray& content) {
    const QString path = dir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        qFatal("cannot write the test file");
    }
    return path;
}

QByteArray TestActions::readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void TestActions::messageBoxes_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("press");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<int>("answer");
    const QStringList yesNo{QStringLiteral("是(&Y)"), QStringLiteral("否(&N)")};
    QTest::newRow("ok") << int(zv::Buttons::Ok) << int(QMessageBox::Ok) << int(QMessageBox::NoIcon)
                        << QStringList{QStringLiteral("确定")} << int(zv::Answer::Ok);
    QTest::newRow("yes") << int(zv::Buttons::YesNo) << int(QMessageBox::Yes)
                         << int(QMessageBox::Question) << yesNo << int(zv::Answer::Yes);
    QTest::newRow("no") << int(zv::Buttons::YesNo) << int(QMessageBox::No)
                        << int(QMessageBox::Question) << yesNo << int(zv::Answer::No);
}

void TestActions::messageBoxes() {
    QFETCH(int, buttons);
    QFETCH(int, press);
    QFETCH(int, icon);
    QFETCH(QStringList, captions);
    QFETCH(int, answer);
    ModalScript boxes({static_cast<QMessageBox::StandardButton>(press)});
    const zv::Answer got = form->ui().messageBox("真的要对报告.doc加密吗？", zv::kTitleWarning,
                                                 static_cast<zv::Buttons>(buttons));
    QCOMPARE(int(got), answer);
    QCOMPARE(boxes.seen.size(), 1u);
    QCOMPARE(boxes.seen[0].text, QStringLiteral("真的要对报告.doc加密吗？"));
    QCOMPARE(boxes.seen[0].title, QStringLiteral("警告"));
    QCOMPARE(int(boxes.seen[0].icon), icon);
    QCOMPARE(boxes.seen[0].buttons, captions);
}

void TestActions::messageTextIsNeverMarkup() {
    ModalScript boxes;
    form->ui().messageBox("<b>x</b>.txt,此文件已经加过密了!", zv::kTitleNotice, zv::Buttons::Ok);
    QCOMPARE(boxes.seen.size(), 1u);
    QCOMPARE(boxes.seen[0].text, QStringLiteral("<b>x</b>.txt,此文件已经加过密了!"));
    QCOMPARE(boxes.seen[0].format, Qt::PlainText);
}

void TestActions::busyPanelShowsProgress() {
    zv::UiPort& ui = form->ui();
    ui.showBusy();
    QVERIFY(form->Panel1->isVisible());
    QCOMPARE(form->Panel1->text(), QStringLiteral("正在处理中,请稍候．．．"));
    ui.progress(3 * 1024 * 1024, 8 * 1024 * 1024);
    QCOMPARE(form->Panel1->text(), QStringLiteral("正在处理中,请稍候．．． 37%"));
    // Reports in quick succession may be skipped, but never the last one.
    ui.progress(8 * 1024 * 1024, 8 * 1024 * 1024);
    QCOMPARE(form->Panel1->text(), QStringLiteral("正在处理中,请稍候．．． 100%"));
    ui.hideBusy();
    QVERIFY(form->Panel1->isHidden());
    QCOMPARE(form->Panel1->text(), QStringLiteral("正在处理中,请稍候．．．"));
}

void TestActions::busyTextRounding_data() {
    QTest::addColumn<qint64>("done");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<QString>("percent");
    QTest::newRow("start") << qint64(0) << qint64(100) << "0%";
    QTest::newRow("almost") << qint64(99) << qint64(100) << "99%";
    QTest::newRow("done") << qint64(100) << qint64(100) << "100%";
    QTest::newRow("beyond") << qint64(150) << qint64(100) << "100%";
    QTest::newRow("empty file") << qint64(0) << qint64(0) << "0%";
    QTest::newRow("huge") << qint64(5'000'000'000'000LL) << qint64(10'000'000'000'000LL) << "50%";
}

void TestActions::busyTextRounding() {
    QFETCH(qint64, done);
    QFETCH(qint64, total);
    QFETCH(QString, percent);
    QCOMPARE(zv::app::busyText(done, total),
             QString::fromUtf8(zv::app::texts::kBusy) + QLatin1Char(' ') + percent);
}

void TestActions::inputIsBlockedWhileBusy() {
    ModalScript boxes;
    zv::app::InputBlocker blocker(*form);
    blocker.start();
    QTest::mouseClick(form->RzPanel2, Qt::LeftButton);
    QTest::keyClicks(form->EditPass, QStringLiteral("typed"));
    // Message boxes opened meanwhile still take their answer.
    form->ui().messageBox("x", zv::kTitleNotice, zv::Buttons::Ok);
    blocker.stop();
    QCOMPARE(shell->filePicks, 0);
    QCOMPARE(form->EditPass->text(), QString());
    QCOMPARE(boxes.seen.size(), 1u);

    QTest::mouseClick(form->RzPanel2, Qt::LeftButton);
    QCOMPARE(shell->filePicks, 1);
}

void TestActions::memoryActionsRoundTrip_data() {
    QTest::addColumn<QString>("password");
    QTest::newRow("chinese") << QStringLiteral("密码Abc");
    QTest::newRow("empty") << QString();
}

void TestActions::memoryActionsRoundTrip() {
    QFETCH(QString, password);
    ModalScript boxes;
    const QByteArray original = QByteArray("plain text ") + QString::fromUtf8("与中文\n").toUtf8();
    const QString path = writeFile(QStringLiteral("笔记.txt"), original);
    form->EditPass->setText(password);
    form->CurrentItemPath = path;

    int busyShows = 0;
    struct ShowCounter : QObject {
        int& count;
        explicit ShowCounter(int& c) : count(c) {}
        bool eventFilter(QObject*, QEvent* e) override {
            count += e->type() == QEvent::Show;
            return false;
        }
    } counter(busyShows);
    form->Panel1->installEventFilter(&counter);

    form->Memory_add->click();
    const QByteArray encrypted = readFile(path);
    QVERIFY(encrypted.startsWith(":DN"));
    QVERIFY(encrypted != original);
    QCOMPARE(busyShows, 1);
    QVERIFY(form->Panel1->isHidden());

    form->Memory_sub->click();
    QCOMPARE(readFile(path), original);
    QCOMPARE(boxes.seen.size(), 0u);
    QVERIFY(!form->NoticeShown);
}

void TestActions::streamActionsRoundTrip() {
    ModalScript boxes;
    QByteArray original(3 * 1024 * 1024 + 17, '\0');
    for (qsizetype i = 0; i < original.size(); ++i) {
        original[i] = static_cast<char>((i * 131) % 251);
    }
    const QString path = writeFile(QStringLiteral("影片.bin"), original);
    form->EditPass->setText(QStringLiteral("口令"));
    form->CurrentItemPath = path;
    form->File_add->click();
    QVERIFY(readFile(path).startsWith(":DN"));
    form->File_sub->click();
    QCOMPARE(readFile(path), original);
    QCOMPARE(boxes.seen.size(), 0u);
    QVERIFY(form->Panel1->isHidden());
    // No aside copy is left behind.
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("影片.bin")});
}

void TestActions::refusalSetsNoticeShown() {
    ModalScript boxes;
    const QString path = writeFile(QStringLiteral("a.txt"), "content");
    form->CurrentItemPath = path;
    form->EditPass->setText(QStringLiteral("right"));
    form->Memory_add->click();
    const QByteArray encrypted = readFile(path);
    form->EditPass->setText(QStringLiteral("wrong"));
    form->Memory_sub->click();
    QCOMPARE(boxes.seen.size(), 1u);
    QCOMPARE(boxes.seen[0].text, QString::fromStdString(zv::msg::wrongPassword("a.txt")));
    QCOMPARE(boxes.seen[0].title, QStringLiteral("提示"));
    QCOMPARE(readFile(path), encrypted);
    QVERIFY(form->NoticeShown);
}

void TestActions::passwordWithoutCp936FormIsRefused() {
    ModalScript boxes;
    const QString path = writeFile(QStringLiteral("b.txt"), "content");
    form->CurrentItemPath = path;
    form->EditPass->setText(QStringLiteral("pw\U0001F600"));
    form->Memory_add->click();
    QCOMPARE(boxes.seen.size(), 1u);
    QCOMPARE(boxes.seen[0].text, QString::fromUtf8(zv::msg::kPasswordUnusable.data(),
                                                   zv::msg::kPasswordUnusable.size()));
    QCOMPARE(readFile(path), QByteArray("content"));
    QVERIFY(form->NoticeShown);
}

void TestActions::folderActionLocksThroughTheGuards() {
    ModalScript boxes;
    const QString folder = dir->filePath(QStringLiteral("私人"));
    QVERIFY(QDir().mkpath(folder));
    writeFile(QStringLiteral("私人/信.txt"), "letter");
    form->CurrentItemPath = folder;
    form->EditPass->setText(QStringLiteral("key"));
    form->But_bankAdd->click();
    QCOMPARE(boxes.seen.size(), 0u);
    const std::string vault = zv::vault::vaultPath(QFile::encodeName(dir->path()).toStdString());
    const QString locked = QFile::decodeName(
        QByteArray::fromStdString(zv::joinPath(zv::joinPath(vault, "私人"), "信.txt")));
    QCOMPARE(readFile(locked), QByteArray("letter"));
    QVERIFY(!QFile::exists(dir->filePath(QStringLiteral("私人/信.txt"))));

    // A decoy is refused by the guards instead of being locked in turn.
    form->CurrentItemPath = QFile::decodeName(
        QByteArray::fromStdString(zv::vault::decoyPath(QFile::encodeName(folder).toStdString())));
    form->But_bankAdd->click();
    QCOMPARE(boxes.seen.size(), 1u);
    QVERIFY(form->NoticeShown);
}

void TestActions::closeWaitsForTheRunningAction() {
    ModalScript boxes;
    const QString path = writeFile(QStringLiteral("c.txt"), "content");
    form->CurrentItemPath = path;
    form->Memory_add->click();
    // The second run refuses with a message; the user closes the window meanwhile.
    bool openWhileBusy = false;
    boxes.whileOpen = [&] {
        QVERIFY(form->busy());
        form->close();
        openWhileBusy = form->isVisible();
    };
    form->Memory_add->click();
    QCOMPARE(boxes.seen.size(), 1u);
    QVERIFY(openWhileBusy);
    QVERIFY(!form->busy());
    QCoreApplication::processEvents();
    QVERIFY(!form->isVisible());
}

QTEST_MAIN(TestActions)
#include "tst_actions.moc"
