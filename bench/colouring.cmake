# Mosaic fill and image undo.
trochodraw_add_bench(bench_mosaic bench_mosaic.cpp)
