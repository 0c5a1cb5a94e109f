# Host tools that make the committed art (tools/make_art.sh builds them on its own too) and the
# tests of the picture writer.
add_library(orb_writer STATIC ${CMAKE_SOURCE_DIR}/tools/orb_writer.cpp)
target_include_directories(orb_writer PUBLIC ${CMAKE_SOURCE_DIR})

add_executable(make_region ${CMAKE_SOURCE_DIR}/tools/make_region.cpp)
add_executable(make_dial ${CMAKE_SOURCE_DIR}/tools/make_dial.cpp)
add_executable(make_icon ${CMAKE_SOURCE_DIR}/tools/make_icon.cpp)
add_executable(make_orb ${CMAKE_SOURCE_DIR}/tools/make_orb.cpp)
target_link_libraries(make_orb PRIVATE orb_writer)

add_executable(orb_writer_tests ${CMAKE_SOURCE_DIR}/tests/host/orb_writer_test.cpp)
target_link_libraries(orb_writer_tests PRIVATE orb_writer gtest_main)
add_test(NAME orb_writer_tests COMMAND orb_writer_tests)
