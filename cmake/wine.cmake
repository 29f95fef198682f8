# SPDX-License-Identifier: GPL-3.0-or-later
# Tests of a Windows build run under Wine: CTest starts each test program through wine-run.sh,
# which finds the Qt and MinGW DLLs for it. Included before any target is made, so that every
# executable gets the emulator.
find_program(FORGETALLY_WINE wine REQUIRED)
get_filename_component(forgetally_qt_bin "${FORGETALLY_QT_PREFIX}/bin" ABSOLUTE)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-runtime.cmake)
forgetally_mingw_runtime(forgetally_mingw_dlls)
# Wine's drive Z: is the root of this machine. Last, this machine's programs: the report tests
# read rendered PDFs back with poppler-utils, which Wine starts as it starts Windows programs.
set(forgetally_dll_dirs ${forgetally_qt_bin})
foreach(dll IN LISTS forgetally_mingw_dlls)
  get_filename_component(dir ${dll} DIRECTORY)
  list(APPEND forgetally_dll_dirs ${dir})
endforeach()
list(REMOVE_DUPLICATES forgetally_dll_dirs)
list(APPEND forgetally_dll_dirs /usr/bin)
list(TRANSFORM forgetally_dll_dirs PREPEND "Z:")
list(JOIN forgetally_dll_dirs ";" FORGETALLY_WINEPATH)
# Qt's offscreen platform on Windows has no font configuration: it reads the fonts of one folder.
# The Linux desktop's interface font, and the report's Arial in its Liberation form.
set(FORGETALLY_TEST_FONT_DIR ${CMAKE_BINARY_DIR}/test-fonts)
file(MAKE_DIRECTORY ${FORGETALLY_TEST_FONT_DIR})
foreach(font dejavu/DejaVuSans.ttf dejavu/DejaVuSans-Bold.ttf liberation/LiberationSans-Regular.ttf
             liberation/LiberationSans-Bold.ttf liberation/LiberationSans-Italic.ttf
             liberation/LiberationSans-BoldItalic.ttf)
  get_filename_component(name ${font} NAME)
  file(CREATE_LINK /usr/share/fonts/truetype/${font} ${FORGETALLY_TEST_FONT_DIR}/${name} SYMBOLIC)
endforeach()
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
