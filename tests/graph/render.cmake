kurvex_add_test(graph_render_tests
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/mapping_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/layout_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/renderer_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/curves_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/engine_test.cpp
  LIBS kurvex_graph)
