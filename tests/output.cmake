karvela_test(test_output SOURCES test_output.cpp report_fixture.h)
karvela_test(test_output_window GUI SOURCES test_output_window.cpp report_fixture.h)
