# Debian packages, sourced by the other scripts.
# What building the calculator needs.
BUILD_PACKAGES=(cmake make g++ qt6-base-dev fonts-dejavu-core)
# What the tests and benchmarks need on top: GoogleTest and Google Benchmark,
# an X server and Xlib for the real-window test, the desktop-entry
# validators, the MinGW resource compiler, a locale with a decimal comma,
# and clang with its sanitizer and libFuzzer run times.
TEST_PACKAGES=(libgtest-dev libbenchmark-dev xvfb xauth libx11-dev
  desktop-file-utils appstream binutils-mingw-w64-i686 locales
  clang libclang-rt-14-dev)
# The Windows executables: the MinGW-w64 cross compilers.
WINDOWS_BUILD_PACKAGES=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686
  binutils-mingw-w64-x86-64)
# Wine to test them; the 32-bit one needs the i386 architecture.
WINDOWS_TEST_PACKAGES=(wine wine64 wine32:i386)
