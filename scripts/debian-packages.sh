# Debian packages, sourced by the other scripts.
# What building the calculator needs (lrelease compiles its translation;
# the program asks Fontconfig for its fonts).
BUILD_PACKAGES=(cmake make g++ libboost-dev qt6-base-dev qt6-l10n-tools libfontconfig-dev
  fonts-dejavu-core)
# What the tests and benchmarks need on top: GoogleTest and Google Benchmark,
# MPFR as the reference for the arithmetic, an X server, Xlib, xdotool and
# xclip for the real-window test, the desktop-entry validators, a locale
# with a decimal comma, clang with its sanitizer and libFuzzer run times,
# and lintian and hardening-check (devscripts) for the package.
TEST_PACKAGES=(libgtest-dev googletest libbenchmark-dev libmpfr-dev xvfb xauth
  libx11-dev xdotool xclip desktop-file-utils appstream locales clang libclang-rt-14-dev
  lintian devscripts)
# What a screen reader says of the window: Debian's Orca, headless, with
# speech-dispatcher, the accessibility bus, a window manager, and xdotool
# to drive the window.
A11Y_TEST_PACKAGES=(orca speech-dispatcher at-spi2-core dbus xvfb openbox xdotool locales)
# The packages: dpkg-shlibdeps works out the Debian package's dependencies,
# wixl and msitools build the Windows installers, libmsi's Python bindings
# write their summary's title, faketime gives them the release's time.
PACKAGING_PACKAGES=(dpkg-dev wixl msitools python3-gi gir1.2-libmsi-1.0 faketime)
# The Windows executables: the MinGW-w64 cross compilers.
WINDOWS_BUILD_PACKAGES=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686
  binutils-mingw-w64-x86-64)
# Wine to test them, with a window manager that xdotool asks to minimize and
# restore the window. Wine's 32-bit half comes from the i386 architecture and
# is installed only where the kernel runs 32-bit programs
# (scripts/runs-32-bit.sh).
WINDOWS_TEST_PACKAGES=(wine wine64 openbox xdotool)
WINE32_PACKAGES=(wine32:i386)
# The core for other processors: 64-bit ARM Linux, run under qemu-user, and
# WebAssembly, built with emscripten and run under node.
OTHER_PROCESSOR_PACKAGES=(g++-aarch64-linux-gnu qemu-user emscripten nodejs)
# The window for 64-bit ARM Linux: Debian's arm64 Qt (with the native moc,
# rcc and lrelease of BUILD_PACKAGES) and Fontconfig, from the arm64
# architecture added beside the native one.
ARM64_PACKAGES=(qt6-base-dev:arm64 libfontconfig-dev:arm64)
# The web page: built with emscripten (npm comes with Debian's nodejs or
# beside it), its files compressed with gzip and brotli; tested in Debian's
# chromium, driven by npm's puppeteer-core.
WEB_BUILD_PACKAGES=(cmake make libboost-dev emscripten nodejs python3 gzip brotli)
WEB_TEST_PACKAGES=(chromium)
