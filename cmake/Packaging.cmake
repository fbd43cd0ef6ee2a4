# What `cmake --install` puts where, and the packages CPack makes from it: a
# .deb on Linux, a .zip for Windows. Included after src/, so the programs exist.
include(GNUInstallDirs)

set(zv_linux_dist ${PROJECT_SOURCE_DIR}/dist/linux)
# The AppStream id follows the project's web address; change both together.
set(zv_appstream_id org.example.zvcrypt)

# Windows users unpack a folder and find the programs at its top.
if(WIN32)
    set(zv_bin_dir .)
    set(zv_doc_dir .)
else()
    set(zv_bin_dir ${CMAKE_INSTALL_BINDIR})
    set(zv_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/zvcrypt)
endif()

foreach(program zvcrypt zvcrypt-cli)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${zv_bin_dir})
    endif()
endforeach()

if(WIN32)
    install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${zv_doc_dir})
else()
    # Debian looks for the licence under this name.
    install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${zv_doc_dir} RENAME copyright)
endif()

if(UNIX AND NOT APPLE)
    # The man page, compressed as Debian keeps them.
    set(man_page ${CMAKE_BINARY_DIR}/dist/zvcrypt-cli.1)
    add_custom_command(
        OUTPUT ${man_page}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${zv_linux_dist}/zvcrypt-cli.1 ${man_page}
        COMMAND gzip -9nf ${man_page}
        DEPENDS ${zv_linux_dist}/zvcrypt-cli.1
        COMMENT "Compressing the zvcrypt-cli man page"
        VERBATIM)
    add_custom_target(zv_man_page ALL DEPENDS ${man_page}.gz)
    install(FILES ${man_page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

if(UNIX AND NOT APPLE AND TARGET zvcrypt)
    install(FILES ${zv_linux_dist}/zvcrypt.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${zv_linux_dist}/${zv_appstream_id}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

    # The icon: the SVG as it is, and PNGs rendered from it for the sizes
    # desktops ask for.
    set(icon_svg ${PROJECT_SOURCE_DIR}/assets/app_icon.svg)
    set(hicolor ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
    install(FILES ${icon_svg} DESTINATION ${hicolor}/scalable/apps RENAME zvcrypt.svg)
    find_program(ZV_RSVG_CONVERT rsvg-convert)
    if(ZV_RSVG_CONVERT)
        set(icon_pngs)
        foreach(size 16 24 32 48 64 128 256)
            set(png ${CMAKE_BINARY_DIR}/dist/icons/${size}x${size}/zvcrypt.png)
            add_custom_command(
                OUTPUT ${png}
                COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/dist/icons/${size}x${size}
                COMMAND ${ZV_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${icon_svg}
                DEPENDS ${icon_svg}
                VERBATIM)
            list(APPEND icon_pngs ${png})
            install(FILES ${png} DESTINATION ${hicolor}/${size}x${size}/apps)
        endforeach()
        add_custom_target(zv_icons ALL DEPENDS ${icon_pngs})
    else()
        message(WARNING "rsvg-convert (package librsvg2-bin) is missing: the icon is installed "
                        "as SVG only. Run scripts/install-deps.")
    endif()
endif()

# Packages.
set(CPACK_PACKAGE_NAME zvcrypt)
set(CPACK_PACKAGE_VENDOR "ZV文件加密工具 developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "ZV文件加密工具: hide files and folders behind a password (not strong encryption)")
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop window (zvcrypt) and a command-line program (zvcrypt-cli) that
rewrite files in place behind a password and lock folders by moving them out
of sight. The transform is not cryptography: anyone who knows the file format
can undo it, and a locked folder keeps its password in plain text.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_SYSTEM_NAME windows-x64)
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "ZV文件加密工具 developers <zvcrypt@example.org>")
    set(CPACK_DEBIAN_PACKAGE_SECTION utils)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    # The libraries the programs link come from dpkg-shlibdeps; what they only
    # load or run is named here. The folder lock asks xdg-user-dir for the
    # desktop it must never move.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "xdg-user-dirs")
    if(TARGET zvcrypt)
        # Qt's platform plugins (xcb, wayland) and a font for the Chinese texts.
        string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", qt6-qpa-plugins")
        set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk")
    endif()
endif()

include(CPack)
