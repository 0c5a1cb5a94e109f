# Cross-compiles for 64-bit Windows, for testing the Windows tree on machines
# that cannot run 32-bit programs.
set(KELVANE_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
