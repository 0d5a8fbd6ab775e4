# The program the fatal error test starts.
add_executable(shell_fatal_error_helper ${CMAKE_CURRENT_LIST_DIR}/fatal_error_helper.cpp)
target_link_libraries(shell_fatal_error_helper PRIVATE corvani_core)
add_dependencies(integration_shell_fatal_error_test shell_fatal_error_helper)
target_link_libraries(integration_shell_fatal_error_test PRIVATE corvani_e2e_driver)
set_property(TEST integration_shell_fatal_error_test APPEND PROPERTY ENVIRONMENT
             "SHELL_FATAL_ERROR_HELPER=$<TARGET_FILE:shell_fatal_error_helper>")
