# The Debian package (scripts/package): the installation's layout under /opt/kelmora, a
# desktop entry with the icon, and the Debian packages the program runs on.
set(VELOR_PACKAGE_ROOT /opt/kelmora)

# The desktop entry and the icon belong to the system's folders, so they are a component of
# their own that only the package installs: `cmake --install build --prefix DIR` leaves the
# system alone.
install(FILES ${PROJECT_SOURCE_DIR}/resources/package/kelmora.desktop
        DESTINATION /usr/share/applications COMPONENT desktop EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/resources/package/kelmora.svg
        DESTINATION /usr/share/icons/hicolor/scalable/apps COMPONENT desktop EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR KELMORA)
set(CPACK_PACKAGE_CONTACT "KELMORA <velor@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "VELOR - turns scanned diagrams into numbers (KELMORA family)")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_PACKAGING_INSTALL_PREFIX ${VELOR_PACKAGE_ROOT})
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${CMAKE_BINARY_DIR};VELOR;Unspecified;/"
    "${CMAKE_BINARY_DIR};VELOR;desktop;/")
set(CPACK_DEBIAN_FILE_NAME "velor_${PROJECT_VERSION}_amd64.deb")
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The shared libraries give most dependencies; the platform, picture-format and translation
# plugins Qt loads at run time and the fonts the pages are measured with do not show there.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-image-formats-plugins, qt6-translations-l10n, fonts-liberation, fonts-urw-base35")
include(CPack)
