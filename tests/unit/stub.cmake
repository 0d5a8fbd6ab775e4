# TEMPORARY: see tests/stub/shell_stub.cpp.
target_sources(unit_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/../stub/shell_stub.cpp)
