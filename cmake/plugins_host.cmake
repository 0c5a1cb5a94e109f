# Native tests of the wallpaper plug-in's Win32-free file list, also run under
# the sanitizers. The rest of the Win32-free plug-in code (time tracking, enable
# list, rotation) is exercised through the Win32 tests of the host and plug-in.
add_executable(plugins_host_tests
  plugins/wallpaper/wallpaper_files.cpp
  tests/host/wallpaper_files_test.cpp
)
target_link_libraries(plugins_host_tests PRIVATE kelvane_core gtest_main)
kelvane_warnings(plugins_host_tests)
