# The desktop program. It finds Kurvex.ini, Setting/, Data/ and GraphImages/ next to itself.
add_executable(kurvex kurvex_main.cpp)
target_link_libraries(kurvex PRIVATE kurvex_shell)
add_dependencies(kurvex kurvex_resources)
