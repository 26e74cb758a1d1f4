karvela_test(test_admin_logic PG SOURCES test_admin_logic.cpp)
karvela_test(test_admin_window GUI PG SOURCES test_admin_window.cpp)
