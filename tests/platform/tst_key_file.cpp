#include <sys/stat.h>

#include <gtest/gtest.h>

#include "platform/code_page.h"
#include "platform/key_file.h"
#include "support/file_helpers.h"
#include "support/temp_dir.h"

namespace zv {
namespace {

using test::listFolder;
using test::readFile;
using test::writeFile;

std::string cp936(const char* utf8) {
    return utf8ToCp936(utf8).value();
}

TEST(KeyFile, WritesQuotedValueUnderSectionKey) {
    test::TempDir dir;
    ASSERT_TRUE(keyfile::write(dir / "IniKey", "abc"));
    EXPECT_EQ(readFile(dir / "IniKey"), "[key]\r\npass=\"abc\"\r\n");
    // Owner-only: the file holds a password in plain text.
    struct stat st {};
    ASSERT_EQ(::stat((dir / "IniKey").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_EQ(listFolder(dir.path()), std::vector<std::string>{"IniKey"});
}

TEST(KeyFile, PasswordsRoundTripUnchanged) {
    const std::string passwords[] = {
        "",     "pw", cp936("中文密码"), "  padded  ", "\"quoted\"", "'single'", " \"' mixed '\" ",
        "a\"b", "\"", "x=y[z]",          "\t",
    };
    for (const std::string& password : passwords) {
        SCOPED_TRACE(password);
        test::TempDir dir;
        ASSERT_TRUE(keyfile::write(dir / "IniKey", password));
        EXPECT_EQ(readFile(dir / "IniKey"), "[key]\r\npass=\"" + password + "\"\r\n");
        EXPECT_EQ(keyfile::readPassword(dir / "IniKey"), password);
    }
}

TEST(KeyFile, ReadsFilesWrittenByOtherProgramsAsWindowsDoes) {
    struct Case {
        const char* text;
        const char* password;
    };
    const Case cases[] = {
        {"[key]\r\npass=abc\r\n", "abc"},
        {"[key]\npass=abc", "abc"},
        {"[key]\rpass=abc\r", "abc"},
        {"[key]\r\npass=  abc \t\r\n", "abc"},
        {"  [ KEY ]  \r\n  PASS  =\"abc\"\r\n", "abc"},
        {"[key]\r\npass='abc'\r\n", "abc"},
        {"[key]\r\npass=\"abc'\r\n", "\"abc'"},
        {"[key]\r\npass=\"\"\"\"\r\n", "\"\""},
        {"[key]\r\npass=\r\n", ""},
        {"[key]\r\npass=a=b\r\n", "a=b"},
        {"[key]\r\npass=first\r\npass=second\r\n", "first"},
        {"[other]\r\npass=no\r\n[key]\r\npass=yes\r\n", "yes"},
        {"[key]\r\nother=no\r\n[other]\r\npass=no\r\n", ""},
        {"pass=outside\r\n", ""},
        {"[key\r\npass=broken header\r\n", ""},
        {"[key]\r\npassword=no\r\n", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(keyfile::parse(c.text), c.password);
    }
}

TEST(KeyFile, MissingFileReadsEmptyUnreadableOneFails) {
    test::TempDir dir;
    EXPECT_EQ(keyfile::readPassword(dir / "IniKey"), std::string());
    ASSERT_EQ(::mkdir((dir / "folder").c_str(), 0700), 0);
    EXPECT_EQ(keyfile::readPassword(dir / "folder"), std::nullopt);
}

TEST(KeyFile, RefusesPasswordsOneLineCannotHoldAndLeavesNothing) {
    for (const std::string& password :
         {std::string("a\nb"), std::string("a\rb"), std::string("a\0b", 3)}) {
        test::TempDir dir;
        EXPECT_FALSE(keyfile::canStore(password));
        EXPECT_FALSE(keyfile::write(dir / "IniKey", password));
        EXPECT_TRUE(listFolder(dir.path()).empty());
    }
    EXPECT_TRUE(keyfile::canStore(cp936("密码")));
}

TEST(KeyFile, WriteIntoAMissingFolderFailsAndCreatesNothing) {
    test::TempDir dir;
    EXPECT_FALSE(keyfile::write(dir / "missing/IniKey", "pw"));
    EXPECT_TRUE(listFolder(dir.path()).empty());
}

TEST(KeyFile, WriteReplacesAWholeFile) {
    test::TempDir dir;
    writeFile(dir / "IniKey", "[key]\r\npass=\"a much longer old password\"\r\n");
    ASSERT_TRUE(keyfile::write(dir / "IniKey", "new"));
    EXPECT_EQ(keyfile::readPassword(dir / "IniKey"), "new");
    EXPECT_EQ(listFolder(dir.path()), std::vector<std::string>{"IniKey"});
}

}  // namespace
}  // namespace zv
