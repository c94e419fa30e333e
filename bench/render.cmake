kurvex_add_bench(render_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/render_bench.cpp LIBS kurvex_graph)
kurvex_add_bench(nearest_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/nearest_bench.cpp LIBS kurvex_graph)
kurvex_add_bench(process_numbers_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/process_numbers_bench.cpp LIBS kurvex_graph)
