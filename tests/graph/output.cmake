# Picture files: PNG encoding, and SVG/PDF compared with the raster picture.
kurvex_add_test(graph_output_tests
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/output/png_encoder_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/output/vector_test.cpp
  LIBS kurvex_graph PNG::PNG)
