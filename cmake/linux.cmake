# The Linux build: Qt6 Widgets windows, the X11 platform, the INI store.
find_package(Qt6 REQUIRED COMPONENTS Widgets)
find_package(X11 REQUIRED)

add_subdirectory(platform/sigio)
add_subdirectory(settings/ini)
add_subdirectory(forms/qt)
add_subdirectory(tray/qt)
add_subdirectory(platform/x11)
add_subdirectory(platform/xdg)
add_subdirectory(platform/leds)
add_subdirectory(platform/portal)
add_subdirectory(platform/linux)
add_subdirectory(platform/session_socket)

add_executable(vesk-lights app/main_linux.cpp app/linux_session.cpp app/session_end.cpp)
target_link_libraries(vesk-lights PRIVATE vesk_core vesk_store_ini vesk_forms_qt vesk_tray_qt vesk_platform_linux
  vesk_platform_xdg vesk_platform_socket)
set_target_properties(vesk-lights PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_precompile_headers(vesk-lights REUSE_FROM vesk_forms_qt)

# The yardstick that tools/measure-idle.sh compares the program with.
add_executable(bare-window tools/bare_window.cpp)
target_link_libraries(bare-window PRIVATE Qt6::Widgets)
set_target_properties(bare-window PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

# tools/portal-on-mutter.sh types into it, to see which letters reach a Wayland client.
add_executable(text-field tools/text_field.cpp)
target_link_libraries(text-field PRIVATE Qt6::Widgets)
set_target_properties(text-field PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

# tools/tick_cost: what one refresh tick costs with the real backends.
add_executable(tick-cost tools/tick_cost.cpp)
target_link_libraries(tick-cost PRIVATE vesk_core vesk_store_ini vesk_forms_qt vesk_platform_linux)
target_precompile_headers(tick-cost REUSE_FROM vesk_forms_qt)
set_target_properties(tick-cost PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

# tools/measure-startup.sh: the time from a start to the window on screen, beside bare-window.
add_executable(startup-time tools/startup_time.cpp)
target_link_libraries(startup-time PRIVATE X11::X11)
set_target_properties(startup-time PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

include(cmake/install_linux.cmake)
