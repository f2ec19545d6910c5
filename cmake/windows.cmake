# The Windows build: raw Win32 windows, the Win32 platform, the registry store; cross-compiled
# with MinGW-w64 (cmake/mingw-w64.cmake) and tested under Wine.

# Every executable carries its own C and C++ runtime (libgcc, libstdc++, winpthread), so it
# imports system DLLs only and its tests run under a bare Wine prefix.
add_link_options(-static)
# Each function and datum in a section of its own, so that the linker drops what nothing calls.
add_compile_options(-ffunction-sections -fdata-sections)
add_link_options(-Wl,--gc-sections)

# windres compiles the resource script (icon, version record, manifest).
enable_language(RC)

add_subdirectory(settings/registry)
add_subdirectory(platform/win32)
if(EXISTS ${CMAKE_SOURCE_DIR}/forms/win32/CMakeLists.txt)
  add_subdirectory(forms/win32)
endif()
add_subdirectory(tray/win32)

if(EXISTS ${CMAKE_SOURCE_DIR}/app/main_windows.cpp AND TARGET vesk_forms_win32)
  add_executable(VESK-LIGHTS WIN32 app/main_windows.cpp app/lean_terminate.cpp resources/vesk-lights.rc)
  target_link_libraries(VESK-LIGHTS PRIVATE
    vesk_core vesk_forms_win32 vesk_tray_win32 vesk_store_registry vesk_platform_win32
    user32 gdi32 shell32 advapi32 comctl32)
  target_link_options(VESK-LIGHTS PRIVATE -static -mwindows $<$<CONFIG:Release,MinSizeRel>:-s>)
  set_target_properties(VESK-LIGHTS PROPERTIES
    OUTPUT_NAME VESK-LIGHTS
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  # windres finds the icon and the manifest beside the script; rebuild when they change.
  set_source_files_properties(resources/vesk-lights.rc PROPERTIES
    INCLUDE_DIRECTORIES ${CMAKE_SOURCE_DIR}/resources
    OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/vesk-lights.ico;${CMAKE_SOURCE_DIR}/resources/vesk-lights.manifest;${CMAKE_SOURCE_DIR}/resources/resource_ids.h")
endif()

# Testing under Wine. Every test runs in one Wine prefix made afresh for the run in the binary
# directory, on one Xvfb display with openbox. All Wine processes of a prefix share one
# desktop, and its graphics driver is fixed by the first process that starts it: a test run
# without a display would leave the GUI tests of the same run unable to create windows. So
# every test gets the display, even those that never open a window.
if(VESK_TESTS)
  set(VESK_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
  set(VESK_TEST_DISPLAY_FIXTURE vesk_wine_display)
  set(VESK_TEST_FIXTURES vesk_wine_prefix ${VESK_TEST_DISPLAY_FIXTURE})

  # A display number that was free at configure time, the same each time for this build
  # directory unless another server has taken it meanwhile.
  string(MD5 _vesk_hash "${CMAKE_BINARY_DIR}")
  string(SUBSTRING "${_vesk_hash}" 0 4 _vesk_hash)
  math(EXPR VESK_TEST_DISPLAY_NUMBER "200 + 0x${_vesk_hash} % 600")
  while(EXISTS /tmp/.X${VESK_TEST_DISPLAY_NUMBER}-lock)
    math(EXPR VESK_TEST_DISPLAY_NUMBER "${VESK_TEST_DISPLAY_NUMBER} + 1")
  endwhile()

  set(VESK_TEST_ENVIRONMENT
    "WINEPREFIX=${VESK_WINE_PREFIX}"
    "WINEDEBUG=-all"
    "DISPLAY=:${VESK_TEST_DISPLAY_NUMBER}")
  # Tests that press lock keys or depend on the foreground window take this lock, because
  # the key state and the foreground belong to the shared desktop.
  set(VESK_TEST_INPUT_LOCK vesk_wine_input)
endif()

include(cmake/installer_windows.cmake)
