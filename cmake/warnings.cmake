# SPDX-License-Identifier: GPL-3.0-or-later
# Warnings for every target of the project; errors too when FORGETALLY_WERROR is on.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
                    -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual)
if(FORGETALLY_WERROR)
  add_compile_options(-Werror)
endif()
if(FORGETALLY_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
