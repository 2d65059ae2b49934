# Builds instalador.msi from packaging/instalador.wxs with wixl (msitools), in script mode:
#
#   cmake -DWIXL=... -DMSIINFO=... -DMSIBUILD=... -DWXS=... -DEXE=... -DICON=... -DVERSION=...
#         -DFILE_VERSION=... -DOUT=... -P Msi.cmake
#
# VERSION is the package's (three numbers), FILE_VERSION the four of instalador.exe's version
# resource. Two things wixl 0.101 cannot say are set in its tables afterwards:
# - INSTALLROOT joins SecureCustomProperties (wixl ignores Property/@Secure): only secure public
#   properties reach the installation's server side in every case (a managed or elevated
#   installation), and a root that did not arrive would be replaced by the remembered or
#   default one without a word.
# - instalador.exe gets its version in the File table (wixl reads none, and File/@DefaultVersion
#   is ignored), and so loses the file hash that only unversioned files carry: an upgrade then
#   replaces the program because its version is higher, by Windows Installer's rule for
#   versioned files, not by comparing file dates.
# The package is made under a temporary name and renamed when complete, so a failed build never
# leaves a package behind that looks finished.
foreach(var WIXL MSIINFO MSIBUILD WXS EXE ICON VERSION FILE_VERSION OUT)
  if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
    message(FATAL_ERROR "Msi.cmake: ${var} is not set")
  endif()
endforeach()

set(partial "${OUT}.partial")
file(REMOVE "${partial}")
# wixl takes no absolute source paths: it reads the files the package names (instalador.exe,
# instalador.ico) from its working folder, where links to them are put.
set(staging "${OUT}.files")
file(REMOVE_RECURSE "${staging}")
file(MAKE_DIRECTORY "${staging}")
file(CREATE_LINK "${EXE}" "${staging}/instalador.exe" SYMBOLIC)
file(CREATE_LINK "${ICON}" "${staging}/instalador.ico" SYMBOLIC)
execute_process(
  COMMAND "${WIXL}" --arch x64 -D "Version=${VERSION}" -o "${partial}" "${WXS}"
  WORKING_DIRECTORY "${staging}"
  RESULT_VARIABLE result)
file(REMOVE_RECURSE "${staging}")
if(NOT result EQUAL 0)
  file(REMOVE "${partial}")
  message(FATAL_ERROR "wixl could not build the package from ${WXS}")
endif()

execute_process(COMMAND "${MSIINFO}" export "${partial}" Property
                OUTPUT_VARIABLE properties RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE "${partial}")
  message(FATAL_ERROR "msiinfo cannot read the Property table of ${partial}")
endif()
set(secure "")
if(properties MATCHES "\nSecureCustomProperties\t([^\r\n]*)")
  set(secure "${CMAKE_MATCH_1}")
endif()
if(NOT secure MATCHES "(^|;)INSTALLROOT(;|$)")
  if(secure STREQUAL "")
    set(secure "INSTALLROOT")
    set(query "INSERT INTO `Property` (`Property`, `Value`) VALUES ('SecureCustomProperties', '${secure}')")
  else()
    set(secure "INSTALLROOT;${secure}")
    set(query "UPDATE `Property` SET `Value` = '${secure}' WHERE `Property` = 'SecureCustomProperties'")
  endif()
  execute_process(COMMAND "${MSIBUILD}" "${partial}" -q "${query}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    file(REMOVE "${partial}")
    message(FATAL_ERROR "msibuild could not make INSTALLROOT a secure property")
  endif()
endif()
execute_process(
  COMMAND "${MSIBUILD}" "${partial}"
          -q "UPDATE `File` SET `Version` = '${FILE_VERSION}' WHERE `File` = 'InstaladorExe'"
          -q "DELETE FROM `MsiFileHash` WHERE `File_` = 'InstaladorExe'"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE "${partial}")
  message(FATAL_ERROR "msibuild could not give instalador.exe its version in the package")
endif()
file(RENAME "${partial}" "${OUT}")
