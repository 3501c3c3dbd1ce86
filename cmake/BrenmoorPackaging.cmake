# Debian packages of libwin (cpack -G DEB in the build folder): brenmoor-win,
# the shared libraries a host runs with, and brenmoor-win-dev, what it builds
# with besides (headers, the static helper libraries, the link names, the
# pkg-config file and the CMake package). The programs are not packaged.
set(CPACK_PACKAGE_NAME brenmoor-win)
set(CPACK_PACKAGE_VENDOR Brenmoor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "UI classes for the Brenmoor suite's desktop applications")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_COMPONENTS_ALL ${BRENMOOR_LIBRARY_COMPONENT} ${BRENMOOR_DEVELOPMENT_COMPONENT})
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Brenmoor desktop suite developers")
set(CPACK_DEBIAN_PACKAGE_SECTION libs)

string(TOUPPER ${BRENMOOR_LIBRARY_COMPONENT} library)
string(TOUPPER ${BRENMOOR_DEVELOPMENT_COMPONENT} development)
set(CPACK_DEBIAN_${library}_PACKAGE_NAME brenmoor-win)
set(CPACK_COMPONENT_${library}_DESCRIPTION
  "libwin (terminal screen, list export and printing, window helpers) and the libraries it is made of")
# What the libraries link, as dpkg-shlibdeps finds it.
set(CPACK_DEBIAN_${library}_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_${development}_PACKAGE_NAME brenmoor-win-dev)
set(CPACK_DEBIAN_${development}_PACKAGE_SECTION libdevel)
set(CPACK_COMPONENT_${development}_DESCRIPTION
  "Headers, pkg-config file and CMake package to build host applications of libwin")
set(CPACK_DEBIAN_${development}_PACKAGE_DEPENDS "brenmoor-win (= ${PROJECT_VERSION})")
include(CPack)
