# Windows tree: the MAG decoder and picture drawing, the skinned message dialog, the
# skins and dialog template, their tests and the decoder benchmark.
target_sources(kelvane_core PRIVATE imaging/mag_decoder.cpp)
target_sources(kelvane_app PRIVATE
  app/customize/message_dialog.cpp
  imaging/mag_picture.cpp
)

target_sources(kelvane_resources PRIVATE resources/skins.rc)
set_source_files_properties(resources/skins.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/resources/skin_message.mag;${CMAKE_SOURCE_DIR}/resources/skin_customize.mag")

add_executable(mag_win32_tests
  tests/win32/decoded_picture.cpp
  tests/win32/dialog_driver.cpp
  tests/win32/mag_picture_test.cpp
  tests/win32/message_dialog_test.cpp
  tools/mag_encoder.cpp
  $<TARGET_OBJECTS:kelvane_resources>
)
target_link_libraries(mag_win32_tests PRIVATE kelvane_app win32_test_support gtest_main)
kelvane_win32_target(mag_win32_tests)

# The quit question on the real Kelvane.exe, found beside the test.
add_executable(quit_dialog_tests
  tests/program/quit_dialog_test.cpp
  tests/program/running_clock.cpp
  tests/win32/dialog_driver.cpp
)
target_link_libraries(quit_dialog_tests PRIVATE win32_test_support gtest_main)
add_dependencies(quit_dialog_tests Kelvane)
kelvane_win32_target(quit_dialog_tests)

add_executable(mag_bench bench/mag_bench.cpp $<TARGET_OBJECTS:kelvane_resources>)
target_link_libraries(mag_bench PRIVATE kelvane_app)
kelvane_win32_target(mag_bench)
