# SPDX-License-Identifier: MIT
# CPack: "make package" turns the install tree into a Debian package,
# lumora_<version>-<release>_<arch>.deb in the build directory. The shared
# library dependencies come from dpkg-shlibdeps; the fonts the windows are
# drawn with are named by hand, as the program only finds them at run time.
set(CPACK_PACKAGE_NAME "lumora")
set(CPACK_PACKAGE_VENDOR "The Lumora developers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "runtime and resistor calculator for LED flashlights")
set(CPACK_PACKAGE_DESCRIPTION
  "Lumora is a small calculator for people who build or modify LED flashlights.
One window holds two calculators side by side: a runtime calculator that
balances LED current, forward voltage, battery voltage, capacity, runtime and
converter efficiency, and a resistor calculator for one or more LEDs in series
or parallel that also gives the resistor's power.
.
lumora-cli runs both calculators from the command line with the same texts,
and adds the standard E-series resistor to buy, the LED current over a
battery's discharge, battery presets and tables in CSV or JSON.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${LUMORA_HOMEPAGE}")
set(CPACK_PACKAGE_CONTACT "${LUMORA_CONTACT}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Lumora")
set(CPACK_STRIP_FILES ON)

if(UNIX AND NOT APPLE)
  set(CPACK_GENERATOR "DEB")
endif()
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_RELEASE "${LUMORA_PACKAGE_RELEASE}") # from packaging/changelog
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${LUMORA_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${LUMORA_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")

# "make package_source": the tracked sources only, no build trees.
set(CPACK_SOURCE_GENERATOR "TGZ")
set(CPACK_SOURCE_PACKAGE_FILE_NAME "lumora-${PROJECT_VERSION}")
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/" "/fuzz-build[^/]*/" "\\\\.user$")

include(CPack)
