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

file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../../packaging/targets targets REGEX "^[^#]")
foreach(target IN LISTS targets)
  string(REGEX MATCHALL "[^ \t]+" columns "${target}")
  list(GET columns 2 triple)
  if(triple STREQUAL cross_triple)
    list(GET columns 3 EURO_UMRECHNER_DEBIAN_ARCHITECTURE)
    list(GET columns 4 EURO_UMRECHNER_RPM_ARCHITECTURE)
    list(GET columns 6 cross_emulator)
  endif()
endforeach()
if(NOT cross_emulator)
  message(FATAL_ERROR "packaging/targets has no line for ${cross_triple}")
endif()

find_program(EURO_UMRECHNER_QEMU ${cross_emulator} REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${EURO_UMRECHNER_QEMU} -L /usr/${cross_triple})
