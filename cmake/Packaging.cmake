# What `cmake --install` puts beside the programs and the desktop entry (whose rules are in src/), and the
# Debian package that `cpack -G DEB` makes of it all.
include(GNUInstallDirs)

configure_file(${PROJECT_SOURCE_DIR}/resources/com.pellowick.verdalune.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/com.pellowick.verdalune.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/com.pellowick.verdalune.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/docs/man/verdalune.1 ${PROJECT_SOURCE_DIR}/docs/man/verdalune-cli.1
              ${PROJECT_SOURCE_DIR}/docs/man/verdalune-helper.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
set(COMPLETIONS ${PROJECT_SOURCE_DIR}/resources/completions)
install(FILES ${COMPLETIONS}/verdalune-cli.bash RENAME verdalune-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${COMPLETIONS}/_verdalune-cli DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
install(FILES ${COMPLETIONS}/verdalune-cli.fish DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME verdalune)
set(CPACK_PACKAGE_CONTACT "Verdalune developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Your calendars on one zoomable timeline")
set(CPACK_PACKAGE_DESCRIPTION
    "Verdalune shows all your calendars on one timeline that zooms from hours to months. Events are typed as one line of plain English; a helper keeps the new-event shortcut and delivers reminders, and verdalune-cli reaches the calendars from the shell.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The linked libraries (Qt, libical, ICU, libcanberra) come from dpkg-shlibdeps; these are loaded at run time
# or only read: the Wayland and X11 platform plugins, the SVG icon plugin and the alarm sounds.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-wayland, qt6-qpa-plugins, libqt6svg6, sound-theme-freedesktop")
include(CPack)
