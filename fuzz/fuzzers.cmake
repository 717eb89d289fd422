# The readers of the library-backed formats and BMP.
foreach(reader bmp png gif jpeg)
  trochodraw_add_fuzzer(${reader})
  target_include_directories(${reader}_fuzzer PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
endforeach()

# Smaller pictures in fuzzing builds (imagefiles/decode_limits.h).
target_compile_definitions(trochodraw_core PRIVATE TROCHODRAW_FUZZ_PICTURE_LIMIT)
