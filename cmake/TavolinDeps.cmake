# Outside libraries: libzint has neither a pkg-config nor a CMake package file on Debian.
find_path(ZINT_INCLUDE_DIR zint.h REQUIRED)
find_library(ZINT_LIBRARY zint REQUIRED)
add_library(zint::zint UNKNOWN IMPORTED)
set_target_properties(zint::zint PROPERTIES IMPORTED_LOCATION ${ZINT_LIBRARY}
                                            INTERFACE_INCLUDE_DIRECTORIES ${ZINT_INCLUDE_DIR})

find_package(Threads REQUIRED)
# Unicode character classes, composition and case folding for names typed in any script.
find_package(ICU REQUIRED COMPONENTS uc)
if(TAVOLIN_BUILD_GUI)
  find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets PrintSupport Test)
endif()
if(TAVOLIN_BUILD_TESTS)
  find_package(GTest REQUIRED)
endif()
if(TAVOLIN_BUILD_BENCH)
  find_package(benchmark QUIET)
endif()
