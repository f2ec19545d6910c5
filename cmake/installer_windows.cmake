# The per-user installer, built by NSIS (Debian `nsis`) from resources/windows/vesk-lights.nsi.
# CPack's NSIS generator is not used: its template asks for administrator rights and writes
# the uninstall entry machine-wide.
find_program(VESK_MAKENSIS makensis)
set(VESK_PACKAGE_DIR ${CMAKE_BINARY_DIR}/packages CACHE PATH "Where the installer is written")
if(VESK_MAKENSIS AND TARGET VESK-LIGHTS)
  set(VESK_INSTALLER ${VESK_PACKAGE_DIR}/VESK-LIGHTS-${PROJECT_VERSION}-setup.exe)
  set(_vesk_nsi ${CMAKE_SOURCE_DIR}/resources/windows/vesk-lights.nsi)
  add_custom_command(OUTPUT ${VESK_INSTALLER}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VESK_PACKAGE_DIR}
    COMMAND ${VESK_MAKENSIS} -V2 -NOCD
      -DVERSION=${PROJECT_VERSION} -DVERSION4=${PROJECT_VERSION}.0
      -DEXE=$<TARGET_FILE:VESK-LIGHTS> -DICON=${CMAKE_SOURCE_DIR}/resources/vesk-lights.ico
      -DOUTFILE=${VESK_INSTALLER} ${_vesk_nsi}
    DEPENDS VESK-LIGHTS ${_vesk_nsi} ${CMAKE_SOURCE_DIR}/resources/vesk-lights.ico VERBATIM)
  add_custom_target(installer ALL DEPENDS ${VESK_INSTALLER})
else()
  message(STATUS "No makensis or no program: the Windows installer is not built")
endif()
