# The Debian package: cpack -G DEB in the build folder, after the build.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME q9tx-programmer)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Q9TX Programmer developers")
set(Q9TX_PACKAGE_CONTACT "Q9TX Programmer developers <maintainers@q9tx-programmer.invalid>"
    CACHE STRING "Maintainer of the Debian package: name <address>")
set(CPACK_PACKAGE_CONTACT ${Q9TX_PACKAGE_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Read, edit and write the settings of Q9TX pagers")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Q9TX Programmer programs Q9TX alphanumeric pagers through a USB-serial cable:\n"
  "it finds the cable's port by itself, reads the pager's configuration into an\n"
  "editor, writes it back with verification, keeps settings files, and counts\n"
  "receive addresses up from one pager to the next.\n"
  "\n"
  "A udev rule lets the user at the seat use Prolific PL2303 cables without\n"
  "joining a group, and keeps ModemManager off them.\n"
  "\n"
  "Licence: GPL-3.0-or-later.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# Nothing under /usr/local, whatever prefix the build folder was configured with.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Native Wayland windows, for those who want them: XWayland and the xcb plugin of libqt6gui6
# serve otherwise, without the QML modules qt6-wayland brings along.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-wayland")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpack_tools.cmake)
if(Q9TX_HOMEPAGE_URL)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${Q9TX_HOMEPAGE_URL})
endif()
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_LIST_DIR}/postinst
    ${CMAKE_CURRENT_LIST_DIR}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
