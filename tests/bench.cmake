# A tiny run of the benchmark through its script: generation, every timed
# operation, the floors and the per-cell reference (which must agree with
# the report) on a scratch data source.
set(KARVELA_BENCH_SMOKE --departments 2 --employees 5 --jobs 40 --months 3 --runs 1)
add_test(NAME bench_smoke COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/bench.sh sqlite ${KARVELA_BENCH_SMOKE})
add_test(NAME bench_smoke_pg COMMAND bash -c
  "[ -n \"$KARVELA_TEST_PGPORT\" ] || exit 77; export KARVELA_BENCH_PGHOST=$KARVELA_TEST_PGHOST KARVELA_BENCH_PGPORT=$KARVELA_TEST_PGPORT; exec bash \"$0\" postgresql \"$@\""
  ${CMAKE_SOURCE_DIR}/scripts/bench.sh ${KARVELA_BENCH_SMOKE})
set_tests_properties(bench_smoke bench_smoke_pg PROPERTIES
  ENVIRONMENT "KARVELA_BENCH_BIN=$<TARGET_FILE:karvela-bench>"
  PASS_REGULAR_EXPRESSION "Per-cell reference cells agree with the report: yes"
  SKIP_RETURN_CODE 77
  TIMEOUT 120)

