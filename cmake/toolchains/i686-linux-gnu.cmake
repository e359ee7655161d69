# 32-bit x86 Linux: i686-linux-gnu-g++ (not g++ -m32: g++-multilib and the
# cross compilers exclude each other on Debian), whose float arithmetic runs on
# the x87 unit. Run under qemu-i386, as the CI machine's kernel cannot run
# i386 programs itself.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(cross_triple i686-linux-gnu)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross-linux.cmake)

# Linked statically for the tests: under Debian 12's qemu-i386 (7.2) fork()
# hangs or crashes in the child of a dynamically linked i386 program, and the
# tests fork. The Debian package turns it off, as it takes the C library's
# fixes from the system.
set(EURO_UMRECHNER_STATIC ON CACHE BOOL "Link statically, position-independent where the toolchain can")
