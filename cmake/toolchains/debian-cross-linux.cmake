# Shared part of the Linux cross toolchains: Debian's cross compiler for
# `cross_triple`, its sysroot for libraries and headers, and from the targets'
# table (packaging/targets) the architecture's Debian and RPM names, which the
# packages are labelled with, and the qemu-user emulator that runs what it
# builds (this machine has no binfmt handler, so CMake and the tests must name
# the emulator). qemu finds the target's dynamic loader and C library through -L.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${cross_triple}-gcc)
set(CMAKE_CXX_COMPILER ${cross_triple}-g++)

set(CMAKE_FIND_ROOT_PATH /usr/${cross_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The columns by the names of the comment line just above the first target,
# "# preset kind triple ...", as packaging/targets.bash reads them.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../../packaging/targets lines)
set(header "")
set(in_targets FALSE)
foreach(line IN LISTS lines)
  string(REGEX MATCHALL "[^ \t]+" columns "${line}")
  if(line MATCHES "^#")
    if(NOT in_targets)
      set(header "${columns}")
    endif()
    continue()
  elseif(NOT columns)
    continue()
  endif()
  set(in_targets TRUE)
  set(values "")
  foreach(name IN ITEMS triple debian rpm emulator)
    list(FIND header ${name} at)
    if(at LESS 1)
      message(FATAL_ERROR "packaging/targets: no column ${name} in the line above the first target")
    endif()
    math(EXPR at "${at} - 1")
    list(GET columns ${at} value)
    list(APPEND values ${value})
  endforeach()
  list(POP_FRONT values triple)
  if(triple STREQUAL cross_triple)
    list(POP_FRONT values EURO_UMRECHNER_DEBIAN_ARCHITECTURE EURO_UMRECHNER_RPM_ARCHITECTURE cross_emulator)
  endif()
endforeach()
if(NOT cross_emulator)
  message(FATAL_ERROR "packaging/targets has no line for ${cross_triple}")
endif()

find_program(EURO_UMRECHNER_QEMU ${cross_emulator} REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${EURO_UMRECHNER_QEMU} -L /usr/${cross_triple})
