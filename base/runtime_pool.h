#pragma once

// The C++ runtime linked into a DLL sets aside an emergency pool for exceptions
// thrown when memory runs out (tens of kilobytes) as the DLL is loaded, and never
// gives it back by itself: every load and unload of the DLL would leave one
// behind. The runtime's __freeres returns it.
namespace __gnu_cxx {
void __freeres() noexcept;
}

// For a DLL's DLL_PROCESS_DETACH when it is freed (not at process exit): returns
// the runtime's emergency pool, after which nothing may throw.
inline void ReleaseRuntimePool() { __gnu_cxx::__freeres(); }
