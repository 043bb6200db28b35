# Test helpers: every test executable is registered with CTest and gets a timeout, so a
# test stuck on an unanswered dialog fails instead of hanging the run.
include(GoogleTest)
set(TAVOLIN_TEST_TIMEOUT 300)

# tavolin_gtest(name SOURCES ... LIBS ...)
function(tavolin_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main tavolin_options)
  target_compile_definitions(${name} PRIVATE TAVOLIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                                             TAVOLIN_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                       PROPERTIES TIMEOUT ${TAVOLIN_TEST_TIMEOUT}
                                  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TAVOLIN_TEST=1")
endfunction()

# tavolin_qttest(name SOURCES ... LIBS ...): a QtTest executable run offscreen.
function(tavolin_qttest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test tavolin_options)
  target_compile_definitions(${name} PRIVATE TAVOLIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                                             TAVOLIN_BINARY_DIR="${PROJECT_BINARY_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT ${TAVOLIN_TEST_TIMEOUT}
                                          ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TAVOLIN_TEST=1")
endfunction()
