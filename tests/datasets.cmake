# Whole data sets: copying between data sources, backup and restore, and CSV
# import.
karvela_test(test_copy_database PG SOURCES test_copy_database.cpp)
karvela_test(test_import PG SOURCES test_import.cpp)
