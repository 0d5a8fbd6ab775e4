# Programs the file service tests start as "another process" in the same Wine prefix: a lock
# taken by a Linux process is invisible to Wine.
add_executable(file_holder helpers/file_holder.cpp)
add_executable(slow_writer helpers/slow_writer.cpp)
target_link_libraries(slow_writer PRIVATE corvani_core)
add_dependencies(integration_file_services_test file_holder slow_writer)

