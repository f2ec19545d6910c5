# What `cmake --install` puts on a Linux system, and the Debian package made of it (`cpack`).
# The desktop file, the metainfo and the icons are named after the application id.
include(GNUInstallDirs)
# Installing and packaging take the program and its data only, so they need not build the tests
# first: `make install` and cpack install what has been built.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(_vesk_res ${CMAKE_SOURCE_DIR}/resources)
set(_vesk_gen ${CMAKE_BINARY_DIR}/install-data)

# The icon, drawn by its generator at every size the hicolor theme gets, plus a scalable one.
set(VESK_ICON_SIZES 16 24 32 48 64 128 256)
set(_vesk_icons)
foreach(size IN LISTS VESK_ICON_SIZES)
  set(png ${_vesk_gen}/icons/${size}/${VESK_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${Python3_EXECUTABLE} ${_vesk_res}/make_icon.py --size ${size} ${png}
    DEPENDS ${_vesk_res}/make_icon.py VERBATIM)
  list(APPEND _vesk_icons ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
set(_vesk_svg ${_vesk_gen}/icons/${VESK_APP_ID}.svg)
add_custom_command(OUTPUT ${_vesk_svg}
  COMMAND ${Python3_EXECUTABLE} ${_vesk_res}/make_icon.py --svg ${_vesk_svg}
  DEPENDS ${_vesk_res}/make_icon.py VERBATIM)

# Man pages and the Debian changelog go compressed, without a time stamp, so builds are equal.
configure_file(${_vesk_res}/vesk-lights.1.in ${_vesk_gen}/vesk-lights.1 @ONLY)
set(_vesk_man ${_vesk_gen}/vesk-lights.1.gz)
set(_vesk_changelog ${_vesk_gen}/changelog.gz)
add_custom_command(OUTPUT ${_vesk_man}
  COMMAND gzip -9nc ${_vesk_gen}/vesk-lights.1 > ${_vesk_man}
  DEPENDS ${_vesk_gen}/vesk-lights.1)
add_custom_command(OUTPUT ${_vesk_changelog}
  COMMAND gzip -9nc ${_vesk_res}/debian/changelog > ${_vesk_changelog}
  DEPENDS ${_vesk_res}/debian/changelog)
add_custom_target(vesk_install_data ALL
  DEPENDS ${_vesk_icons} ${_vesk_svg} ${_vesk_man} ${_vesk_changelog})

configure_file(${_vesk_res}/${VESK_APP_ID}.metainfo.xml.in
  ${_vesk_gen}/${VESK_APP_ID}.metainfo.xml @ONLY)

install(TARGETS vesk-lights RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${_vesk_res}/${VESK_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_vesk_gen}/${VESK_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${_vesk_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${_vesk_man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${_vesk_res}/debian/copyright ${_vesk_changelog}
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vesk-lights)

# The changelog's newest entry must name this version, or the package contradicts itself.
file(STRINGS ${_vesk_res}/debian/changelog _vesk_head LIMIT_COUNT 1)
if(NOT _vesk_head MATCHES "^vesk-lights \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "resources/debian/changelog: the newest entry is not ${PROJECT_VERSION}")
endif()

# The Debian package: `cpack -G DEB` in the build directory.
set(CPACK_PACKAGE_NAME vesk-lights)
set(CPACK_PACKAGE_VENDOR "Mara Tarnwick")
set(CPACK_PACKAGE_CONTACT "Mara Tarnwick <mara.tarnwick@vesk-lights.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "shows the Num, Caps and Scroll Lock keys as lights")
# Debian wants the long description in lines of at most 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
  "A small window that shows the three keyboard lock keys, Num Lock, Caps Lock
and Scroll Lock, as lights: green when the lock is on, red when it is off. Made
for keyboards and laptops that have no lock LEDs. A double-click on a light
flips that lock key.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Files only, with the modes Debian wants; no maintainer scripts are needed.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
