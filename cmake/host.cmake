# Native tree: the host tools, the tests of the Win32-free code and the decoder
# benchmark.
foreach(tool make_region make_dial make_icon make_orb make_mag make_sounds mag_to_bmp)
  add_executable(${tool} tools/${tool}.cpp)
  target_link_libraries(${tool} PRIVATE kelvane_tools)
  kelvane_warnings(${tool})
endforeach()

add_library(host_test_support STATIC tests/host/mag_test_support.cpp)
target_link_libraries(host_test_support PUBLIC kelvane_tools gtest)
kelvane_warnings(host_test_support)

add_executable(host_tests
  tests/host/bmp_file_test.cpp
  tests/host/chime_schedule_test.cpp
  tests/host/clock_hands_test.cpp
  tests/host/clock_outline_test.cpp
  tests/host/cp932_test.cpp
  tests/host/enable_list_test.cpp
  tests/host/face_scaler_test.cpp
  tests/host/file_name_test.cpp
  tests/host/mag_decoder_test.cpp
  tests/host/mag_encoder_test.cpp
  tests/host/orb_format_test.cpp
  tests/host/orb_writer_test.cpp
  tests/host/picture_geometry_test.cpp
  tests/host/picture_header_test.cpp
  tests/host/picture_orientation_test.cpp
  tests/host/picture_resampler_test.cpp
  tests/host/placement_test.cpp
  tests/host/preview_geometry_test.cpp
  tests/host/region_data_test.cpp
  tests/host/second_tick_test.cpp
  tests/host/time_change_tracker_test.cpp
  tests/host/time_text_test.cpp
  tests/host/wallpaper_files_test.cpp
  tests/host/wallpaper_rotation_test.cpp
)
target_link_libraries(host_tests PRIVATE host_test_support kelvane_raster gtest_main)
target_compile_definitions(host_tests PRIVATE KELVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
kelvane_warnings(host_tests)

add_executable(mag_bench bench/mag_bench.cpp)
target_link_libraries(mag_bench PRIVATE kelvane_core)
target_compile_definitions(mag_bench PRIVATE KELVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
kelvane_warnings(mag_bench)
