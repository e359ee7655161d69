# Shared part of the Linux cross toolchains: Debian's cross compiler for
# `cross_triple` (whose Debian and RPM architectures, which the packages are
# labelled with, are EURO_UMRECHNER_DEBIAN_ARCHITECTURE and
# EURO_UMRECHNER_RPM_ARCHITECTURE), its sysroot for libraries and
# headers, and qemu-user as the emulator that runs what it builds (this machine
# has no binfmt handler, so CMake and the tests must name the emulator). qemu
# finds the target's dynamic loader and C library through -L.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${cross_triple}-gcc)
set(CMAKE_CXX_COMPILER ${cross_triple}-g++)

set(CMAKE_FIND_ROOT_PATH /usr/${cross_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(EURO_UMRECHNER_QEMU qemu-${cross_qemu} REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${EURO_UMRECHNER_QEMU} -L /usr/${cross_triple})
