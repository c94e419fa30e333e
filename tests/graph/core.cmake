kurvex_add_test(graph_core_tests
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/model_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/style_sections_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/data/data_text_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/data/jcamp_dx_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/data/data_block_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/data/streamed_data_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/text_block_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/placeholders_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/data_fit_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/nearest_point_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/zoom_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/process/process_test.cpp
  LIBS kurvex_graph)
