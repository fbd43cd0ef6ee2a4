# Project-wide warning flags, applied through an interface target so that
# third-party code (GoogleTest, Qt's generated sources) is not affected.
add_library(zv_warnings INTERFACE)
target_compile_options(zv_warnings INTERFACE -Wall -Wextra -Wpedantic)
if(ZV_WERROR)
    target_compile_options(zv_warnings INTERFACE -Werror)
endif()
