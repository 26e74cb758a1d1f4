karvela_test(test_queries PG SOURCES test_queries.cpp)
