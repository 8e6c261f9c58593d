# Database tests: the fixture "db" (tests/db/CMakeLists.txt) starts a SQLite
# data source and a throwaway PostgreSQL server once per ctest run.
# Include this file from tests/CMakeLists.txt before any folder adds tests.
set(MALTROVE_DB_DIR ${CMAKE_BINARY_DIR}/db)
set(MALTROVE_DB_ENV ${MALTROVE_DB_DIR}/env)

# maltrove_db_test(TEST_NAME ...): the tests need the databases. Call it in
# the folder that added the tests.
function(maltrove_db_test)
  foreach(name IN LISTS ARGN)
    set_property(TEST ${name} APPEND PROPERTY FIXTURES_REQUIRED db)
    set_property(TEST ${name} APPEND PROPERTY RESOURCE_LOCK db)
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT
      "ODBCSYSINI=${MALTROVE_DB_DIR}"
      "ODBCINI=${MALTROVE_DB_DIR}/odbc.ini"
      "MALTROVE_DB_ENV=${MALTROVE_DB_ENV}")
  endforeach()
endfunction()

# For gtest_discover_tests(TARGET PROPERTIES ${MALTROVE_DB_TEST_PROPERTIES}).
# Discovered tests take one environment entry only, so such a program calls
# maltrove::testing::LoadDbEnv() (tests/db/db_env.h) to get the rest.
set(MALTROVE_DB_TEST_PROPERTIES
  FIXTURES_REQUIRED db RESOURCE_LOCK db ENVIRONMENT MALTROVE_DB_ENV=${MALTROVE_DB_ENV})

if(NOT MALTROVE_DB_FIXTURE_ADDED)
  set(MALTROVE_DB_FIXTURE_ADDED ON)
  add_subdirectory(${CMAKE_CURRENT_LIST_DIR} ${CMAKE_CURRENT_BINARY_DIR}/db)
endif()
