# WebAssembly for WASI: Debian's clang++-14 with wasi-libc and the wasm32
# builds of libc++ and libc++abi (wasi-libc, libc++-14-dev-wasm32,
# libc++abi-14-dev-wasm32, libclang-rt-14-dev-wasm32). What it builds runs
# under Node's WASI (wasi_run.mjs), so the tests prove wasm32's bytes too, and
# the web page (web/) is built from the same core.
set(CMAKE_SYSTEM_NAME Generic)  # CMake 3.25 has no WASI platform of its own
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_C_COMPILER clang-14)  # GoogleTest's project enables C too
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)

# clang 14 has no exception handling for wasm32, and Debian's wasm32 libc++abi
# no __cxa_throw. The source tree's path is kept out of what is built, so that
# the page has the same bytes from any clone.
get_filename_component(wasm_source_root "${CMAKE_CURRENT_LIST_DIR}/../.." ABSOLUTE)
set(CMAKE_C_FLAGS_INIT "-ffile-prefix-map=${wasm_source_root}/=")
set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions -ffile-prefix-map=${wasm_source_root}/=")

# Only wasm32's own libraries and packages: never the host's GoogleTest.
set(CMAKE_FIND_ROOT_PATH /usr/lib/wasm32-wasi)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(EURO_UMRECHNER_NODE node REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${EURO_UMRECHNER_NODE} --no-warnings ${CMAKE_CURRENT_LIST_DIR}/wasi_run.mjs)
