# One helper registers every test executable; widget tests run offscreen.
function(trochodraw_add_test name)
  cmake_parse_arguments(T "" "LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main trochodraw_warnings)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  if(NOT T_LABEL)
    set(T_LABEL core)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    NO_PRETTY_VALUES
    # One variable per property: the discovered tests' properties cannot carry a list, so a
    # second ENVIRONMENT entry would swallow the LABELS that follow it.
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
               ENVIRONMENT_MODIFICATION "TROCHODRAW_TEST_DATA=set:${PROJECT_SOURCE_DIR}/tests/data"
               LABELS ${T_LABEL})
endfunction()
