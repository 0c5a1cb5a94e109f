# Windows tree: the shared Win32 layer, the program, the info module and the
# wallpaper plug-in.
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

# A drawing module or plug-in: a DLL named without the "lib" prefix whose cdecl
# exports keep their plain names.
function(kelvane_dll name)
  add_library(${name} SHARED ${ARGN})
  set_target_properties(${name} PROPERTIES PREFIX "")
  target_link_options(${name} PRIVATE -Wl,--kill-at)
  kelvane_win32_target(${name})
endfunction()

target_compile_options(kelvane_core PRIVATE -fexec-charset=CP932)

# The version resource of a shipped binary from resources/version_info.rc.in:
# its file name, then what it is in Japanese and in English.
function(kelvane_version_info target file description_ja description_en)
  set(KELVANE_FILE ${file})
  get_filename_component(KELVANE_NAME ${file} NAME_WE)
  set(KELVANE_DESCRIPTION_JA ${description_ja})
  set(KELVANE_DESCRIPTION_EN ${description_en})
  if(file MATCHES "[.]exe$")
    set(KELVANE_FILE_TYPE VFT_APP)
  else()
    set(KELVANE_FILE_TYPE VFT_DLL)
  endif()
  configure_file(${CMAKE_SOURCE_DIR}/resources/version_info.rc.in
    ${CMAKE_BINARY_DIR}/resources/${target}_version.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/resources/${target}_version.rc)
endfunction()

# The owning wrappers and dialog base that every deliverable may use.
add_library(kelvane_base_win STATIC
  base/win/dpi_awareness.cpp
  base/win/draw_dib.cpp
  base/win/draw_picture.cpp
  base/win/file_bytes.cpp
  base/win/folder_listing.cpp
  base/win/modal_dialog.cpp
  base/win/module_folder.cpp
  base/win/registry_key.cpp
  base/win/resource_data.cpp
  base/win/wic_picture.cpp
)
# The WIC class and interface ids come from MinGW's uuid library.
target_link_libraries(kelvane_base_win PUBLIC kelvane_core user32 gdi32 advapi32 ole32 uuid)
kelvane_win32_target(kelvane_base_win)

# The entry point of the shipped C++ DLLs: keeps the DLL's handle and returns the
# C++ runtime's emergency pool when the DLL is freed.
add_library(kelvane_dll_entry OBJECT base/win/dll_entry.cpp)
target_include_directories(kelvane_dll_entry PRIVATE ${CMAKE_SOURCE_DIR})
kelvane_win32_target(kelvane_dll_entry)

# The executable's resources; linked into the program and into tests that need them.
add_library(kelvane_resources OBJECT resources/kelvane.rc resources/skins.rc)
target_include_directories(kelvane_resources PRIVATE ${CMAKE_SOURCE_DIR})
set_source_files_properties(resources/kelvane.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/resources/clock.rgn;${CMAKE_SOURCE_DIR}/resources/dial.bmp;${CMAKE_SOURCE_DIR}/resources/dial_400.bmp;${CMAKE_SOURCE_DIR}/resources/clock.ico")
set_source_files_properties(resources/skins.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/resources/skin_message.mag;${CMAKE_SOURCE_DIR}/resources/skin_customize.mag")

# The program's code, linked into Kelvane.exe and into the tests.
add_library(kelvane_app STATIC
  app/customize/background_page.cpp
  app/customize/customize_dialog.cpp
  app/customize/customize_page.cpp
  app/customize/list_view.cpp
  app/customize/message_dialog.cpp
  app/customize/module_page.cpp
  app/customize/plugin_page.cpp
  app/plugins/enable_list_file.cpp
  app/plugins/plugin_host.cpp
  app/window/clock_accessible.cpp
  app/window/clock_face.cpp
  app/window/clock_window.cpp
  app/window/full_screen.cpp
  app/window/see_through.cpp
  app/window/settings.cpp
  app/window/shell_windows.cpp
  app/window/startup.cpp
  app/window/tray_icon.cpp
  app/window/window_shape.cpp
  app/window/work_area.cpp
  imaging/background_loader.cpp
  imaging/draw_surface.cpp
  imaging/mag_picture.cpp
  imaging/ui_font.cpp
)
target_link_libraries(kelvane_app PUBLIC kelvane_base_win kelvane_raster msvfw32 shell32 comctl32 uuid)
# The program and its tests see the SDK's function types, not its export declarations.
target_compile_definitions(kelvane_app PUBLIC KELVANE_HOST)
kelvane_win32_target(kelvane_app)

# The program's manifest goes into Kelvane.exe alone: the tests keep the system's
# default controls.
set(KELVANE_VERSION_QUAD ${PROJECT_VERSION}.0)
configure_file(resources/kelvane.manifest.in ${CMAKE_BINARY_DIR}/resources/kelvane.manifest @ONLY)
file(WRITE ${CMAKE_BINARY_DIR}/resources/manifest.rc
  "1 24 \"${CMAKE_BINARY_DIR}/resources/kelvane.manifest\"\n")
set_source_files_properties(${CMAKE_BINARY_DIR}/resources/manifest.rc PROPERTIES OBJECT_DEPENDS
  ${CMAKE_BINARY_DIR}/resources/kelvane.manifest)

add_executable(Kelvane WIN32 app/main.cpp $<TARGET_OBJECTS:kelvane_resources>
  ${CMAKE_BINARY_DIR}/resources/manifest.rc)
target_link_libraries(Kelvane PRIVATE kelvane_app)
kelvane_win32_target(Kelvane)
kelvane_version_info(Kelvane Kelvane.exe "デスクトップ時計" "Desktop clock")

kelvane_dll(Mirrick modules/info/mirrick.cpp)
target_include_directories(Mirrick PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(Mirrick PRIVATE gdi32 user32)
kelvane_version_info(Mirrick Mirrick.dll "時刻と日付の情報モジュール" "Time and date info module")

# The SDK's samples, built from its headers alone.
kelvane_dll(sample_module sdk/samples/sample_module.c)
target_include_directories(sample_module PRIVATE ${CMAKE_SOURCE_DIR}/sdk)
target_link_libraries(sample_module PRIVATE gdi32)
kelvane_dll(sample_plugin sdk/samples/sample_plugin.c)
target_include_directories(sample_plugin PRIVATE ${CMAKE_SOURCE_DIR}/sdk)
target_link_libraries(sample_plugin PRIVATE user32)

# The clock module: the rasteriser draws into the face's pixels, its settings
# dialog comes from its own resources.
kelvane_dll(Analog
  $<TARGET_OBJECTS:kelvane_dll_entry>
  modules/clock/analog.cpp
  modules/clock/analog.rc
  modules/clock/analog_clock.cpp
  modules/clock/analog_dialog.cpp
  modules/clock/analog_settings.cpp
  modules/clock/dib_pixels.cpp
  modules/clock/gdi_hands.cpp
  modules/clock/hand_schemes.cpp
)
target_link_libraries(Analog PRIVATE kelvane_raster kelvane_base_win)
kelvane_version_info(Analog Analog.dll "アナログ時計モジュール" "Analog clock module")

# The wallpaper plug-in's code, linked into wallpaper.dll and into its tests.
add_library(wallpaper_lib STATIC
  plugins/wallpaper/desktop.cpp
  plugins/wallpaper/folder_browser.cpp
  plugins/wallpaper/wallpaper_dialog.cpp
  plugins/wallpaper/wallpaper_preview.cpp
  plugins/wallpaper/wallpaper_settings.cpp
  plugins/wallpaper/wallpaper_state.cpp
)
target_link_libraries(wallpaper_lib PUBLIC kelvane_base_win shell32)
kelvane_win32_target(wallpaper_lib)

kelvane_dll(wallpaper plugins/wallpaper/wallpaper_plugin.cpp plugins/wallpaper/wallpaper.rc
  $<TARGET_OBJECTS:kelvane_dll_entry>)
target_link_libraries(wallpaper PRIVATE wallpaper_lib)
kelvane_version_info(wallpaper wallpaper.dll "壁紙を替えるプラグイン" "Wallpaper changer plug-in")

# The chime plug-in's code, linked into chime.dll and into its tests; its
# resources (dialogs and sounds) likewise.
add_library(chime_lib STATIC
  plugins/chime/alarm_dialog.cpp
  plugins/chime/alarm_window.cpp
  plugins/chime/chime_controls.cpp
  plugins/chime/chime_dialog.cpp
  plugins/chime/chime_plugin.cpp
  plugins/chime/chime_settings.cpp
  plugins/chime/sound_player.cpp
)
target_link_libraries(chime_lib PUBLIC kelvane_base_win comctl32 comdlg32 winmm)
kelvane_win32_target(chime_lib)
add_library(chime_resources OBJECT plugins/chime/chime.rc)
set_source_files_properties(plugins/chime/chime.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/plugins/chime/chime.wav;${CMAKE_SOURCE_DIR}/plugins/chime/alarm.wav")

kelvane_dll(chime plugins/chime/chime_exports.cpp $<TARGET_OBJECTS:chime_resources>
  $<TARGET_OBJECTS:kelvane_dll_entry>)
target_link_libraries(chime PRIVATE chime_lib)
kelvane_version_info(chime chime.dll "時報とアラームのプラグイン" "Time signal and alarm plug-in")
