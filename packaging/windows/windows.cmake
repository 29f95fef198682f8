# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows program and its two artefacts: forgeTally.exe with its icon, version record and
# manifest; the folder it runs from (the program, its printing module, the Qt and MinGW DLLs it
# loads and Qt's Windows platform and style plugins, all side by side); CPack's NSIS installer and
# the same folder as a ZIP. Included from the top-level CMakeLists.txt when building for Windows.

set(forgetally_windows_dir ${CMAKE_CURRENT_LIST_DIR})
set(forgetally_app_dir ${PROJECT_BINARY_DIR}/app) # where forgeTally.exe is built
set(FORGETALLY_PRODUCT_NAME forgeTally)
set(FORGETALLY_VENDOR "forgeTally developers")

# The version record writes the one project version as major.minor.revision with two and four
# digits (1.00.0007); the numeric fields put the revision last, as the record has no third number.
string(REGEX REPLACE "^(.)$" "0\\1" minor2 "${PROJECT_VERSION_MINOR}")
string(REGEX REPLACE "^(.)$" "000\\1" patch4 "${PROJECT_VERSION_PATCH}")
string(REGEX REPLACE "^(..)$" "00\\1" patch4 "${patch4}")
string(REGEX REPLACE "^(...)$" "0\\1" patch4 "${patch4}")
set(FORGETALLY_VERSION_RECORD "${PROJECT_VERSION_MAJOR}.${minor2}.${patch4}")
set(FORGETALLY_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},0,${PROJECT_VERSION_PATCH}")
set(FORGETALLY_VERSION_QUAD "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.${PROJECT_VERSION_PATCH}")

# The icon generator draws with Qt, so it has to run on the build machine: scripts/windows.sh
# builds it there first and names it here.
set(FORGETALLY_ICON_TOOL "" CACHE FILEPATH
    "forgetally_icons built for the build machine: it draws the icon that the .exe carries")
if(NOT EXISTS "${FORGETALLY_ICON_TOOL}")
  message(FATAL_ERROR "Set FORGETALLY_ICON_TOOL to forgetally_icons built for this machine "
                      "(scripts/windows.sh does so)")
endif()
set(FORGETALLY_ICO ${CMAKE_CURRENT_BINARY_DIR}/icons/forgetally.ico)
add_custom_command(
  OUTPUT ${FORGETALLY_ICO}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${FORGETALLY_ICON_TOOL}
          ${CMAKE_CURRENT_BINARY_DIR}/icons
  DEPENDS ${FORGETALLY_ICON_TOOL}
  COMMENT "Drawing the program's icon"
  VERBATIM)

set(FORGETALLY_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/forgeTally.exe.manifest)
configure_file(${forgetally_windows_dir}/forgeTally.exe.manifest ${FORGETALLY_MANIFEST} @ONLY)
set(forgetally_rc ${CMAKE_CURRENT_BINARY_DIR}/forgeTally.rc)
configure_file(${forgetally_windows_dir}/forgeTally.rc.in ${forgetally_rc} @ONLY)
set_source_files_properties(${forgetally_rc} TARGET_DIRECTORY forgeTally PROPERTIES
  OBJECT_DEPENDS "${FORGETALLY_ICO};${FORGETALLY_MANIFEST}")
target_sources(forgeTally PRIVATE ${forgetally_rc})
# A window program: Windows opens no console for it.
set_target_properties(forgeTally PROPERTIES WIN32_EXECUTABLE ON)

# The DLLs and plugins the program loads, stripped, beside forgeTally.exe: the build tree runs as
# installed, and the install is that folder.
find_program(FORGETALLY_STRIP NAMES ${CMAKE_STRIP} x86_64-w64-mingw32-strip REQUIRED)
set(forgetally_runtime_targets
  Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport
  Qt6::QWindowsIntegrationPlugin Qt6::QWindowsVistaStylePlugin)
set(forgetally_runtime_sources)
set(forgetally_runtime_names)
foreach(target IN LISTS forgetally_runtime_targets)
  get_target_property(location ${target} IMPORTED_LOCATION_RELEASE)
  if(NOT location)
    get_target_property(location ${target} IMPORTED_LOCATION)
  endif()
  get_filename_component(name ${location} NAME)
  if(target MATCHES "Plugin$")
    get_filename_component(kind ${location} DIRECTORY)
    get_filename_component(kind ${kind} NAME) # platforms, styles
    set(name ${kind}/${name})
  endif()
  list(APPEND forgetally_runtime_sources ${location})
  list(APPEND forgetally_runtime_names ${name})
endforeach()
# MinGW's own runtime, which every C++ DLL above links.
include(${PROJECT_SOURCE_DIR}/cmake/mingw-runtime.cmake)
forgetally_mingw_runtime(forgetally_mingw_dlls)
foreach(location IN LISTS forgetally_mingw_dlls)
  get_filename_component(name ${location} NAME)
  list(APPEND forgetally_runtime_sources ${location})
  list(APPEND forgetally_runtime_names ${name})
endforeach()
set(forgetally_runtime_outputs)
foreach(source name IN ZIP_LISTS forgetally_runtime_sources forgetally_runtime_names)
  set(output ${forgetally_app_dir}/${name})
  get_filename_component(output_dir ${output} DIRECTORY)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${output_dir}
    COMMAND ${FORGETALLY_STRIP} --strip-unneeded -o ${output} ${source}
    DEPENDS ${source}
    VERBATIM)
  list(APPEND forgetally_runtime_outputs ${output})
  get_filename_component(destination ${name} DIRECTORY)
  install(FILES ${output} DESTINATION ./${destination})
endforeach()
# The icon too: the program is made in another folder, which cannot see this one's outputs.
add_custom_target(forgetally_windows_runtime ALL DEPENDS ${forgetally_runtime_outputs} ${FORGETALLY_ICO})
add_dependencies(forgeTally forgetally_windows_runtime)

install(TARGETS forgeTally RUNTIME DESTINATION .)
install(TARGETS forgetally_print LIBRARY DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)

# The installer (NSIS) and the portable folder (ZIP).
set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME forgeTally)
set(CPACK_PACKAGE_VENDOR ${FORGETALLY_VENDOR})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_FILE_NAME forgeTally-${PROJECT_VERSION}-windows-x64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY forgeTally)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY forgeTally)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
# The Start menu entry, named as the window is (the program sits at the top of its folder).
# (Each backslash is written four times: CPack reads these values once more.)
set(CPACK_NSIS_CREATE_ICONS_EXTRA "CreateShortCut '$SMPROGRAMS\\\\$STARTMENU_FOLDER\\\\MIRVAK Production Calculator.lnk' '$INSTDIR\\\\forgeTally.exe'")
set(CPACK_NSIS_DELETE_ICONS_EXTRA "Delete '$SMPROGRAMS\\\\$MUI_TEMP\\\\MIRVAK Production Calculator.lnk'")
set(CPACK_NSIS_PACKAGE_NAME "MIRVAK Production Calculator")
set(CPACK_NSIS_DISPLAY_NAME "MIRVAK Production Calculator")
set(CPACK_NSIS_INSTALLED_ICON_NAME forgeTally.exe)
set(CPACK_NSIS_MUI_ICON ${FORGETALLY_ICO})
set(CPACK_NSIS_MUI_UNIICON ${FORGETALLY_ICO})
set(CPACK_NSIS_URL_INFO_ABOUT ${PROJECT_HOMEPAGE_URL})
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
# A 64-bit installer for a 64-bit program: it sees Windows' own Program Files and registry.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
# CMake's installer asks for administrator rights and puts a per-user install into Documents.
# Ours asks for the highest rights the user has: an administrator installs for all users under
# Program Files (after Windows' prompt); anyone else installs for themselves, without a prompt,
# under %LOCALAPPDATA%\Programs. The uninstaller finds each in its place.
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in nsis_template)
foreach(change
    "RequestExecutionLevel admin|RequestExecutionLevel highest"
    "$DOCUMENTS\\@CPACK_PACKAGE_INSTALL_DIRECTORY@|$LOCALAPPDATA\\Programs\\@CPACK_PACKAGE_INSTALL_DIRECTORY@")
  string(REPLACE "|" ";" change "${change}")
  list(GET change 0 from)
  list(GET change 1 to)
  string(FIND "${nsis_template}" "${from}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "CMake's NSIS template has no \"${from}\" to change")
  endif()
  string(REPLACE "${from}" "${to}" nsis_template "${nsis_template}")
endforeach()
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/nsis/NSIS.template.in "${nsis_template}")
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_BINARY_DIR}/nsis)
# The installer's own name ends in -setup; the ZIP keeps the plain name.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_BINARY_DIR}/nsis/cpack-options.cmake)
file(WRITE ${CPACK_PROJECT_CONFIG_FILE} [[
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
]])
include(CPack)
