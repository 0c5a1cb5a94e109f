# Win32 tests (run under Wine), the DLLs they load, and the benchmarks.

add_library(fixture_call_log STATIC tests/fixtures/call_log.cpp)
target_include_directories(fixture_call_log PUBLIC ${CMAKE_SOURCE_DIR})
kelvane_win32_target(fixture_call_log)

# Drawing modules that log their calls and fill one rectangle each: name, draws the
# clock layer (1) or the info layer (0), what OpenConfig answers (-1: no settings),
# colour, rectangle.
function(kelvane_test_module name clock config color left top right bottom)
  kelvane_dll(${name} tests/fixtures/test_module.cpp)
  target_link_libraries(${name} PRIVATE fixture_call_log gdi32)
  target_compile_definitions(${name} PRIVATE FIXTURE_NAME="${name}" FIXTURE_DRAWS_CLOCK=${clock}
    FIXTURE_CONFIG=${config} FIXTURE_COLOR=${color} FIXTURE_LEFT=${left} FIXTURE_TOP=${top}
    FIXTURE_RIGHT=${right} FIXTURE_BOTTOM=${bottom})
  set(KELVANE_TEST_DLLS ${KELVANE_TEST_DLLS} ${name} PARENT_SCOPE)
endfunction()

# Red clock layer in the middle, green info layer around it, blue second info module.
kelvane_test_module(clock_red 1 1 0x0000FF 80 80 120 120)
kelvane_test_module(info_green 0 0 0x00FF00 40 40 160 160)
kelvane_test_module(info_blue 0 -1 0xFF0000 40 40 160 160)
kelvane_dll(bare_module tests/fixtures/bare_module.cpp)
kelvane_dll(second_probe tests/fixtures/second_probe.cpp)
target_link_libraries(second_probe PRIVATE gdi32 user32)
list(APPEND KELVANE_TEST_DLLS bare_module second_probe)

# Plug-ins that log their calls (tests/fixtures/test_plugin.cpp): name, what Init
# and NotifyTimeChangeSec return, and the kind of captions and extras.
function(kelvane_test_plugin name init_result sec_result kind)
  kelvane_dll(${name} tests/fixtures/test_plugin.cpp)
  target_link_libraries(${name} PRIVATE fixture_call_log user32)
  target_compile_definitions(${name} PRIVATE FIXTURE_INIT_RESULT=${init_result}
    FIXTURE_SEC_RESULT=${sec_result} FIXTURE_KIND=${kind})
  set(KELVANE_TEST_PLUGINS ${KELVANE_TEST_PLUGINS} ${name} PARENT_SCOPE)
endfunction()

kelvane_test_plugin(plugin_good 1 1 0)
kelvane_test_plugin(plugin_refuses 0 1 0)
kelvane_test_plugin(plugin_fails_second 1 0 0)
kelvane_test_plugin(plugin_long_caption 1 1 1)
kelvane_test_plugin(plugin_empty_config 1 1 2)
kelvane_test_plugin(plugin_menu_probe 1 1 3)
kelvane_test_plugin(plugin_slow_release 1 1 4)

# What the Win32 tests share: pictures and windows, the real program started from
# beside the test, dialog driving and timers inside modal loops.
add_library(win32_test_support STATIC
  tests/program/running_clock.cpp
  tests/win32/decoded_picture.cpp
  tests/win32/dialog_driver.cpp
  tests/win32/modal_timer.cpp
  tests/win32/test_support.cpp
)
target_link_libraries(win32_test_support PUBLIC kelvane_tools kelvane_base_win gtest shell32 oleacc oleaut32)
# The tests load modules and plug-ins as the program does.
target_compile_definitions(win32_test_support PUBLIC KELVANE_HOST)
kelvane_win32_target(win32_test_support)

# In-process tests of the program's code.
add_executable(win32_tests
  tests/win32/background_loader_test.cpp
  tests/win32/clock_face_test.cpp
  tests/win32/art_resources_test.cpp
  tests/win32/clock_tick_test.cpp
  tests/win32/context_menu_test.cpp
  tests/win32/draw_surface_test.cpp
  tests/win32/folder_listing_test.cpp
  tests/win32/mag_picture_test.cpp
  tests/win32/message_dialog_test.cpp
  tests/win32/mirrick_test.cpp
  tests/win32/settings_test.cpp
  tests/win32/version_info_test.cpp
  tests/win32/wic_picture_test.cpp
  tests/win32/window_shape_test.cpp
  $<TARGET_OBJECTS:kelvane_resources>
)
target_link_libraries(win32_tests PRIVATE kelvane_app win32_test_support gtest_main version)
target_compile_definitions(win32_tests PRIVATE KELVANE_VERSION="${PROJECT_VERSION}")
add_dependencies(win32_tests Kelvane Mirrick wallpaper Analog plugin_good ${KELVANE_TEST_DLLS})
kelvane_win32_target(win32_tests)

add_executable(customize_tests tests/win32/customize_dialog_test.cpp
  $<TARGET_OBJECTS:kelvane_resources>)
target_link_libraries(customize_tests PRIVATE kelvane_app win32_test_support gtest_main)
add_dependencies(customize_tests Mirrick plugin_good ${KELVANE_TEST_DLLS})
kelvane_win32_target(customize_tests)

add_executable(plugin_tests tests/win32/plugin_host_test.cpp)
target_link_libraries(plugin_tests PRIVATE kelvane_app win32_test_support gtest_main)
add_dependencies(plugin_tests ${KELVANE_TEST_PLUGINS} bare_module)
kelvane_win32_target(plugin_tests)

add_executable(wallpaper_tests tests/win32/wallpaper_test.cpp)
target_link_libraries(wallpaper_tests PRIVATE wallpaper_lib win32_test_support gtest_main)
add_dependencies(wallpaper_tests wallpaper)
kelvane_win32_target(wallpaper_tests)

add_executable(chime_tests tests/win32/chime_test.cpp $<TARGET_OBJECTS:chime_resources>)
target_link_libraries(chime_tests PRIVATE chime_lib win32_test_support gtest_main)
add_dependencies(chime_tests chime)
kelvane_win32_target(chime_tests)

# Whole-program tests: they start the real Kelvane.exe found beside them.
add_executable(program_tests
  tests/program/clock_window_test.cpp
  tests/program/companion_test.cpp
  tests/program/customize_window_test.cpp
  tests/program/high_dpi_test.cpp
  tests/program/moved_folder_test.cpp
  tests/program/package_test.cpp
  tests/program/plugin_menu_test.cpp
  tests/program/quit_dialog_test.cpp
  tests/program/sdk_samples_test.cpp
  tests/program/startup_test.cpp
)
target_link_libraries(program_tests PRIVATE kelvane_app win32_test_support gtest_main advapi32 shell32)
target_compile_definitions(program_tests PRIVATE KELVANE_VERSION="${PROJECT_VERSION}")
add_dependencies(program_tests Kelvane Mirrick wallpaper chime plugin_menu_probe plugin_slow_release
  sample_module sample_plugin
  ${KELVANE_TEST_DLLS})
kelvane_win32_target(program_tests)

# Benchmarks and the soak program: they print figures and are no tests.
add_executable(face_bench bench/face_bench.cpp $<TARGET_OBJECTS:kelvane_resources>)
target_link_libraries(face_bench PRIVATE kelvane_app win32_test_support)
add_dependencies(face_bench Kelvane Mirrick Analog wallpaper chime bare_window ${KELVANE_TEST_DLLS})
kelvane_win32_target(face_bench)

add_executable(tick_bench bench/tick_bench.cpp)
target_link_libraries(tick_bench PRIVATE win32_test_support)
add_dependencies(tick_bench Kelvane second_probe)
kelvane_win32_target(tick_bench)

add_executable(customize_bench bench/customize_bench.cpp $<TARGET_OBJECTS:kelvane_resources>)
target_link_libraries(customize_bench PRIVATE kelvane_app win32_test_support)
add_dependencies(customize_bench Kelvane)
kelvane_win32_target(customize_bench)

add_executable(mag_bench bench/mag_bench.cpp $<TARGET_OBJECTS:kelvane_resources>)
target_link_libraries(mag_bench PRIVATE kelvane_app)
kelvane_win32_target(mag_bench)

add_executable(wic_bench bench/wic_bench.cpp $<TARGET_OBJECTS:kelvane_resources>)
target_link_libraries(wic_bench PRIVATE kelvane_app wallpaper_lib win32_test_support)
kelvane_win32_target(wic_bench)

add_executable(wallpaper_bench bench/wallpaper_bench.cpp)
target_link_libraries(wallpaper_bench PRIVATE wallpaper_lib win32_test_support)
add_dependencies(wallpaper_bench wallpaper)
kelvane_win32_target(wallpaper_bench)

add_executable(idle_window WIN32 bench/idle_window.cpp)
target_link_libraries(idle_window PRIVATE kelvane_app)
kelvane_win32_target(idle_window)

add_executable(bare_window WIN32 bench/bare_window.cpp)
kelvane_win32_target(bare_window)

add_executable(soak bench/soak.cpp $<TARGET_OBJECTS:kelvane_resources>)
target_link_libraries(soak PRIVATE kelvane_app win32_test_support psapi)
add_dependencies(soak Mirrick wallpaper chime plugin_good)
kelvane_win32_target(soak)

# The clock module Analog: its Win32 tests and its benchmark.
add_executable(analog_tests tests/win32/analog_test.cpp)
target_link_libraries(analog_tests PRIVATE kelvane_app win32_test_support gtest_main)
add_dependencies(analog_tests Analog)
kelvane_win32_target(analog_tests)

add_executable(analog_bench bench/analog_bench.cpp)
target_link_libraries(analog_bench PRIVATE kelvane_app win32_test_support)
add_dependencies(analog_bench Analog Mirrick)
kelvane_win32_target(analog_bench)


