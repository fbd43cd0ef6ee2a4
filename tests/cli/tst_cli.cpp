#include <gtest/gtest.h>

#include "codec/format.h"
#include "support/file_helpers.h"
#include "support/process.h"
#include "support/temp_dir.h"

namespace zv {
namespace {

using test::readFile;
using test::runProcess;
using test::writeFile;

test::ProcessResult cli(std::vector<std::string> args, const std::string& input = {}) {
    args.insert(args.begin(), ZVCRYPT_CLI);
    return runProcess(args, input);
}

TEST(Cli, HelpVersionAndUsageErrors) {
    const auto help = cli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("zvcrypt-cli encrypt|decrypt"), std::string::npos);
    const auto version = cli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "zvcrypt-cli 3.0.0\n");

    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"encrypt"},
        {"shred", "x"},
        {"encrypt", "--bogus", "x"},
        {"encrypt", "--password-file"},
        {"encrypt", "--no-password", "--password-file", "-", "x"},
    };
    for (const auto& args : wrong) {
        const auto r = cli(args);
        EXPECT_EQ(r.exitCode, 2) << r.err;
        EXPECT_NE(r.err.find("Usage"), std::string::npos);
    }
}

TEST(Cli, RoundTripWithAChinesePasswordFromStandardInput) {
    test::TempDir dir;
    const std::string file = dir / "notes.txt";
    writeFile(file, "plain text");

    const auto enc = cli({"encrypt", "--yes", "--password-file", "-", file}, "密码\n");
    EXPECT_EQ(enc.exitCode, 0) << enc.err;
    EXPECT_EQ(enc.err, "提示: 真的要对notes.txt加密吗？\n提示: 加密完毕!\n");
    EXPECT_EQ(readFile(file).substr(0, 9), format::header("\xC3\xDC\xC2\xEB"));

    writeFile(dir / "pw", "密码\r\nignored second line");
    const auto dec = cli({"decrypt", "-y", "--password-file", dir / "pw", file});
    EXPECT_EQ(dec.exitCode, 0) << dec.err;
    EXPECT_EQ(dec.err, "提示: 真的要进行解密吗？\n提示: 解密完毕!\n");
    EXPECT_EQ(readFile(file), "plain text");
}

TEST(Cli, ExitStatusTellsWhatHappened) {
    test::TempDir dir;
    const std::string file = dir / "a.txt";
    writeFile(file, "plain");

    // Without a terminal, questions are answered No: nothing happens.
    auto r = cli({"encrypt", "--no-password", file});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "提示: 确实不需加密密码吗？\n");
    EXPECT_EQ(readFile(file), "plain");

    // Without a terminal and without a password option there is nobody to ask.
    r = cli({"encrypt", "--yes", file});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("--password-file"), std::string::npos);

    // A refused item.
    r = cli({"decrypt", "--yes", "--no-password", file});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("不能解密: “a.txt”，此文件尚未加过密,因此无需解密!\n"), std::string::npos);

    // Done.
    r = cli({"encrypt", "--yes", "--no-password", file});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(readFile(file).substr(0, 3), ":DN");

    // One of two items refused.
    r = cli({"encrypt", "--yes", "--no-password", file, file});
    EXPECT_EQ(r.exitCode, 1);
}

}  // namespace
}  // namespace zv
