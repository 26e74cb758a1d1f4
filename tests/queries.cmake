karvela_test(test_queries PG SOURCES test_queries.cpp)
karvela_test(test_sorting SOURCES test_sorting.cpp)
karvela_test(test_queries_window GUI PG SOURCES test_queries_window.cpp)
