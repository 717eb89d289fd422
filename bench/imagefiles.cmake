# Saving and reading the figure in the library-backed formats and BMP, against the tools.
trochodraw_add_bench(bench_image_files bench_image_files.cpp)
