kurvex_add_test(graph_rtf_tests
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/rtf_reader_test.cpp
  LIBS kurvex_graph)
target_compile_definitions(graph_rtf_tests PRIVATE KURVEX_RESOURCES_DIR="${CMAKE_SOURCE_DIR}/resources")
