karvela_test(test_entry_logic PG SOURCES test_entry_logic.cpp)
karvela_test(test_entry_window GUI PG SOURCES test_entry_window.cpp)
