# The plug-in host, the wallpaper plug-in, the test plug-ins and their tests.

target_sources(kelvane_app PRIVATE
  app/plugins/enable_list.cpp
  app/plugins/plugin_host.cpp
  app/plugins/time_change_tracker.cpp
)

# The wallpaper plug-in's code, linked into wallpaper.dll and into its tests.
add_library(wallpaper_lib STATIC
  plugins/wallpaper/desktop.cpp
  plugins/wallpaper/wallpaper_dialog.cpp
  plugins/wallpaper/wallpaper_files.cpp
  plugins/wallpaper/wallpaper_rotation.cpp
  plugins/wallpaper/wallpaper_settings.cpp
  plugins/wallpaper/wallpaper_state.cpp
)
target_link_libraries(wallpaper_lib PUBLIC kelvane_core user32 advapi32)
kelvane_win32_target(wallpaper_lib)

add_library(wallpaper SHARED plugins/wallpaper/wallpaper_plugin.cpp plugins/wallpaper/wallpaper.rc)
set_target_properties(wallpaper PROPERTIES PREFIX "")
target_link_libraries(wallpaper PRIVATE wallpaper_lib)
target_link_options(wallpaper PRIVATE -Wl,--kill-at)
kelvane_win32_target(wallpaper)

# Plug-ins that log their calls (tests/fixtures/test_plugin.cpp): name, what Init
# and NotifyTimeChangeSec return, and the kind of captions and extras.
function(kelvane_test_plugin name init_result sec_result kind)
  add_library(${name} SHARED tests/fixtures/test_plugin.cpp)
  set_target_properties(${name} PROPERTIES PREFIX "")
  target_link_libraries(${name} PRIVATE fixture_call_log user32)
  target_link_options(${name} PRIVATE -Wl,--kill-at)
  target_compile_definitions(${name} PRIVATE FIXTURE_INIT_RESULT=${init_result}
    FIXTURE_SEC_RESULT=${sec_result} FIXTURE_KIND=${kind})
  kelvane_win32_target(${name})
  list(APPEND KELVANE_TEST_PLUGINS ${name})
  set(KELVANE_TEST_PLUGINS ${KELVANE_TEST_PLUGINS} PARENT_SCOPE)
endfunction()

kelvane_test_plugin(plugin_good 1 1 0)
kelvane_test_plugin(plugin_refuses 0 1 0)
kelvane_test_plugin(plugin_fails_second 1 0 0)
kelvane_test_plugin(plugin_long_caption 1 1 1)
kelvane_test_plugin(plugin_empty_config 1 1 2)
kelvane_test_plugin(plugin_menu_probe 1 1 3)

add_executable(plugin_tests tests/win32/plugin_host_test.cpp tests/win32/modal_timer.cpp)
target_link_libraries(plugin_tests PRIVATE kelvane_app win32_test_support gtest_main)
add_dependencies(plugin_tests ${KELVANE_TEST_PLUGINS} bare_module)
kelvane_win32_target(plugin_tests)

add_executable(wallpaper_tests tests/win32/wallpaper_test.cpp tests/win32/modal_timer.cpp)
target_link_libraries(wallpaper_tests PRIVATE wallpaper_lib win32_test_support gtest_main)
add_dependencies(wallpaper_tests wallpaper)
kelvane_win32_target(wallpaper_tests)

add_executable(plugin_program_tests
  tests/program/running_clock.cpp
  tests/program/plugin_menu_test.cpp
)
target_link_libraries(plugin_program_tests PRIVATE win32_test_support gtest_main)
add_dependencies(plugin_program_tests Kelvane wallpaper plugin_menu_probe)
kelvane_win32_target(plugin_program_tests)
