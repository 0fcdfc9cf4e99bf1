# SPDX-License-Identifier: MIT
# The help and about windows, and what they and the program's icon show:
# compiled into lumora_ui with Qt's resource system, reachable under
# ":/lumora/" (":/lumora/icons/lumora-32.png", ":/lumora/logo.png",
# ":/lumora/texts/help.txt"). The PNGs are rendered from the SVGs in art/
# (see README.md) and kept in the tree, so building needs no renderer.
target_sources(lumora_ui PRIVATE
  ${PROJECT_SOURCE_DIR}/ui/dialogs/form4.cpp
  ${PROJECT_SOURCE_DIR}/ui/dialogs/form5.cpp
  ${PROJECT_SOURCE_DIR}/ui/dialogs/read_only_text.cpp
)

qt_add_resources(lumora_ui "lumora_resources"
  PREFIX "/lumora"
  BASE ${PROJECT_SOURCE_DIR}/resources
  FILES
    ${PROJECT_SOURCE_DIR}/resources/icons/lumora-16.png
    ${PROJECT_SOURCE_DIR}/resources/icons/lumora-24.png
    ${PROJECT_SOURCE_DIR}/resources/icons/lumora-32.png
    ${PROJECT_SOURCE_DIR}/resources/icons/lumora-48.png
    ${PROJECT_SOURCE_DIR}/resources/icons/lumora-64.png
    ${PROJECT_SOURCE_DIR}/resources/icons/lumora-128.png
    ${PROJECT_SOURCE_DIR}/resources/icons/lumora-256.png
    ${PROJECT_SOURCE_DIR}/resources/logo.png
    ${PROJECT_SOURCE_DIR}/resources/logo@2x.png
    ${PROJECT_SOURCE_DIR}/resources/logo@3x.png
    ${PROJECT_SOURCE_DIR}/resources/texts/help.txt
    ${PROJECT_SOURCE_DIR}/resources/texts/summary.txt
    ${PROJECT_SOURCE_DIR}/resources/texts/credits.txt
    ${PROJECT_SOURCE_DIR}/resources/texts/beta_testers.txt
    ${PROJECT_SOURCE_DIR}/resources/texts/version_history.txt
    ${PROJECT_SOURCE_DIR}/resources/texts/support.txt
    ${PROJECT_SOURCE_DIR}/resources/texts/contact.txt
)
