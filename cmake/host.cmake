# Native tree: the Win32-free code, its tests and the art tools.
add_executable(host_tests
  tests/host/program_path_test.cpp
  tests/host/region_data_test.cpp
  tests/host/orb_format_test.cpp
)
target_link_libraries(host_tests PRIVATE kelvane_core orb_writer gtest_main)
target_compile_definitions(host_tests PRIVATE KELVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
kelvane_warnings(host_tests)

include(cmake/tools.cmake)
include(cmake/mag_host.cmake)
include(cmake/plugins_host.cmake)
