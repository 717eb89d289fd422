trochodraw_add_bench(bench_tick bench_tick.cpp)
