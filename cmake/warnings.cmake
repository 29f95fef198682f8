# SPDX-License-Identifier: GPL-3.0-or-later
# Warnings for every target of the project; errors too when FORGETALLY_WERROR is on.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
                    -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual)
# g++ 12 at -O3 warns that libstdc++'s own std::string assignment may overlap (GCC bug 105329), on
# code as plain as `row.text = "0";`; its -Wrestrict says nothing about ours there.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options(-Wno-restrict)
endif()
if(FORGETALLY_WERROR)
  add_compile_options(-Werror)
endif()
if(FORGETALLY_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
