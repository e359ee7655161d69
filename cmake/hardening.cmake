# Hardened as Debian builds its packages: a position-independent executable,
# relocations resolved at start and then made read-only, and stack protection.
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
add_compile_options(-fstack-protector-strong)
if(WIN32)
  # MinGW's linker has no -z options, and links the stack protector's
  # run-time support only when told to.
  add_link_options(-fstack-protector-strong)
else()
  add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()

# FORTIFY needs optimisation, and its checked C library calls would bypass the
# sanitizers' own checks of those calls. A level the builder chose in the flags
# stands.
string(TOUPPER "${CMAKE_BUILD_TYPE}" build_type)
if(NOT EURO_UMRECHNER_SANITIZE AND NOT "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${build_type}}" MATCHES "_FORTIFY_SOURCE")
  add_compile_definitions($<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
endif()
