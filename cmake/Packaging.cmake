# Installation under the prefix and the Debian package built from it with cpack.
# Only the program, its manual page, desktop files and licence are installed: the libraries
# are static parts of the program, and tests and benchmarks stay in the build tree.
include(GNUInstallDirs)

set(GLYPHORA_APP_ID org.example.Glyphora)

install(TARGETS glyphora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS glyphora_window LIBRARY DESTINATION ${GLYPHORA_WINDOW_MODULE_DIR})
install(FILES packaging/${GLYPHORA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/${GLYPHORA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The window's face, drawn by app/resources/make_icon.py, named after the app id so the
# desktop entry and the running window find the same icon.
foreach(size 16 24 32 48 64 128 256)
  install(FILES app/resources/glyphora-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${GLYPHORA_APP_ID}.png)
endforeach()
install(FILES app/resources/glyphora.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${GLYPHORA_APP_ID}.svg)

# The manual page and the Debian changelog ship compressed. gzip -n leaves the name and time
# out of the header, so the same source always gives the same bytes.
find_program(GLYPHORA_GZIP gzip REQUIRED)
set(GLYPHORA_COMPRESSED_DOCS)
foreach(doc glyphora.1 changelog.Debian)
  add_custom_command(
    OUTPUT ${PROJECT_BINARY_DIR}/${doc}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/${doc} ${doc}
    COMMAND ${GLYPHORA_GZIP} -9nf ${doc}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${doc}
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    COMMENT "Compressing ${doc}"
    VERBATIM)
  list(APPEND GLYPHORA_COMPRESSED_DOCS ${PROJECT_BINARY_DIR}/${doc}.gz)
endforeach()
add_custom_target(glyphora_docs ALL DEPENDS ${GLYPHORA_COMPRESSED_DOCS})
# Installing the program needs them, so building just the program makes them too.
add_dependencies(glyphora glyphora_docs)
install(FILES ${PROJECT_BINARY_DIR}/glyphora.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# Debian's names and place: the package's own folder, not CMake's DOCDIR (named after the
# project, with a capital).
install(FILES packaging/copyright ${PROJECT_BINARY_DIR}/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/glyphora)
# The lintian tags that do not apply to this package, each with its reason.
install(FILES packaging/glyphora.lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME glyphora)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME glyphora)
set(CPACK_PACKAGE_VENDOR Verot)
set(CPACK_PACKAGE_CONTACT "Verot <verot@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# One list item per line of the control file's long description: Debian wants them at most
# 80 columns wide, and CPack keeps the lines as given.
set(CPACK_PACKAGE_DESCRIPTION
    "A small desktop helper for people who write chat messages and e-mails: a"
    "catalogue of 205 text emoticons, a row of picture faces, a list of 114 chat"
    "acronyms and a playful English-to-slang word translator with message files.")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://example.org/glyphora)
# dpkg-shlibdeps names the Qt, C++ and C libraries the program links; the window-system
# plugins are loaded at run time and only recommended by Qt, yet without them the program
# cannot open its window.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
# Tahoma's stand-in for the captions, glyphs for the kaomoji users list (katakana and
# CJK forms), xdg-open for the About window's links, Qt's Wayland
# plugin for a Wayland session without XWayland, and one of the system information tools
# that "System Info..." looks for.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wine, fonts-wqy-microhei, xdg-utils, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS hardinfo)
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\.git/" "/build[^/]*/" "/screenshots/")
include(CPack)

# The package check needs Debian's packaging and validation tools. A sanitizer build makes
# no package worth shipping, so only the plain build checks it.
if(GLYPHORA_BUILD_TESTS AND NOT GLYPHORA_SANITIZE)
  find_program(GLYPHORA_DPKG_DEB dpkg-deb)
  find_program(GLYPHORA_DPKG_SHLIBDEPS dpkg-shlibdeps)
  find_program(GLYPHORA_DESKTOP_FILE_VALIDATE desktop-file-validate)
  find_program(GLYPHORA_APPSTREAMCLI appstreamcli)
  find_program(GLYPHORA_LINTIAN lintian)
  if(GLYPHORA_DPKG_DEB AND GLYPHORA_DPKG_SHLIBDEPS AND GLYPHORA_DESKTOP_FILE_VALIDATE
     AND GLYPHORA_APPSTREAMCLI AND GLYPHORA_LINTIAN)
    add_test(NAME package COMMAND ${PROJECT_SOURCE_DIR}/tools/check-package ${PROJECT_BINARY_DIR})
    set_tests_properties(package PROPERTIES LABELS package TIMEOUT 180)
  else()
    message(STATUS
            "Package check left out: dpkg-dev, desktop-file-utils, appstream or lintian missing")
  endif()
endif()
