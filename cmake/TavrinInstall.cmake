# `cmake --install` on Linux and the Debian package made from it by CPack (scripts/package
# deb). The Windows programs are packaged by scripts/package windows instead.
include(GNUInstallDirs)

tavrin_read_version_value(CompanyName tavrin_company)
tavrin_read_version_value(CONTACT_MAIL tavrin_mail)
tavrin_read_version_value(HOME_PAGE tavrin_home_page)
set(TAVRIN_MAINTAINER "${tavrin_company} <${tavrin_mail}>")

install(TARGETS tavrin-cli RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
if(TARGET tavrin)
    install(TARGETS tavrin RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
    install(FILES res/tavrin.desktop DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
    foreach(size IN ITEMS 16 32 48 256)
        install(FILES "res/icons/tavrin-${size}.png"
                DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps"
                RENAME tavrin.png)
    endforeach()
endif()

# The examples are read-only for their users: a template set is copied and then changed.
install(DIRECTORY examples/ DESTINATION "${CMAKE_INSTALL_DATADIR}/tavrin/examples"
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

# Manual pages and the Debian changelog compressed as Debian wants them: gzip -9, without a
# name or time stamp, so that the same sources give the same package.
set(tavrin_gzipped "")
function(tavrin_install_gzipped source destination name)
    set(text "${PROJECT_BINARY_DIR}/install/${name}")
    configure_file("${source}" "${text}" @ONLY)
    add_custom_command(OUTPUT "${text}.gz"
                       COMMAND gzip -9nkf "${text}"
                       DEPENDS "${text}"
                       VERBATIM)
    install(FILES "${text}.gz" DESTINATION "${destination}")
    set(tavrin_gzipped ${tavrin_gzipped} "${text}.gz" PARENT_SCOPE)
endfunction()
set(VERSION "${PROJECT_VERSION}")
# The pages in English, and in Japanese where man looks first under a Japanese locale.
set(tavrin_pages tavrin-cli)
if(TARGET tavrin)
    list(APPEND tavrin_pages tavrin)
endif()
foreach(page IN LISTS tavrin_pages)
    tavrin_install_gzipped(docs/man/${page}.1 "${CMAKE_INSTALL_MANDIR}/man1" ${page}.1)
    tavrin_install_gzipped(docs/man/ja/${page}.1 "${CMAKE_INSTALL_MANDIR}/ja/man1" ja/${page}.1)
endforeach()
tavrin_install_gzipped(res/debian/changelog.in "${CMAKE_INSTALL_DOCDIR}" changelog)
add_custom_target(tavrin_install_files ALL DEPENDS ${tavrin_gzipped})

install(FILES README.md res/debian/copyright DESTINATION "${CMAKE_INSTALL_DOCDIR}")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavrin)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "${tavrin_company}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "C++ class files from templates, for dialog-based applications")
# The extended description; CPack puts the summary line above it. One string: a list would
# lose its semicolons.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "\
Tavrin writes the header and source file of a new C++ class from a
template: pick a template, enter a base and a derived class name, an
output folder and, where the template asks, a dialog resource ID picked
from a resource script, and Tavrin replaces the template's keywords and
writes both files. Its interface is Japanese. The files it reads and
writes are code page 932 (Shift-JIS), or Unicode with a byte order mark.
.
The package holds the dialog tavrin, the command-line front end
tavrin-cli and a set of example templates.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TAVRIN_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${tavrin_home_page}")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}/package")
include(CPack)
