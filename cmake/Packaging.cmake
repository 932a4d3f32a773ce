# The Debian package, made by CPack from the install layout:
#   cpack --config BUILD/CPackConfig.cmake -B build/packages
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tasa-efectiva)
set(CPACK_PACKAGE_VERSION ${TASA_PACKAGE_VERSION})
set(CPACK_PACKAGE_VENDOR "www.tasa.example.org")
set(CPACK_PACKAGE_CONTACT "Tasa Efectiva <tasa@tasa.example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.tasa.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # run-time dependencies from the binary
# For another processor (arm64): its architecture, and its dependencies
# from its own libraries of a multiarch installation, which dpkg-shlibdeps
# looks for where DEB_HOST_ARCH says.
if(CMAKE_CROSSCOMPILING)
  execute_process(
    COMMAND dpkg-architecture -t ${CMAKE_LIBRARY_ARCHITECTURE} -qDEB_HOST_ARCH
    OUTPUT_VARIABLE tasa_deb_arch OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${tasa_deb_arch})
  file(WRITE ${PROJECT_BINARY_DIR}/CPackHostArchitecture.cmake
    "set(ENV{DEB_HOST_ARCH} ${tasa_deb_arch})\n")
  set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/CPackHostArchitecture.cmake)
endif()
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
# A short description and a long one, in English and in Spanish.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "effective interest rate converter / conversor de tasas efectivas")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"A small desktop calculator, in Spanish, that turns an effective annual
interest rate into the equivalent effective rate per period (the monthly
rate) and back, for a given number of compounding periods. Every digit it
shows is exact.
.
Calculadora de escritorio que convierte una tasa de interés efectiva anual
en la tasa efectiva por periodo equivalente (la tasa mensual), y al revés,
para un número dado de periodos de capitalización. Cada dígito que muestra
es exacto.")
include(CPack)
