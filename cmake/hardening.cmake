# Hardened as Debian builds its packages: a position-independent executable,
# relocations resolved at start and then made read-only, and stack protection.
# Apple's linker knows none of the GNU linker's options, so each linker option
# is given only where the linker accepts it.
include(CheckLinkerFlag)
include(CheckPIESupported)
# Neither means anything on wasm32, whose code lies apart from its memory and
# whose memory is never mapped at a random place; wasi-libc has no stack guard.
if(NOT CMAKE_SYSTEM_PROCESSOR STREQUAL "wasm32")
  check_pie_supported()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  add_compile_options(-fstack-protector-strong)
endif()

# Gives `target` each of the linker options that this linker accepts.
function(euro_umrechner_link_options_if_accepted target)
  foreach(option IN LISTS ARGN)
    string(MAKE_C_IDENTIFIER "EURO_UMRECHNER_LINKER_${option}" accepted)
    check_linker_flag(CXX "${option}" ${accepted})
    if(${accepted})
      target_link_options(${target} PRIVATE "${option}")
    endif()
  endforeach()
endfunction()

if(WIN32)
  # MinGW's linker has no -z options, and links the stack protector's
  # run-time support only when told to.
  add_link_options(-fstack-protector-strong)
else()
  check_linker_flag(CXX LINKER:-z,relro,-z,now EURO_UMRECHNER_LINKER_RELRO)
  if(EURO_UMRECHNER_LINKER_RELRO)
    add_link_options(LINKER:-z,relro LINKER:-z,now)
  endif()
endif()

# A static program is position-independent only where the C library has the
# start-up code for it (glibc's rcrt1.o; Debian's armhf has none). -static-pie
# takes the place of -pie, which after it would make the program dynamic again.
if(EURO_UMRECHNER_STATIC AND NOT WIN32)
  check_linker_flag(CXX -static-pie EURO_UMRECHNER_STATIC_PIE)
  if(EURO_UMRECHNER_STATIC_PIE)
    set(CMAKE_CXX_LINK_OPTIONS_PIE -static-pie)
  else()
    message(STATUS "No -static-pie with this toolchain: the static program is not position-independent")
    set(CMAKE_POSITION_INDEPENDENT_CODE OFF)
    add_link_options(-static)
  endif()
endif()

# FORTIFY needs optimisation, and its checked C library calls would bypass the
# sanitizers' own checks of those calls. A level the builder chose in the flags
# stands.
string(TOUPPER "${CMAKE_BUILD_TYPE}" build_type)
if(NOT EURO_UMRECHNER_SANITIZE AND NOT "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${build_type}}" MATCHES "_FORTIFY_SOURCE")
  add_compile_definitions($<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
endif()
