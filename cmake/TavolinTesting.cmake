# Test helpers: every test executable is registered with CTest and gets a timeout, so a
# test stuck on an unanswered dialog fails instead of hanging the run.
include(GoogleTest)
set(TAVOLIN_TEST_TIMEOUT 300)
# Tests never touch the user's own registry store, and run headless.
set(TAVOLIN_TEST_ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TAVOLIN_TEST=1;TAVOLIN_REGISTRY=${PROJECT_BINARY_DIR}/test-registry")

# Headers shared by tests live in tests/testing and are included as "testing/...".
add_library(tavolin_test_support INTERFACE)
target_include_directories(tavolin_test_support INTERFACE ${PROJECT_SOURCE_DIR}/tests)

# tavolin_gtest(name SOURCES ... LIBS ...)
function(tavolin_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main tavolin_options
                                        tavolin_test_support)
  target_compile_definitions(${name} PRIVATE TAVOLIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                                             TAVOLIN_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT ${TAVOLIN_TEST_TIMEOUT})
  # PROPERTIES would split the environment list into separate arguments and keep only its
  # first variable, so the environment is set once the discovered tests are known.
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake)
  file(WRITE ${script} "if(${name}_TESTS)\n  set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT "
                       "[==[${TAVOLIN_TEST_ENVIRONMENT}]==])\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
endfunction()

# tavolin_qttest(name SOURCES ... LIBS ...): a QtTest executable run offscreen.
function(tavolin_qttest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test tavolin_options tavolin_test_support)
  target_compile_definitions(${name} PRIVATE TAVOLIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                                             TAVOLIN_BINARY_DIR="${PROJECT_BINARY_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT ${TAVOLIN_TEST_TIMEOUT}
                                          ENVIRONMENT "${TAVOLIN_TEST_ENVIRONMENT}")
endfunction()
