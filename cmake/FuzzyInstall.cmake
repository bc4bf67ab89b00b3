# What `cmake --install` puts in place, and the Debian package `cpack -G DEB` makes of it:
#   include/fuzzy/<module>/...   the public headers (detail/ folders stay private)
#   lib/libfuzzy.a or libfuzzy.so.<version> with its SONAME link
#   lib/cmake/fuzzy/             fuzzyConfig.cmake, fuzzyConfigVersion.cmake, the targets
#   lib/pkgconfig/fuzzy.pc
#   bin/fuzzy                    the command-line tool, when built
include(CMakePackageConfigHelpers)

set(FUZZY_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/fuzzy)

foreach(module IN LISTS FUZZY_HEADER_MODULES)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/${module}
    DESTINATION ${FUZZY_INSTALL_INCLUDEDIR}
    FILES_MATCHING PATTERN "*.hpp"
    PATTERN "detail" EXCLUDE)
endforeach()

install(TARGETS fuzzy EXPORT fuzzyTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(EXPORT fuzzyTargets NAMESPACE fuzzy:: DESTINATION ${FUZZY_INSTALL_CMAKEDIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/fuzzyConfig.cmake.in
  ${PROJECT_BINARY_DIR}/fuzzyConfig.cmake
  INSTALL_DESTINATION ${FUZZY_INSTALL_CMAKEDIR})
# Same rule as the SONAME: below 1.0 only the same minor version is compatible.
if(PROJECT_VERSION_MAJOR EQUAL 0)
  set(FUZZY_COMPATIBILITY SameMinorVersion)
else()
  set(FUZZY_COMPATIBILITY SameMajorVersion)
endif()
write_basic_package_version_file(${PROJECT_BINARY_DIR}/fuzzyConfigVersion.cmake
  COMPATIBILITY ${FUZZY_COMPATIBILITY})
install(FILES ${PROJECT_BINARY_DIR}/fuzzyConfig.cmake ${PROJECT_BINARY_DIR}/fuzzyConfigVersion.cmake
  DESTINATION ${FUZZY_INSTALL_CMAKEDIR})

# The .pc file finds its prefix from its own place (${pcfiledir}), so that an install moved
# elsewhere, or unpacked into a temporary folder, still gives the right paths.
file(RELATIVE_PATH FUZZY_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" FUZZY_PC_TO_PREFIX "${FUZZY_PC_TO_PREFIX}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/fuzzy.pc.in ${PROJECT_BINARY_DIR}/fuzzy.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/fuzzy.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# One Debian package with everything above (cpack -G DEB in the build folder).
set(CPACK_PACKAGE_NAME fuzzy)
set(CPACK_PACKAGE_VENDOR "fuzzy developers")
set(CPACK_PACKAGE_CONTACT "fuzzy developers <fuzzy@localhost>" CACHE STRING
  "Maintainer named in the Debian package")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "C++ fuzzy-logic class library and its command-line tool")
set(CPACK_PACKAGE_DESCRIPTION
  "Fuzzy sets as exact piecewise-linear membership functions, linguistic variables, rules\n\
and defuzzification, with a parenthesised definition language, the headers, CMake and\n\
pkg-config files to build against it, and the tool fuzzy to check, print and plot\n\
definitions.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The tool may link the package's own shared library: look for it in the build folder.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR})
include(CPack)
