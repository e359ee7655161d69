# Read by cpack: the Depends of a package for another architecture, by
# dpkg-shlibdeps over the target's libraries in the cross toolchain's root.
# Their shlibs files name the cross packages (libc6:arm64,
# libgcc-s1-armhf-cross); a user of the target installs the same libraries as
# libc6 and libgcc-s1, at the same versions.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
set(work ${CPACK_PACKAGE_DIRECTORY}/_CPack_Packages/shlibdeps)
file(MAKE_DIRECTORY ${work}/debian)
file(WRITE ${work}/debian/control "Source: ${CPACK_PACKAGE_NAME}\n\nPackage: ${CPACK_PACKAGE_NAME}\nArchitecture: any\n")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env DEB_HOST_ARCH=${CPACK_DEBIAN_PACKAGE_ARCHITECTURE}
          dpkg-shlibdeps -l${CPACK_EURO_UMRECHNER_TARGET_LIBRARIES} -O ${CPACK_EURO_UMRECHNER_PROGRAM}
  WORKING_DIRECTORY ${work}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE substvars
  ERROR_VARIABLE diagnostics)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "dpkg-shlibdeps failed:\n${diagnostics}")
endif()
string(REGEX REPLACE "^shlibs:Depends=([^\n]*).*$" "\\1" depends "${substvars}")
string(REGEX REPLACE ":${CPACK_DEBIAN_PACKAGE_ARCHITECTURE}|-${CPACK_DEBIAN_PACKAGE_ARCHITECTURE}-cross" ""
       CPACK_DEBIAN_PACKAGE_DEPENDS "${depends}")
