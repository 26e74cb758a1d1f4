# Closed months, the audit trail and the upgrade of an older database.
karvela_test(test_monthclose PG SOURCES test_monthclose.cpp)
