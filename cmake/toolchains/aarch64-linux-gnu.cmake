# 64-bit ARM Linux, with Debian's cross compiler. The core needs nothing
# more; the Qt window takes the arm64 Qt of a multiarch installation
# (dpkg --add-architecture arm64; qt6-base-dev:arm64), with the native moc,
# rcc and lrelease.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_FIND_ROOT_PATH /usr/aarch64-linux-gnu /)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Its programs run here under qemu-user: against the arm64 libraries of the
# multiarch installation where it has them, the ones a package gets, or
# else against the cross compiler's own.
if(EXISTS /usr/lib/aarch64-linux-gnu/libstdc++.so.6)
  set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L /)
else()
  set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L /usr/aarch64-linux-gnu)
endif()
