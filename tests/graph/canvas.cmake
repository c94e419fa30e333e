kurvex_add_test(graph_canvas_tests
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/render/canvas_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/render/font_engine_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/output/image_file_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/render/font_match_cache_test.cpp
  LIBS kurvex_graph PNG::PNG)
