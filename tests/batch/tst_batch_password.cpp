#include <gtest/gtest.h>

#include "batch/batch_password.h"

namespace zv {
namespace {

TEST(BatchPassword, ConvertsToCp936OrRefuses) {
    EXPECT_EQ(batchPassword(""), "");
    EXPECT_EQ(batchPassword(" pass word "), " pass word ");
    EXPECT_EQ(batchPassword("密码"), "\xC3\xDC\xC2\xEB");
    EXPECT_EQ(batchPassword("tab\there"), std::nullopt);
    EXPECT_EQ(batchPassword("line\n"), std::nullopt);
    EXPECT_EQ(batchPassword("del\x7F"), std::nullopt);
    EXPECT_EQ(batchPassword("lock\xF0\x9F\x94\x92"), std::nullopt);  // no CP936 form
}

}  // namespace
}  // namespace zv
