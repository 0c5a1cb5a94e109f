# Native tree: the MAG decoder, the MAG tools, their tests and the decoder benchmark.
target_sources(kelvane_core PRIVATE imaging/mag_decoder.cpp)

add_library(mag_encoder STATIC tools/mag_encoder.cpp tools/indexed_bmp.cpp)
target_include_directories(mag_encoder PUBLIC ${CMAKE_SOURCE_DIR})
kelvane_warnings(mag_encoder)

add_executable(make_mag tools/make_mag.cpp)
target_link_libraries(make_mag PRIVATE mag_encoder)
kelvane_warnings(make_mag)

add_executable(mag_to_bmp tools/mag_to_bmp.cpp)
target_link_libraries(mag_to_bmp PRIVATE kelvane_core)
kelvane_warnings(mag_to_bmp)

add_executable(mag_tests
  tests/host/mag_decoder_test.cpp
  tests/host/mag_encoder_test.cpp
  tests/host/mag_test_support.cpp
)
target_link_libraries(mag_tests PRIVATE kelvane_core mag_encoder gtest_main)
kelvane_warnings(mag_tests)

add_executable(mag_bench bench/mag_bench.cpp)
target_link_libraries(mag_bench PRIVATE kelvane_core)
target_compile_definitions(mag_bench PRIVATE KELVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
kelvane_warnings(mag_bench)
