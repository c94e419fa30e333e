kurvex_add_test(graph_canvas_tests
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/canvas_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/font_engine_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/image_file_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/font_match_cache_test.cpp
  LIBS kurvex_graph PNG::PNG)
