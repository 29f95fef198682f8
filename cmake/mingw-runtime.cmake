# SPDX-License-Identifier: GPL-3.0-or-later
# MinGW's own runtime DLLs, which every C++ program and DLL of the Windows build links: the
# program's folder ships them, and Wine finds them for the tests.
include_guard(GLOBAL)

# Sets `out` to the DLLs' paths on this machine, each without "..".
function(forgetally_mingw_runtime out)
  set(paths)
  foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE location OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${location}" OR NOT EXISTS "${location}")
      message(FATAL_ERROR "MinGW's ${dll} not found (${CMAKE_CXX_COMPILER} -print-file-name)")
    endif()
    cmake_path(NORMAL_PATH location)
    list(APPEND paths ${location})
  endforeach()
  set(${out} ${paths} PARENT_SCOPE)
endfunction()
