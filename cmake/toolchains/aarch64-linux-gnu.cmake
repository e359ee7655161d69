# 64-bit ARM Linux: aarch64-linux-gnu-g++, run under qemu-aarch64.
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(cross_triple aarch64-linux-gnu)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross-linux.cmake)
