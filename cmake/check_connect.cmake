# SPDX-License-Identifier: GPL-3.0-or-later
# Fails, naming file:line, on a pointer-to-member connect without a context object, such as
#   connect(button, &QPushButton::clicked, [] { ... });
# Such a connection outlives whatever the functor captures. Qt 6.7 refuses it at compile time
# with QT_NO_CONTEXTLESS_CONNECT; Qt 6.4 has no such switch, so this script looks instead.
#
#   cmake -DROOT=<source dir> -P check_connect.cmake   every C++ file of the source tree
#   cmake -DFILES=<a;b> -P check_connect.cmake         the given files
#
# A call counts as contextless when its signal (second argument) starts with "&" and it has
# three arguments: sender, signal, functor. Calls in // comments are ignored.

cmake_minimum_required(VERSION 3.25)

if(NOT DEFINED FILES)
  # The C++ files of every top-level folder, so that a new folder is checked without being named
  # here; not the build trees, hidden folders (.git) or npm's node_modules.
  set(FILES)
  file(GLOB dirs LIST_DIRECTORIES true RELATIVE ${ROOT} ${ROOT}/*)
  foreach(dir ${dirs})
    if(IS_DIRECTORY ${ROOT}/${dir} AND NOT dir MATCHES "^(build.*|\\..*|node_modules)$")
      file(GLOB_RECURSE found ${ROOT}/${dir}/*.cpp ${ROOT}/${dir}/*.h)
      list(FILTER found EXCLUDE REGEX "/node_modules/")
      list(APPEND FILES ${found})
    endif()
  endforeach()
  if(NOT FILES)
    message(FATAL_ERROR "check_connect: no C++ files under '${ROOT}'")
  endif()
endif()

# Reads the arguments of a call from `text`, which starts just after the call's "(": sets `count`
# to the number of top-level arguments (-1 when the call does not end within the text) and
# `second` to the second argument.
function(read_arguments text count second)
  string(LENGTH "${text}" length)
  set(depth 0)
  set(n 1)
  set(arg "")
  set(quote "")
  set(escaped FALSE)
  set(i 0)
  while(i LESS length)
    string(SUBSTRING "${text}" ${i} 1 c)
    math(EXPR i "${i} + 1")
    if(quote)
      if(escaped)
        set(escaped FALSE)
      elseif(c STREQUAL "\\")
        set(escaped TRUE)
      elseif(c STREQUAL quote)
        set(quote "")
      endif()
      continue()
    endif()
    if(c STREQUAL "\"" OR c STREQUAL "'")
      set(quote "${c}")
    elseif(c STREQUAL "(" OR c STREQUAL "[" OR c STREQUAL "{")
      math(EXPR depth "${depth} + 1")
    elseif(c STREQUAL ")" OR c STREQUAL "]" OR c STREQUAL "}")
      if(depth EQUAL 0)
        set(${count} ${n} PARENT_SCOPE)
        set(${second} "${second_arg}" PARENT_SCOPE)
        return()
      endif()
      math(EXPR depth "${depth} - 1")
    elseif(c STREQUAL "," AND depth EQUAL 0)
      if(n EQUAL 2)
        string(STRIP "${arg}" second_arg)
      endif()
      math(EXPR n "${n} + 1")
      set(arg "")
      continue()
    endif()
    if(n EQUAL 2)
      string(APPEND arg "${c}")
    endif()
  endwhile()
  set(${count} -1 PARENT_SCOPE)
  set(${second} "" PARENT_SCOPE)
endfunction()

set(failures 0)
foreach(file ${FILES})
  file(READ ${file} content)
  set(offset 0)
  while(TRUE)
    string(SUBSTRING "${content}" ${offset} -1 rest)
    string(FIND "${rest}" "connect(" at)
    if(at EQUAL -1)
      break()
    endif()
    math(EXPR start "${offset} + ${at}")
    math(EXPR offset "${start} + 8")
    # The line up to the call: skip disconnect( and the like, and calls in // comments.
    string(SUBSTRING "${content}" 0 ${start} before)
    string(FIND "${before}" "\n" lineStart REVERSE)
    math(EXPR lineStart "${lineStart} + 1")
    string(SUBSTRING "${before}" ${lineStart} -1 lineHead)
    if(lineHead MATCHES "[A-Za-z0-9_]$" OR lineHead MATCHES "//")
      continue()
    endif()
    # Connect calls are short, but a lambda body may run for some lines.
    string(SUBSTRING "${content}" ${offset} 4000 call)
    read_arguments("${call}" count second)
    if(count EQUAL 3 AND second MATCHES "^&")
      string(REGEX MATCHALL "\n" newlines "${before}")
      list(LENGTH newlines line)
      math(EXPR line "${line} + 1")
      message("${file}:${line}: connect without a context object")
      math(EXPR failures "${failures} + 1")
    endif()
  endwhile()
endforeach()

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} connect call(s) without a context object: pass the receiver "
                      "(or `this`) before the functor")
endif()
