# 32-bit ARM Linux with hardware floating point (Debian's armhf):
# arm-linux-gnueabihf-g++, run under qemu-arm.
set(CMAKE_SYSTEM_PROCESSOR armv7l)
set(cross_triple arm-linux-gnueabihf)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross-linux.cmake)
