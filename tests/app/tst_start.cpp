// Start-up: what happens without a display, and paths on the command line.
#include <QDir>
#include <QListWidget>
#include <QTest>
#include <map>
#include <string>

#include "app/command_line.h"
#include "app/display_check.h"
#include "fake_shell.h"
#include "form_access.h"

using Env = std::map<std::string, std::string>;
Q_DECLARE_METATYPE(Env)

class TestStart : public QObject {
    Q_OBJECT
  private slots:
    void displayCheck_data();
    void displayCheck();
    void commandLinePathsBecomeFullItemPaths();
    void commandLinePathsLandInTheListInOrder();
};

void TestStart::displayCheck_data() {
    QTest::addColumn<Env>("env");
    QTest::addColumn<bool>("canStart");
    QTest::newRow("nothing") << Env{} << false;
    QTest::newRow("empty DISPLAY") << Env{{"DISPLAY", ""}} << false;
    QTest::newRow("X11") << Env{{"DISPLAY", ":0"}} << true;
    QTest::newRow("Wayland") << Env{{"WAYLAND_DISPLAY", "wayland-0"}} << true;
    QTest::newRow("platform chosen") << Env{{"QT_QPA_PLATFORM", "offscreen"}} << true;
    QTest::newRow("unrelated") << Env{{"HOME", "/root"}, {"TERM", "xterm"}} << false;
}

void TestStart::displayCheck() {
    QFETCH(Env, env);
    QFETCH(bool, canStart);
    const auto line = zv::app::noDisplayMessage([&](const char* name) -> const char* {
        const auto found = env.find(name);
        return found == env.end() ? nullptr : found->second.c_str();
    });
    QCOMPARE(!line.has_value(), canStart);
    if (line) {
        QVERIFY(line->find('\n') == std::string::npos);
        QVERIFY(line->find("scripts/screenshot") != std::string::npos);
    }
}

void TestStart::commandLinePathsBecomeFullItemPaths() {
    const QStringList paths = zv::app::pathsFromArguments(
        {"/abs/文档.txt", "rel/sub/", "./here.bin", "file:///from/url%20name", "", "../up"},
        "/work/dir");
    QCOMPARE(paths, (QStringList{"/abs/文档.txt", "/work/dir/rel/sub", "/work/dir/here.bin",
                                 "/from/url name", "/work/up"}));
}

void TestStart::commandLinePathsLandInTheListInOrder() {
    zv::test::FakeShell shell;
    zv::app::TForm1 form(shell);
    form.appendItems(zv::app::pathsFromArguments({"b", "/a", "c"}, "/w"));
    QCOMPARE(form.items(), (QStringList{"/w/b", "/a", "/w/c"}));
    QVERIFY(form.LastPickName.isEmpty());
}

QTEST_MAIN(TestStart)
#include "tst_start.moc"
