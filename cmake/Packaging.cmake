# Installing and packaging: the executables and the language files come with
# their own install rules; here the desktop entry, the icon, the package's
# documents and the Debian package.
include(GNUInstallDirs)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/kt520.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/kt520.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(KT520_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/kt520)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright
  DESTINATION ${KT520_DOC_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/examples/main-job.txt DESTINATION ${KT520_DOC_DIR}/examples)
# The changelog and the manual pages, compressed as Debian wants them and
# without a time stamp in the gzip header, so the same sources give the same
# package.
find_program(GZIP_PROGRAM gzip)
function(kt520_install_gzipped source destination)
  get_filename_component(name ${source} NAME)
  execute_process(COMMAND ${GZIP_PROGRAM} -9 -n -c ${source}
    OUTPUT_FILE ${PROJECT_BINARY_DIR}/packaging/${name}.gz COMMAND_ERROR_IS_FATAL ANY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  install(FILES ${PROJECT_BINARY_DIR}/packaging/${name}.gz DESTINATION ${destination})
endfunction()
if(GZIP_PROGRAM)
  file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/packaging)
  kt520_install_gzipped(${PROJECT_SOURCE_DIR}/packaging/changelog ${KT520_DOC_DIR})
  foreach(page kt520.1 kt520-sim.1)
    kt520_install_gzipped(${PROJECT_SOURCE_DIR}/packaging/${page} ${CMAKE_INSTALL_MANDIR}/man1)
  endforeach()
endif()

set(CPACK_PACKAGE_NAME kt520)
set(CPACK_PACKAGE_VENDOR "KT-520 Companion Developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Companion program of the KT-520 surface roughness tester")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "KT-520 Companion Developers <kt520-companion@korvane-profilux.com>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Stripped whatever the build type: the package carries no debugging symbols.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Connects a PC to the KT-520 over RS-232C, sets the measurement conditions,\nruns measurements and saves profiles, results and conditions as CSV files.\nIncludes a simulated instrument and a scripted headless mode.")
# The libraries the executables link, found by dpkg-shlibdeps; besides them
# the xcb platform plugin so that the window opens on an X or Wayland desktop,
# the SVG icon engine for the window's icon, and the SQLite driver that the
# history is kept with (Qt loads drivers as plugins, unseen by shlibdeps). The
# PostgreSQL driver only serves a shared history on a server.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, libqt6sql6-psql")
# The shared data folder is made by the maintainer script, not shipped, so
# that removing the package leaves it and the operators' files.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
