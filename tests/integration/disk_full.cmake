# Saving onto a full disk needs a small mounted drive around the test program, so this one is
# registered through its wrapper rather than like the other integration tests.
add_executable(integration_disk_full disk_full_check.cpp)
target_link_libraries(integration_disk_full PRIVATE corvani_test_main corvani_core)
add_test(NAME integration_disk_full
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/with-full-disk.sh $<TARGET_FILE:integration_disk_full>)
set_tests_properties(integration_disk_full PROPERTIES TIMEOUT 120
                     ENVIRONMENT "CORVANI_BUILD_DIR=${CMAKE_BINARY_DIR}")
