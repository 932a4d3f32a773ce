# Finishes an installer that wixl made, with what wixl cannot say or says
# otherwise: the template's language (wixl writes 1033 whatever the
# package's), the summary's title and keywords in Spanish (wixl writes
# English ones), a package code derived from what the package holds (so that
# the same sources give the same installer), and an upgrade that takes in
# the same version (wixl's MajorUpgrade knows no AllowSameVersionUpgrades):
# the other architecture's installer of the same version is then replaced.
#   cmake -DMSI=... -DMSIBUILD=... -DPLATFORM=x64|Intel -DVERSION=1.0.0
#         -DUPGRADE_CODE=<uuid> -DNAMESPACE=<uuid> -DCONTENTS="file;file"
#         -DPYTHON=/usr/bin/python3 -P FinishMsi.cmake
set(hashes "")
foreach(file IN LISTS CONTENTS)
  file(SHA256 ${file} hash)
  string(APPEND hashes ${hash})
endforeach()
string(UUID package_code NAMESPACE ${NAMESPACE} NAME "${hashes}" TYPE SHA1 UPPER)
execute_process(
  COMMAND ${MSIBUILD} ${MSI} -s "Tasa Efectiva ${VERSION}" "www.tasa.example.org"
    "${PLATFORM};3082" "{${package_code}}"
  COMMAND_ERROR_IS_FATAL ANY)
# The row that finds what to replace, again with attributes 513: migrate
# features (1) and the maximum version included (0x200). (Attributes is
# part of the table's key, which SQL in an installer cannot update.)
execute_process(
  COMMAND ${MSIBUILD} ${MSI}
    -q "DELETE FROM `Upgrade` WHERE `ActionProperty` = 'WIX_UPGRADE_DETECTED'"
    -q "INSERT INTO `Upgrade` (`UpgradeCode`, `VersionMax`, `Attributes`, `ActionProperty`) VALUES ('{${UPGRADE_CODE}}', '${VERSION}', 513, 'WIX_UPGRADE_DETECTED')"
  COMMAND_ERROR_IS_FATAL ANY)
execute_process(
  COMMAND ${PYTHON} ${CMAKE_CURRENT_LIST_DIR}/msi_summary.py ${MSI}
    "Instalador de Windows" "Instalador, tasa efectiva, tasa anual, tasa mensual"
  COMMAND_ERROR_IS_FATAL ANY)
