# Read by cpack: the Debian package depends on the C library from the newest
# version of it that its program refers to (GLIBC_x.y, as readelf lists the
# versions the program needs), not from the version of the C library it was
# built with. The program loads only the C library, whose package is libc6 on
# every architecture here; anything else stops the packaging.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
execute_process(COMMAND ${CPACK_EURO_UMRECHNER_READELF} --wide --dynamic --version-info ${CPACK_EURO_UMRECHNER_PROGRAM}
                OUTPUT_VARIABLE elf COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "Shared library: \\[[^]]*\\]" libraries "${elf}")
foreach(library IN LISTS libraries)
  if(NOT library MATCHES "\\[(libc\\.so\\.6|libm\\.so\\.6|ld-linux[-a-z0-9_.]*\\.so\\.[0-9]+)\\]$")
    message(FATAL_ERROR "${CPACK_EURO_UMRECHNER_PROGRAM} loads a library not in libc6: ${library}")
  endif()
endforeach()
string(REGEX MATCHALL "Name: GLIBC_[A-Z0-9_.]+" needed "${elf}")
set(newest "")
foreach(version IN LISTS needed)
  string(REGEX REPLACE "^Name: GLIBC_" "" version ${version})
  if(NOT version MATCHES "^[0-9]+(\\.[0-9]+)*$")
    message(FATAL_ERROR "${CPACK_EURO_UMRECHNER_PROGRAM} needs the C library's private GLIBC_${version}")
  endif()
  if(version VERSION_GREATER newest)
    set(newest ${version})
  endif()
endforeach()
if(newest STREQUAL "")
  message(FATAL_ERROR "${CPACK_EURO_UMRECHNER_PROGRAM} refers to no version of the C library")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6 (>= ${newest})")
