karvela_test(test_report_builders PG SOURCES test_report_builders.cpp report_fixture.h)
karvela_test(test_report_window GUI PG SOURCES test_report_window.cpp report_fixture.h)
