# SPDX-License-Identifier: MIT
# The hardening a distribution builds its packages with, for the optimised
# builds (Release, RelWithDebInfo, MinSizeRel) of every target that follows:
# stack protector, fortified C library calls, stack-clash and control-flow
# protection, and relocations made read-only and bound at start-up. Each flag
# is used only where the compiler or linker accepts it, so the same lines
# build on Windows and macOS with whatever applies there.
#
# Not for the sanitizer build: _FORTIFY_SOURCE's checked functions and
# AddressSanitizer's interceptors work against each other. (The fuzz targets
# are a project of their own and never see these flags.) MSVC has its
# defaults (/GS, /DYNAMICBASE) and gets nothing more here.
include_guard(GLOBAL)
include(CheckCXXCompilerFlag)
include(CheckCXXSourceCompiles)
include(CheckLinkerFlag)

function(lumora_harden_release_builds)
  if(MSVC)
    return()
  endif()
  set(optimised "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")
  set(compile_flags "")
  set(link_flags "")

  set(flags -fstack-protector-strong -fstack-clash-protection -fcf-protection)
  if(WIN32)
    # Windows probes every new stack page itself (__chkstk), and MinGW's
    # GCC 12 stops with an internal error on stack-clash protection.
    list(REMOVE_ITEM flags -fstack-clash-protection)
  endif()
  foreach(flag IN LISTS flags)
    string(MAKE_C_IDENTIFIER "LUMORA_HAVE${flag}" have)
    check_cxx_compiler_flag(${flag} ${have})
    if(${have})
      list(APPEND compile_flags ${flag})
    endif()
  endforeach()
  if(MINGW AND "-fstack-protector-strong" IN_LIST compile_flags)
    list(APPEND link_flags -fstack-protector-strong) # links MinGW's libssp, which holds the guard
  endif()

  # Fortified functions need optimisation, and a C library that has them:
  # the check links a call that becomes __memcpy_chk where it does. Level 3
  # also checks buffers whose size is known only at run time, which is where
  # this program's fortifiable calls are (level 2 leaves every one of them
  # unchecked); compilers and C libraries older than GCC 12, Clang 9 and
  # glibc 2.34 treat it as level 2.
  set(CMAKE_REQUIRED_FLAGS "-O2 -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=3")
  check_cxx_source_compiles([[
    #include <cstring>
    int main(int argc, char** argv) {
      char buffer[8];
      std::memcpy(buffer, argv[0], static_cast<std::size_t>(argc));
      return buffer[0];
    }]] LUMORA_HAVE_FORTIFY_SOURCE)
  unset(CMAKE_REQUIRED_FLAGS)
  if(LUMORA_HAVE_FORTIFY_SOURCE)
    # -U first: some compilers define their own level.
    list(APPEND compile_flags -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=3)
  endif()

  foreach(flag -z,relro -z,now)
    string(MAKE_C_IDENTIFIER "LUMORA_HAVE_LINKER${flag}" have)
    check_linker_flag(CXX "LINKER:${flag}" ${have})
    if(${have})
      list(APPEND link_flags "LINKER:${flag}")
    endif()
  endforeach()

  foreach(flag IN LISTS compile_flags)
    add_compile_options("$<${optimised}:${flag}>")
  endforeach()
  foreach(flag IN LISTS link_flags)
    add_link_options("$<${optimised}:${flag}>")
  endforeach()
  message(STATUS "Hardening of optimised builds: ${compile_flags} ${link_flags}")
endfunction()
