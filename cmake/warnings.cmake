# SPDX-License-Identifier: GPL-3.0-or-later
# Warnings for the project's own code only: code built from elsewhere (GoogleTest's sources, in
# the Windows build) keeps its authors' flags. Errors too when FORGETALLY_WERROR is on, as the
# development and CI builds ask; a packager's compiler may warn where ours does not.
add_library(forgetally_warnings INTERFACE)
target_compile_options(forgetally_warnings INTERFACE
  $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
                            -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual>)
# g++ 12 at -O3 warns that libstdc++'s own std::string assignment may overlap (GCC bug 105329), on
# code as plain as `row.text = "0";`; its -Wrestrict says nothing about ours there.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(forgetally_warnings INTERFACE $<$<COMPILE_LANGUAGE:CXX>:-Wno-restrict>)
endif()
if(FORGETALLY_WERROR)
  target_compile_options(forgetally_warnings INTERFACE $<$<COMPILE_LANGUAGE:CXX>:-Werror>)
endif()
# The sanitizers cover everything linked into a test, GoogleTest included.
if(FORGETALLY_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()

# Links forgetally_warnings into every compiled target defined in the folders under the source
# tree, whichever folder a target is added in later; called once, at the end of the top-level
# CMakeLists.txt, when all of them exist. Folders from outside the tree are passed over.
function(forgetally_warn_own_targets)
  set(pending ${PROJECT_SOURCE_DIR})
  while(pending)
    list(POP_FRONT pending dir)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    list(APPEND pending ${subdirs})
    cmake_path(IS_PREFIX PROJECT_SOURCE_DIR "${dir}" NORMALIZE own)
    if(NOT own)
      continue()
    endif()
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target ${targets})
      get_target_property(type ${target} TYPE)
      if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
        target_link_libraries(${target} PRIVATE forgetally_warnings)
      endif()
    endforeach()
  endwhile()
endfunction()
