# Whole data sets: copying between data sources, backup and restore (which
# run the program itself to compare outputs), and CSV import.
karvela_test(test_copy_database PG SOURCES test_copy_database.cpp)
add_dependencies(test_copy_database karvela)
target_compile_definitions(test_copy_database PRIVATE KARVELA_BIN="$<TARGET_FILE:karvela>")
karvela_test(test_import PG SOURCES test_import.cpp)
