# Install layout and the Debian package. The program finds its engines in libexec/tokarium (mixsim
# finds flowrun beside itself there) and its manual in share/doc/tokarium.
include(GNUInstallDirs)

install(TARGETS flowrun mixsim RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/tokarium)
if(TOKARIUM_GUI)
  install(TARGETS tokarium RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${TOKARIUM_BIN_DIR}/howto.pdf DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tokarium)
  install(FILES packaging/tokarium.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES packaging/tokarium.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES packaging/tokarium-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME tokarium.xml)
endif()
install(DIRECTORY examples/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tokarium/examples FILES_MATCHING PATTERN "*.pn")

set(CPACK_PACKAGE_NAME tokarium)
set(CPACK_PACKAGE_VENDOR "Tokarium")
set(CPACK_PACKAGE_CONTACT "Tokarium developers <tokarium@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor and simulators of discrete, continuous and hybrid Petri nets")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6, libqt6gui6, libqt6widgets6, libqt6printsupport6, qt6-qpa-plugins, lp-solve, libc6, libstdc++6")
include(CPack)
