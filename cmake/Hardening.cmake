# Debian's hardening flags for the optimised builds: the ones users run and the package is made
# of. dpkg-buildflags also chooses optimisation and debug information; those stay the build
# type's, so that a hardened release build is still the -O3 build the benchmarks measure.
if(CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo)$" AND NOT XSCATTER_SANITIZE)
  set(harden_default ON)
else()
  # _FORTIFY_SOURCE needs optimisation, and the sanitizers bring checks of their own.
  set(harden_default OFF)
endif()
option(XSCATTER_HARDEN "Build with dpkg-buildflags' hardening=+all flags" ${harden_default})
if(NOT XSCATTER_HARDEN)
  return()
endif()

find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT DPKG_BUILDFLAGS)
  message(FATAL_ERROR "XSCATTER_HARDEN needs dpkg-buildflags (Debian package dpkg-dev); "
                      "install it or configure with -DXSCATTER_HARDEN=OFF")
endif()
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
  # From the source folder, so that its -ffile-prefix-map takes the checkout's path out of the
  # binaries wherever the checkout lies.
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
            ${DPKG_BUILDFLAGS} --get ${kind}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  list(FILTER flags EXCLUDE REGEX "^-(O.*|g.*)$")
  if(kind STREQUAL LDFLAGS)
    add_link_options(${flags})
  else()
    add_compile_options(${flags})
  endif()
  message(STATUS "Hardening ${kind}: ${flags}")
endforeach()
