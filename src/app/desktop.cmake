# The desktop program. It finds its files through the application layout (common/app_dir).
add_executable(kurvex kurvex_main.cpp kurvex_args.cpp)
target_link_libraries(kurvex PRIVATE kurvex_shell)
add_dependencies(kurvex kurvex_resources)
