# The DLL-search test loads a DLL of its own, built here and placed beside the test program.
add_library(corvani_probe SHARED ${CMAKE_CURRENT_SOURCE_DIR}/dll_probe/probe.cpp)
set_target_properties(corvani_probe PROPERTIES PREFIX "" OUTPUT_NAME corvani_probe
                      RUNTIME_OUTPUT_DIRECTORY $<TARGET_FILE_DIR:integration_dll_search_test>)
add_dependencies(integration_dll_search_test corvani_probe)
