# SPDX-License-Identifier: GPL-3.0-or-later
# Tests of a Windows build run under Wine: CTest starts each test program through wine-run.sh,
# which finds the Qt and MinGW DLLs for it. Included before any target is made, so that every
# executable gets the emulator.
find_program(FORGETALLY_WINE wine REQUIRED)
get_filename_component(forgetally_qt_bin "${FORGETALLY_QT_PREFIX}/bin" ABSOLUTE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE forgetally_cxx_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
                OUTPUT_VARIABLE forgetally_thread_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(forgetally_cxx_runtime ${forgetally_cxx_runtime} DIRECTORY)
get_filename_component(forgetally_thread_runtime ${forgetally_thread_runtime} DIRECTORY)
file(REAL_PATH ${forgetally_thread_runtime} forgetally_thread_runtime)
# Wine's drive Z: is the root of this machine. Last, this machine's programs: the report tests
# read rendered PDFs back with poppler-utils, which Wine starts as it starts Windows programs.
set(FORGETALLY_WINEPATH
    "Z:${forgetally_qt_bin};Z:${forgetally_cxx_runtime};Z:${forgetally_thread_runtime};Z:/usr/bin")
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
