kurvex_add_bench(rtf_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/rtf_bench.cpp LIBS kurvex_rtf)
