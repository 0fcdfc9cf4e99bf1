# SPDX-License-Identifier: MIT
# lumora_png_size(<file> <width-var> <height-var>): the pixel size from a PNG
# file's header (the IHDR chunk that every PNG starts with). Both variables
# are left empty when the file is missing or is no PNG.
function(lumora_png_size file width_var height_var)
  set(width "")
  set(height "")
  if(EXISTS "${file}" AND NOT IS_DIRECTORY "${file}")
    file(READ "${file}" header LIMIT 24 HEX)
    # 8-byte signature, chunk length 13, "IHDR", then width and height as
    # 4-byte big-endian numbers.
    string(LENGTH "${header}" length)
    string(SUBSTRING "${header}" 0 32 start)
    if(length EQUAL 48 AND start STREQUAL "89504e470d0a1a0a0000000d49484452")
      string(SUBSTRING "${header}" 32 8 width_hex)
      string(SUBSTRING "${header}" 40 8 height_hex)
      math(EXPR width "0x${width_hex}")
      math(EXPR height "0x${height_hex}")
    endif()
  endif()
  set(${width_var} "${width}" PARENT_SCOPE)
  set(${height_var} "${height}" PARENT_SCOPE)
endfunction()
