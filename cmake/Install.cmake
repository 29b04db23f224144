# What `cmake --install` puts where (below CMAKE_INSTALL_PREFIX), and the .deb that CPack
# builds from the same rules (`cpack` in the build folder).
include(GNUInstallDirs)

set(ZPK_APP_ID org.example.TidewaterZpkViewer)
set(ZPK_DATA ${CMAKE_SOURCE_DIR}/data)

install(TARGETS zpk RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${ZPK_DATA}/zpk.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME zpk)

# The manual page is written in scdoc; the build turns it into roff, gzipped as Debian
# keeps manual pages.
find_program(ZPK_SCDOC scdoc)
if(ZPK_SCDOC)
  set(zpk_man ${CMAKE_BINARY_DIR}/zpk.1.gz)
  add_custom_command(OUTPUT ${zpk_man}
    COMMAND sh -c [["$1" < "$2" | gzip -n -9 > "$3"]] sh ${ZPK_SCDOC} ${ZPK_DATA}/zpk.1.scd ${zpk_man}
    DEPENDS ${ZPK_DATA}/zpk.1.scd
    COMMENT "Manual page zpk.1"
    VERBATIM)
  add_custom_target(manpage ALL DEPENDS ${zpk_man})
  install(FILES ${zpk_man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(WARNING "scdoc not found: the manual page zpk.1 is neither built nor installed")
endif()

if(ZPK_BUILD_GUI)
  install(TARGETS tidewater-zpk-viewer RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${ZPK_DATA}/${ZPK_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${ZPK_DATA}/tidewater-zpk.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
  install(FILES ${ZPK_DATA}/icons/tidewater-zpk-viewer-48.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps RENAME tidewater-zpk-viewer.png)
  install(FILES ${ZPK_DATA}/icons/tidewater-zpk-viewer.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  configure_file(${ZPK_DATA}/${ZPK_APP_ID}.metainfo.xml.in
                 ${CMAKE_BINARY_DIR}/${ZPK_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/${ZPK_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tidewater-zpk-viewer)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Quill <quill@tidewater-zpk-viewer.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer and command-line tool for Tidewater's resource archives")
set(CPACK_PACKAGE_DESCRIPTION
    "Looks into the resource archives (*.zpk) of an installed copy of the game Tidewater,\n"
    "natively or under Wine: lists archives, shows their headers and directories, probes\n"
    "resources, copies them out unchanged and keeps notes per archive. The zpk tool lists,\n"
    "probes, checks and safely extracts archives from scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tidewater-zpk-viewer.example.org/)
# The libraries the programs link, as Debian's own packages name them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The viewers the window hands resources to are opened through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
include(CPack)
