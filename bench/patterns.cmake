trochodraw_add_bench(bench_patterns ${CMAKE_CURRENT_SOURCE_DIR}/bench_patterns.cpp)
