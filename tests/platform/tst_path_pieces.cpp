#include <gtest/gtest.h>

#include "platform/path_pieces.h"

namespace zv {
namespace {

TEST(PathPieces, Table) {
    struct Case {
        const char* path;
        const char* folder;
        const char* folderSep;
        const char* name;
        const char* base;
    };
    const Case cases[] = {
        {"/data/film.avi", "/data", "/data/", "film.avi", "film"},
        {"/x", "/", "/", "x", "x"},
        {"/data/archive.tar.gz", "/data", "/data/", "archive.tar.gz", "archive.tar"},
        {"/data/noext", "/data", "/data/", "noext", "noext"},
        {"/data/.hidden", "/data", "/data/", ".hidden", ""},
        {"/data/secret.", "/data", "/data/", "secret.", "secret"},
        {"relative", "", "", "relative", "relative"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(folderOf(c.path), c.folder);
        EXPECT_EQ(folderWithSeparator(c.path), c.folderSep);
        EXPECT_EQ(nameOf(c.path), c.name);
        EXPECT_EQ(baseNameOf(c.path), c.base);
    }
}

TEST(PathPieces, JoinDoesNotDoubleTheRootSeparator) {
    EXPECT_EQ(joinPath("/", "x"), "/x");
    EXPECT_EQ(joinPath("/data", "x"), "/data/x");
    EXPECT_EQ(joinPath("/data/", "x"), "/data/x");
}

}  // namespace
}  // namespace zv
