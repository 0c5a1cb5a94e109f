# Cross-compiles for 32-bit Windows: the deliverables.
set(KELVANE_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
