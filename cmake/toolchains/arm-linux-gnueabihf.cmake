# 32-bit ARM Linux with hardware floating point (Debian's armhf):
# arm-linux-gnueabihf-g++, run under qemu-arm.
set(CMAKE_SYSTEM_PROCESSOR armv7l)
set(cross_triple arm-linux-gnueabihf)
set(EURO_UMRECHNER_DEBIAN_ARCHITECTURE armhf)
set(EURO_UMRECHNER_RPM_ARCHITECTURE armv7hl)
set(cross_qemu arm)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross-linux.cmake)
