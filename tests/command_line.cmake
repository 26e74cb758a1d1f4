karvela_test(test_command_line SOURCES test_command_line.cpp)
add_dependencies(test_command_line karvela)
target_compile_definitions(test_command_line PRIVATE KARVELA_EXECUTABLE="$<TARGET_FILE:karvela>")
