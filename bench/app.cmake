if(TROCHODRAW_BUILD_GUI)
  trochodraw_add_bench(bench_main_window bench_main_window.cpp)
  target_link_libraries(bench_main_window PRIVATE trochodraw_ui)
endif()
