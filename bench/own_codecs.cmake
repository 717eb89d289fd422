# Saving and reading a rendered figure with the own TIFF, PCX, IFF and TGA codecs, side by
# side with netpbm and libtiff doing the same; and reading the worst small TIFF files we can make.
trochodraw_add_bench(bench_own_codecs ${CMAKE_CURRENT_SOURCE_DIR}/bench_own_codecs.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/hostile_tiff_files.cpp)
