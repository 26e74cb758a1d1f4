karvela_test(test_entry_logic PG SOURCES test_entry_logic.cpp)
