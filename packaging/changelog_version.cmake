# SPDX-License-Identifier: MIT
# The version of the program and the release of its Debian package come from
# the newest entry of packaging/changelog, the one place where a release is
# written down. Its first line is "lumora (<version>-<release>) <distribution>;
# urgency=<urgency>", as Debian's changelog format has it. Sets LUMORA_VERSION
# (for project()) and LUMORA_PACKAGE_RELEASE (the Debian revision).
file(READ ${CMAKE_CURRENT_LIST_DIR}/changelog lumora_changelog LIMIT 200)
string(REGEX MATCH "^[^\n]*" lumora_changelog_head "${lumora_changelog}")
if(NOT lumora_changelog_head MATCHES "^lumora \\(([0-9]+(\\.[0-9]+)*)-([0-9]+)\\) [a-z-]+; urgency=[a-z]+$")
  message(FATAL_ERROR "packaging/changelog should begin with a line like "
    "\"lumora (2.12-1) unstable; urgency=medium\", not \"${lumora_changelog_head}\"")
endif()
set(LUMORA_VERSION "${CMAKE_MATCH_1}")
set(LUMORA_PACKAGE_RELEASE "${CMAKE_MATCH_3}")
