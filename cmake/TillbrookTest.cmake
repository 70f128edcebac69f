# tillbrook_add_test(<name> SOURCES <files...> [LIBS <targets...>])
# Builds one Qt Test program and registers it with CTest on the offscreen platform.
# Each test finds the data file template through TILLBROOK_TEMPLATE and never
# touches the user's settings (TILLBROOK_HOME points into the build tree's temp area
# unless the test sets its own). Every source sees tests/support/testmain.h first, whose
# QTEST_MAIN drops the offscreen platform's size-hint warnings and nothing else.
function(tillbrook_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE tillbrook_testsupport Qt6::Test ${ARG_LIBS})
  target_compile_options(${name} PRIVATE "SHELL:-include ${PROJECT_SOURCE_DIR}/tests/support/testmain.h")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
  add_dependencies(${name} tillbrook_template)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/tests/xdg-config;HOME=${CMAKE_BINARY_DIR}/tests/home"
    TIMEOUT 120)
endfunction()
