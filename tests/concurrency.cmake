# Several desktops on one database: a small program that saves cards through
# the card logic of the data-entry window, started many times by the test.
add_executable(karvela_cardsaver cardsaver.cpp)
target_link_libraries(karvela_cardsaver PRIVATE karvela_core)
karvela_test(test_concurrency PG SOURCES test_concurrency.cpp)
add_dependencies(test_concurrency karvela_cardsaver)
target_compile_definitions(test_concurrency PRIVATE KARVELA_CARDSAVER="$<TARGET_FILE:karvela_cardsaver>")
karvela_test(test_shared_server_window GUI PG SOURCES test_shared_server_window.cpp)
target_compile_definitions(test_concurrency PRIVATE KARVELA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
# One of its cases restarts the test server: nothing else may run meanwhile.
set_tests_properties(test_concurrency_pg PROPERTIES RUN_SERIAL TRUE)
