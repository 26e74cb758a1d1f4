karvela_test(test_store PG SOURCES test_store.cpp)
karvela_test(test_foundation_logic SOURCES test_foundation_logic.cpp)
karvela_test(test_foundation_windows GUI PG SOURCES test_foundation_windows.cpp)
karvela_test(test_demo PG SOURCES test_demo.cpp)
