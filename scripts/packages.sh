# Debian packages, sourced by the other scripts.
# What building the calculator needs.
BUILD_PACKAGES=(cmake make g++ libgtest-dev libbenchmark-dev qt6-base-dev
  qt6-translations-l10n)
# What the tests need on top.
TEST_PACKAGES=(locales)
