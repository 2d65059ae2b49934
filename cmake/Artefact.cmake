# The shipped program as the people who install it see it: its version and maker, its icon, and
# on Windows the resources that carry them and an executable without debug sections.
#
# Include after Stores.cmake: the icon lies beside the stores (the native build draws it there,
# and a cross build takes it from the native build's store folder, as it takes the stores).
#
# Output:
#   VARNEL_PROGRAM_INFO_DIR  include directory of the generated ProgramInfo.h
#   VARNEL_PROGRAM_RC        the installer's resource script (manifest, icon, version; Windows)
#   VARNEL_WINDOW_RC         manifest and icon alone, for the other window programs (Windows)
#   varnel_ship_windows_program(target)  moves the debug sections of a Windows executable into
#                            <name>.exe.debug beside it, linked by name and checksum

set(VARNEL_COMPANY "Varnel")
set(VARNEL_PRODUCT "Varnel instalador")
set(VARNEL_DESCRIPTION "Varnel button installer")
set(VARNEL_COPYRIGHT "Copyright (C) 2026 Varnel")

# The four numbers of a Windows version (major, minor, patch, tweak), missing ones as 0.
set(VARNEL_VERSION_NUMBERS "")
foreach(part MAJOR MINOR PATCH TWEAK)
  set(number "${PROJECT_VERSION_${part}}")
  if(number STREQUAL "")
    set(number 0)
  endif()
  list(APPEND VARNEL_VERSION_NUMBERS "${number}")
endforeach()
list(JOIN VARNEL_VERSION_NUMBERS "," VARNEL_VERSION_NUMBERS)

set(VARNEL_ICON_FILE "${store_dir}/instalador.ico")
if(NOT CMAKE_CROSSCOMPILING)
  add_custom_command(
    OUTPUT "${VARNEL_ICON_FILE}"
    COMMAND artgen-icon "${VARNEL_ICON_FILE}"
    DEPENDS artgen-icon
    COMMENT "Drawing the program's icon"
    VERBATIM)
  add_custom_target(program_icon ALL DEPENDS "${VARNEL_ICON_FILE}")
elseif(NOT EXISTS "${VARNEL_ICON_FILE}")
  message(FATAL_ERROR "No icon ${VARNEL_ICON_FILE}: build the native preset first (it draws the "
                      "icon beside the stores).")
endif()

set(VARNEL_PROGRAM_INFO_DIR "${CMAKE_CURRENT_BINARY_DIR}/generated")
configure_file("${CMAKE_CURRENT_LIST_DIR}/ProgramInfo.h.in"
               "${VARNEL_PROGRAM_INFO_DIR}/ProgramInfo.h" @ONLY)

set(VARNEL_PROGRAM_RC "")
set(VARNEL_WINDOW_RC "")
if(WIN32)
  enable_language(RC)
  set(win32 "${CMAKE_CURRENT_SOURCE_DIR}/platform/win32")
  set(VARNEL_PROGRAM_RC "${win32}/instalador.rc")
  set(VARNEL_WINDOW_RC "${win32}/Program.rc")
  # The resource compiler reports no included files to the build: name them.
  set_source_files_properties("${VARNEL_PROGRAM_RC}" "${VARNEL_WINDOW_RC}" PROPERTIES
    OBJECT_DEPENDS "${VARNEL_ICON_FILE};${win32}/instalador.manifest;${win32}/Program.rc;${win32}/ResourceIds.h;${VARNEL_PROGRAM_INFO_DIR}/ProgramInfo.h")
endif()

function(varnel_ship_windows_program target)
  if(NOT CMAKE_OBJCOPY)
    message(FATAL_ERROR "No objcopy for the Windows build (binutils-mingw-w64-x86-64)")
  endif()
  set(exe "$<TARGET_FILE:${target}>")
  # objcopy writes the executable's header anew, with the time of the copy unless
  # SOURCE_DATE_EPOCH names one: the time the build stands for, or none (0), as the linker wrote.
  set(epoch 0)
  if(VARNEL_SOURCE_DATE_EPOCH)
    set(epoch "${VARNEL_SOURCE_DATE_EPOCH}")
    set_property(TARGET ${target} PROPERTY CXX_LINKER_LAUNCHER
                 ${CMAKE_COMMAND} -E env "SOURCE_DATE_EPOCH=${epoch}")
  endif()
  set(env ${CMAKE_COMMAND} -E env "SOURCE_DATE_EPOCH=${epoch}")
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${env} ${CMAKE_OBJCOPY} --only-keep-debug "${exe}" "${exe}.debug"
    COMMAND ${env} ${CMAKE_OBJCOPY} --strip-all "--add-gnu-debuglink=${exe}.debug" "${exe}"
    COMMENT "Moving the debug sections of ${target} into ${target}.exe.debug"
    VERBATIM)
endfunction()
