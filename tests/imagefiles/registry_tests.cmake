# Shared helpers of the image file tests: test pictures, PNM files, temporary folders.
add_library(imagefiles_test_support STATIC ${CMAKE_CURRENT_LIST_DIR}/image_test_support.cpp)
target_include_directories(imagefiles_test_support PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(imagefiles_test_support PUBLIC trochodraw_core PRIVATE trochodraw_warnings)

trochodraw_add_test(imagefiles_registry_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/registry_test.cpp ${CMAKE_CURRENT_LIST_DIR}/save_preview_test.cpp
  LIBS imagefiles_test_support
  LABEL core)

trochodraw_add_test(imagefiles_library_codec_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/bmp_codec_test.cpp ${CMAKE_CURRENT_LIST_DIR}/png_codec_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/gif_codec_test.cpp ${CMAKE_CURRENT_LIST_DIR}/jpeg_codec_test.cpp
  LIBS imagefiles_test_support ZLIB::ZLIB
  LABEL core)

# netpbm, pngcheck and the libjpeg-turbo programs; each test skips when its tool is missing.
trochodraw_add_test(imagefiles_tool_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tool_interop_test.cpp
  LIBS imagefiles_test_support
  LABEL core)

trochodraw_add_test(imagefiles_fuzz_replay_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_replay_test.cpp
  LIBS imagefiles_test_support
  LABEL core)
target_compile_definitions(imagefiles_fuzz_replay_tests PRIVATE TROCHODRAW_SOURCE_DIR="${PROJECT_SOURCE_DIR}")

trochodraw_add_test(imagefiles_convert_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/convert_command_test.cpp
  LIBS imagefiles_test_support
  LABEL core)
target_compile_definitions(imagefiles_convert_tests PRIVATE TROCHODRAW_CLI="$<TARGET_FILE:trochodraw-cli>")
add_dependencies(imagefiles_convert_tests trochodraw-cli)
