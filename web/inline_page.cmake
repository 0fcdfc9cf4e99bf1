# SPDX-License-Identifier: MIT
# Puts the page together: index.html with the style sheet and its scripts
# (the WebAssembly packed by pack_wasm.py, the Emscripten module and the
# page's parts, page_*.js and page.js) written into it in place of their
# links, so that the one file needs nothing else.
#
#   cmake -DSOURCE_DIR=web -DGLUE=lumora.js -DWASM=lumora_wasm.js -DOUTPUT=lumora.html -P inline_page.cmake
file(READ ${SOURCE_DIR}/index.html page)

# A page's own part without what only its reader needs: comment lines and
# indentation of JavaScript, comments and indentation of the style sheet.
function(compact content out)
  string(REGEX REPLACE "\n[ \t]*//[^\n]*" "" content "\n${content}")
  string(REGEX REPLACE "/\\*([^*]|\\*+[^*/])*\\*+/" "" content "${content}")
  string(REGEX REPLACE "\n[ \t]+" "\n" content "${content}")
  string(REGEX REPLACE "\n\n+" "\n" content "${content}")
  set(${out} "${content}" PARENT_SCOPE)
endfunction()

function(inline tag closing file)
  file(READ ${file} content)
  if(ARGV3)
    compact("${content}" content)
  endif()
  string(FIND "${content}" "</${closing}" inside)
  if(NOT inside EQUAL -1)
    message(FATAL_ERROR "${file} holds \"</${closing}\", which would end its element early")
  endif()
  string(FIND "${page}" "${tag}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "index.html has no ${tag}")
  endif()
  string(REPLACE "${tag}" "<${closing}>\n${content}</${closing}>" page "${page}")
  set(page "${page}" PARENT_SCOPE)
endfunction()

inline([[<link rel="stylesheet" href="lumora.css">]] style ${SOURCE_DIR}/lumora.css compact)
inline([[<script src="lumora_wasm.js"></script>]] script ${WASM})
inline([[<script src="lumora.js"></script>]] script ${GLUE})
# The page's own parts, in the order index.html names them.
string(REGEX MATCHALL "<script src=\"page[a-z_]*[.]js\"></script>" parts "${page}")
foreach(tag ${parts})
  string(REGEX REPLACE "<script src=\"(page[a-z_]*[.]js)\"></script>" "\\1" part "${tag}")
  inline("${tag}" script ${SOURCE_DIR}/${part} compact)
endforeach()
file(WRITE ${OUTPUT} "${page}")
