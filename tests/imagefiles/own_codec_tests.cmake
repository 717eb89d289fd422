# The project's own TIFF, PCX, IFF and TGA codecs: byte layouts, round trips, hostile
# files, the kept fuzz findings, and independent decoders and encoders (netpbm, libtiff).
trochodraw_add_test(own_codec_tests
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/own_codec_test_util.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/tiff_test_file.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/packbits_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/tiff_codec_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/pcx_codec_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/lbm_codec_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/tga_codec_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/own_fuzz_replay_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/own_codec_tools_test.cpp
  LIBS trochodraw_core
  LABEL core)
target_compile_definitions(own_codec_tests PRIVATE TROCHODRAW_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
