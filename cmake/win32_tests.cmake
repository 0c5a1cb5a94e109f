# Win32 tests (run under Wine) and the DLLs they load.

add_library(fixture_call_log STATIC tests/fixtures/call_log.cpp)
target_include_directories(fixture_call_log PUBLIC ${CMAKE_SOURCE_DIR})
kelvane_win32_target(fixture_call_log)

# Drawing modules that log their calls and fill one rectangle each:
# name, draws the clock layer (1) or the info layer (0), colour, rectangle.
function(kelvane_test_module name clock color left top right bottom)
  add_library(${name} SHARED tests/fixtures/test_module.cpp)
  set_target_properties(${name} PROPERTIES PREFIX "")
  target_link_libraries(${name} PRIVATE fixture_call_log gdi32)
  target_link_options(${name} PRIVATE -Wl,--kill-at)
  target_compile_definitions(${name} PRIVATE FIXTURE_NAME="${name}" FIXTURE_DRAWS_CLOCK=${clock}
    FIXTURE_COLOR=${color} FIXTURE_LEFT=${left} FIXTURE_TOP=${top} FIXTURE_RIGHT=${right}
    FIXTURE_BOTTOM=${bottom})
  kelvane_win32_target(${name})
  list(APPEND KELVANE_TEST_DLLS ${name})
  set(KELVANE_TEST_DLLS ${KELVANE_TEST_DLLS} PARENT_SCOPE)
endfunction()

# Red clock layer in the middle, green info layer around it, blue second info module.
kelvane_test_module(clock_red 1 0x0000FF 80 80 120 120)
kelvane_test_module(info_green 0 0x00FF00 40 40 160 160)
kelvane_test_module(info_blue 0 0xFF0000 40 40 160 160)
add_library(bare_module SHARED tests/fixtures/bare_module.cpp)
set_target_properties(bare_module PROPERTIES PREFIX "")
kelvane_win32_target(bare_module)
list(APPEND KELVANE_TEST_DLLS bare_module)

add_library(win32_test_support STATIC tests/win32/test_support.cpp)
target_include_directories(win32_test_support PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(win32_test_support PUBLIC gtest gdi32 user32)
kelvane_win32_target(win32_test_support)

add_executable(win32_tests
  tests/win32/background_loader_test.cpp
  tests/win32/clock_face_test.cpp
  tests/win32/context_menu_test.cpp
  tests/win32/draw_surface_test.cpp
  tests/win32/mirrick_test.cpp
  tests/win32/settings_test.cpp
  tests/win32/window_shape_test.cpp
  tools/orb_writer.cpp
  $<TARGET_OBJECTS:kelvane_resources>
)
target_link_libraries(win32_tests PRIVATE kelvane_app win32_test_support gtest_main)
add_dependencies(win32_tests Mirrick ${KELVANE_TEST_DLLS})
kelvane_win32_target(win32_tests)

add_executable(program_tests
  tests/program/clock_window_test.cpp
  tests/program/running_clock.cpp
  tests/program/startup_test.cpp
)
target_link_libraries(program_tests PRIVATE win32_test_support gtest_main shell32)
add_dependencies(program_tests Kelvane Mirrick ${KELVANE_TEST_DLLS})
kelvane_win32_target(program_tests)

add_executable(face_bench
  bench/face_bench.cpp
  tests/program/running_clock.cpp
  $<TARGET_OBJECTS:kelvane_resources>
)
target_link_libraries(face_bench PRIVATE kelvane_app win32_test_support)
add_dependencies(face_bench Kelvane ${KELVANE_TEST_DLLS})
kelvane_win32_target(face_bench)

add_executable(idle_window WIN32 bench/idle_window.cpp)
kelvane_win32_target(idle_window)
