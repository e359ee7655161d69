# 32-bit x86 Linux: i686-linux-gnu-g++ (not g++ -m32: g++-multilib and the
# cross compilers exclude each other on Debian). Its floats are evaluated on
# the x87 unit unless the code takes care. Run under qemu-i386, which works
# also where the kernel cannot run i386 programs itself (as on the CI machine).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(cross_triple i686-linux-gnu)
set(cross_qemu i386)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross-linux.cmake)
