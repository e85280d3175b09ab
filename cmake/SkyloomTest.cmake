# skyloom_unit_test(name sources...): a GoogleTest over the plain C++ core.
function(skyloom_unit_test name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE skyloom_core GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    add_test(NAME ${name} COMMAND ${name})
endfunction()

# skyloom_window_test(name sources...): a Qt Test over real widgets, offscreen.
function(skyloom_window_test name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE skyloom_gui skyloom_test_support Qt6::Test)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
