# Windows tree: the deliverables, the Win32 tests and the benchmarks.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

# The runtime is linked in, so the deliverables import system DLLs only.
add_link_options(-static -static-libgcc -static-libstdc++)

function(kelvane_win32_target target)
  kelvane_warnings(${target})
  # Japanese literals become code page 932 bytes, as every "A" function expects.
  target_compile_options(${target} PRIVATE -fexec-charset=CP932)
  target_compile_definitions(${target} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
endfunction()

# The executable's resources; linked into the program and into tests that need them.
add_library(kelvane_resources OBJECT resources/kelvane.rc)
target_include_directories(kelvane_resources PRIVATE ${CMAKE_SOURCE_DIR}/resources)
set_source_files_properties(resources/kelvane.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/resources/clock.rgn;${CMAKE_SOURCE_DIR}/resources/dial.bmp")

add_library(kelvane_app STATIC
  app/window/clock_face.cpp
  app/window/clock_window.cpp
  app/window/settings.cpp
  app/window/startup.cpp
  app/window/tray_icon.cpp
  app/window/window_shape.cpp
  imaging/background_loader.cpp
  imaging/draw_surface.cpp
  imaging/file_bytes.cpp
  imaging/resource_data.cpp
  imaging/ui_font.cpp
)
target_link_libraries(kelvane_app PUBLIC kelvane_core gdi32 user32 msvfw32 shell32 comctl32)
kelvane_win32_target(kelvane_app)
target_compile_options(kelvane_core PRIVATE -fexec-charset=CP932)

add_executable(Kelvane WIN32 app/main.cpp $<TARGET_OBJECTS:kelvane_resources>)
target_link_libraries(Kelvane PRIVATE kelvane_app)
kelvane_win32_target(Kelvane)

include(cmake/win32_tests.cmake)
include(cmake/mag_win32.cmake)
include(cmake/plugins_win32.cmake)

# The info module, loaded by the clock from its info folder.
add_library(Mirrick SHARED modules/info/mirrick.cpp)
set_target_properties(Mirrick PROPERTIES PREFIX "")
target_link_libraries(Mirrick PRIVATE gdi32 user32)
target_link_options(Mirrick PRIVATE -Wl,--kill-at)
kelvane_win32_target(Mirrick)
