# Compiler warnings and sanitizers shared by every target of the project.
add_library(tavolin_options INTERFACE)
target_compile_options(tavolin_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                                 -Wold-style-cast -Wcast-align -Woverloaded-virtual)
if(TAVOLIN_WERROR)
  target_compile_options(tavolin_options INTERFACE -Werror)
endif()
if(TAVOLIN_SANITIZE)
  target_compile_options(tavolin_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                   -fno-sanitize-recover=undefined)
  target_link_options(tavolin_options INTERFACE -fsanitize=address,undefined)
endif()

# tavolin_library(name folder-include-root SOURCES...): a static library of the project
# whose headers are included as "<folder>/<header>.h" from the given root.
function(tavolin_library name include_root)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${include_root})
  target_link_libraries(${name} PUBLIC tavolin_options)
endfunction()
