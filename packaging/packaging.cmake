# SPDX-License-Identifier: GPL-3.0-or-later
# Installation and the Debian package: the program, its menu entry, its icon in the hicolor theme,
# the AppStream metadata, the manual page and the files Debian wants in share/doc.
# Included from the top-level CMakeLists.txt, so paths are relative to the project root.

include(GNUInstallDirs)

set(FORGETALLY_APP_ID org.example.forgetally)
set(forgetally_packaging_dir ${CMAKE_CURRENT_LIST_DIR})
set(forgetally_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/forgetally)

# Directories that install() creates get these whatever the builder's umask; Debian wants 0755.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The icon is drawn in code; this tool writes the same drawing as the theme's PNGs at build time.
add_executable(forgetally_icons ${forgetally_packaging_dir}/make_icons.cpp)
target_link_libraries(forgetally_icons PRIVATE appicon)

set(forgetally_icon_sizes 16 24 32 48 64 128 256)
set(forgetally_icon_dir ${CMAKE_CURRENT_BINARY_DIR}/icons/hicolor)
set(forgetally_icon_files)
foreach(size IN LISTS forgetally_icon_sizes)
  list(APPEND forgetally_icon_files ${forgetally_icon_dir}/${size}x${size}/apps/forgetally.png)
endforeach()
# No display at build time.
add_custom_command(
  OUTPUT ${forgetally_icon_files}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:forgetally_icons> ${forgetally_icon_dir}
  DEPENDS forgetally_icons
  COMMENT "Drawing the hicolor icons"
  VERBATIM)

# Debian wants the manual page and the changelog compressed, without a name or time stamp inside.
find_program(FORGETALLY_GZIP gzip REQUIRED)
set(forgetally_man_gz ${CMAKE_CURRENT_BINARY_DIR}/packaging/forgeTally.1.gz)
set(forgetally_changelog_gz ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz)
# The manual page names the version from the project's one version number.
set(forgetally_man ${CMAKE_CURRENT_BINARY_DIR}/packaging/forgeTally.1)
configure_file(${forgetally_packaging_dir}/forgeTally.1.in ${forgetally_man} @ONLY)
add_custom_command(
  OUTPUT ${forgetally_man_gz}
  COMMAND ${FORGETALLY_GZIP} -9 -n -c ${forgetally_man} > ${forgetally_man_gz}
  DEPENDS ${forgetally_man})
add_custom_command(
  OUTPUT ${forgetally_changelog_gz}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/packaging
  COMMAND ${FORGETALLY_GZIP} -9 -n -c ${forgetally_packaging_dir}/changelog > ${forgetally_changelog_gz}
  DEPENDS ${forgetally_packaging_dir}/changelog)

add_custom_target(forgetally_desktop_files ALL
  DEPENDS ${forgetally_icon_files} ${forgetally_man_gz} ${forgetally_changelog_gz})

if(TARGET forgeTally)
  install(TARGETS forgeTally RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
else()
  message(WARNING "packaging: there is no forgeTally target; the package would lack the program")
endif()
# The printing module, where the program looks for it (report/printmodule.h); a loaded module, not
# a program: no execute bit.
if(TARGET forgetally_print)
  install(TARGETS forgetally_print LIBRARY DESTINATION ${FORGETALLY_MODULE_INSTALL_DIR}
          PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endif()
install(FILES ${forgetally_packaging_dir}/${FORGETALLY_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${forgetally_packaging_dir}/${FORGETALLY_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size IN LISTS forgetally_icon_sizes)
  install(FILES ${forgetally_icon_dir}/${size}x${size}/apps/forgetally.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${forgetally_man_gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${forgetally_packaging_dir}/copyright ${forgetally_changelog_gz}
        DESTINATION ${forgetally_doc_dir})

if(BUILD_TESTING)
  add_executable(appicon_test ${forgetally_packaging_dir}/appicon_test.cpp)
  target_link_libraries(appicon_test PRIVATE appicon Qt6::Test)
  add_test(NAME appicon COMMAND appicon_test)
  set_tests_properties(appicon PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)

  # The validators come with the [package] packages of scripts/packages.txt. Where one is not
  # installed its test skips (CTest's code 77) and says why (ctest -V, or LastTest.log); where it
  # is, the test runs.
  function(forgetally_validator_test name fail tool)
    find_program(forgetally_${name}_tool ${tool})
    if(NOT forgetally_${name}_tool)
      message(STATUS "forgeTally: ${name} will be skipped, ${tool} is not installed "
                     "([package] packages of scripts/packages.txt)")
    endif()
    add_test(NAME ${name} COMMAND sh -c [[
command -v "$1" >/dev/null || { echo "$0 skipped, $1 is not installed ([package] packages of scripts/packages.txt)"; exit 77; }
exec "$@"]] ${name} ${tool} ${ARGN})
    set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77 FAIL_REGULAR_EXPRESSION "${fail}")
  endfunction()
  # The validators let hints and infos pass; the menu entry and the software centre should see none.
  forgetally_validator_test(desktop_entry_validates "(hint|warning|error): "
    desktop-file-validate ${forgetally_packaging_dir}/${FORGETALLY_APP_ID}.desktop)
  forgetally_validator_test(metainfo_validates "(infos|warnings|errors): [0-9]"
    appstreamcli validate --no-net ${forgetally_packaging_dir}/${FORGETALLY_APP_ID}.metainfo.xml)
endif()

# The Debian package: cpack -G DEB gives forgetally_<version>_amd64.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME forgetally)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "forgeTally developers")
set(CPACK_PACKAGE_CONTACT "forgeTally developers <forgetally@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "calculator for the production rules of the MIRVAK role-playing game")
# Debian shows the long description as it stands: lines of at most 80 characters.
set(CPACK_PACKAGE_DESCRIPTION [[
A desktop calculator for the production (crafting) rules of the MIRVAK
role-playing game, as they stand in the game's 8th Edition rulebook.

A player picks an item type (alchemy, armour, potions, scrolls, weapons or
crystals) and fills a production list of ten rows. The window shows what each
row costs in production points and in silver, and the totals of the list: the
points against what the player can produce, the skill levels needed in all and
per day over the production days, the silver and the workshops. An option
offers only the items the player's skill level allows. The list and its totals
print as a report.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "forgeTally developers <forgetally@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
# Depends from the libraries the program really links, as dpkg-shlibdeps finds them, joined to
# what no library names: the platform plugins that open its windows, and a proportional font for
# them (with only the report's Liberation fonts, the window would fall back to a monospaced face).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core")
# The report asks for Arial (Liberation Sans has its metrics); the homepage opens through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
