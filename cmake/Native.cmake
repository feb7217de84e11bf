# Native build: behaviour tests (GoogleTest) against the simulated platform, with
# sanitizers, and the benchmarks (Google Benchmark).
enable_testing()
find_package(GTest REQUIRED)

# Every portable library links base, and so compiles with the sanitizers too.
target_link_libraries(tavelmorind_base PUBLIC tavelmorind_sanitize)

file(GLOB TEST_SOURCES CONFIGURE_DEPENDS tests/*.cpp)
add_executable(tavelmorind_tests ${TEST_SOURCES})
target_link_libraries(tavelmorind_tests PRIVATE tavelmorind_sim tavelmorind_core GTest::gtest
                      GTest::gtest_main)
target_compile_definitions(tavelmorind_tests PRIVATE
                           TAVELMORIND_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/tests/data")
include(GoogleTest)
gtest_discover_tests(tavelmorind_tests DISCOVERY_MODE PRE_TEST)

find_package(benchmark REQUIRED)
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS bench/*.cpp)
add_executable(tavelmorind_bench ${BENCH_SOURCES})
target_link_libraries(tavelmorind_bench PRIVATE tavelmorind_sim tavelmorind_core
                      benchmark::benchmark benchmark::benchmark_main)
target_compile_definitions(tavelmorind_bench PRIVATE
                           TAVELMORIND_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/tests/data")
