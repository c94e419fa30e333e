kurvex_add_test(graph_vector_tests
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/vector_test.cpp
  LIBS kurvex_graph PNG::PNG)
