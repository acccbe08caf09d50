# Installing and packaging: the executables and the language files come with
# their own install rules; here the desktop entry, the icon and the Debian package.
include(GNUInstallDirs)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/kt520.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/kt520.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_PACKAGE_NAME kt520)
set(CPACK_PACKAGE_VENDOR "KT-520 companion developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Companion program of the KT-520 surface roughness tester")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "kt520-companion@localhost")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Connects a PC to the KT-520 over RS-232C, sets the measurement conditions,\n runs measurements and saves profiles, results and conditions as CSV files.\n Includes a simulated instrument and a scripted headless mode.")
# The Qt 6 runtime the window, the serial line and the plots need; the xcb
# platform plugin so that the window opens on an X or Wayland desktop.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libc6, libstdc++6, libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6serialport6 (>= 6.4), libqt6charts6 (>= 6.4), qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk")
include(CPack)
