kurvex_add_bench(image_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/image_bench.cpp LIBS kurvex_graph)
