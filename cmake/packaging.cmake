# The Debian package `make package` builds: what goes into it beyond the program itself, and how
# CPack describes it. Its dependencies are worked out by dpkg-shlibdeps from the program.

include(GNUInstallDirs)

set(FOLIX_PACKAGE_ID "jp.morivane.folix")
set(FOLIX_MAINTAINER "Folix developers <folix@morivane.jp>")
set(FOLIX_GENERATED "${PROJECT_BINARY_DIR}/package-files")
file(MAKE_DIRECTORY "${FOLIX_GENERATED}")

# The version the build gives the program goes into the page, the metainfo and the changelog.
configure_file("${PROJECT_SOURCE_DIR}/res/folix.1" "${FOLIX_GENERATED}/folix.1" @ONLY)
configure_file("${PROJECT_SOURCE_DIR}/res/folix.metainfo.xml.in"
               "${FOLIX_GENERATED}/${FOLIX_PACKAGE_ID}.metainfo.xml" @ONLY)
configure_file("${PROJECT_SOURCE_DIR}/res/debian/changelog.in" "${FOLIX_GENERATED}/changelog"
               @ONLY)

# Debian keeps manual pages and changelogs compressed, without a time stamp in the header.
find_program(FOLIX_GZIP gzip REQUIRED)
set(FOLIX_COMPRESSED "${FOLIX_GENERATED}/folix.1.gz" "${FOLIX_GENERATED}/changelog.gz")
foreach(compressed ${FOLIX_COMPRESSED})
    string(REGEX REPLACE "\\.gz$" "" plain "${compressed}")
    add_custom_command(OUTPUT "${compressed}"
                       COMMAND "${FOLIX_GZIP}" -9 -n -c "${plain}" > "${compressed}"
                       DEPENDS "${plain}" VERBATIM)
endforeach()
add_custom_target(folix_package_files ALL DEPENDS ${FOLIX_COMPRESSED})

install(FILES "${FOLIX_GENERATED}/folix.1.gz" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES "${FOLIX_GENERATED}/${FOLIX_PACKAGE_ID}.metainfo.xml"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES "${PROJECT_SOURCE_DIR}/res/debian/copyright" "${FOLIX_GENERATED}/changelog.gz"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/folix)
foreach(size 16 24 32 48 128 256)
    install(FILES "${PROJECT_SOURCE_DIR}/res/icons/folix-${size}.png"
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME folix.png)
endforeach()
install(FILES "${PROJECT_SOURCE_DIR}/res/icons/folix.svg"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME folix)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "book authoring tool that publishes a folder of text as a web site")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A book is a folder: its sub-folders are chapters and its text files the text.
Folix shows the book's tree beside an editor (with vertical Japanese writing),
builds a static web site with a contents page and frames or one long text file
from it, and uploads the site by FTP, FTPS or SFTP. A command line does every
whole-book job without a window. The user interface is Japanese.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${FOLIX_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The e-book opens libzip when it makes the first zip, so no program names it for shlibdeps.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libzip4")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The Japanese glyphs the window and the vertical writing need.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk")
include(CPack)
