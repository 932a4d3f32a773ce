#pragma once

#include <windows.h>

namespace tasa {

// A function of `module` looked up at run time, for what older versions
// of Windows do not have; nullptr where this one has none.
template <class Function>
Function SystemFunction(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace tasa
