# The project's own readers: TIFF, PCX, IFF and TGA.
foreach(reader tiff pcx lbm tga)
  trochodraw_add_fuzzer(${reader})
  target_include_directories(${reader}_fuzzer PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
endforeach()
