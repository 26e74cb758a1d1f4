karvela_test(test_report_builders PG SOURCES test_report_builders.cpp report_fixture.h)
