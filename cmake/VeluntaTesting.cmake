# velunta_add_test(<name> SOURCES ... LIBS ...): one GoogleTest binary, each TEST a ctest test.
find_package(GTest REQUIRED)
include(GoogleTest)

function(velunta_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main velunta::options)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
endfunction()

# velunta_add_benchmark(<name> SOURCES ... LIBS ...): one Google Benchmark binary.
function(velunta_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main
                                        velunta::options)
endfunction()
