# zv_core_library(name dir deps...): a static library from every .cpp in dir.
# Files ending in _posix.cpp build only on POSIX, files ending in _win.cpp only
# on Windows: that is how platform differences stay in one file each.
function(zv_core_library name)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(WIN32)
        list(FILTER sources EXCLUDE REGEX "_posix\\.cpp$")
    else()
        list(FILTER sources EXCLUDE REGEX "_win\\.cpp$")
    endif()
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARGN} PRIVATE zv_warnings)
endfunction()
