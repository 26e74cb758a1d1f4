karvela_test(test_report_builders PG SOURCES test_report_builders.cpp report_fixture.h)
karvela_test(test_report_window GUI PG SOURCES test_report_window.cpp report_fixture.h)
target_compile_definitions(test_report_builders PRIVATE KARVELA_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
