# skyloom_test(name libraries folder/source...): a test over the library of its folder's name.
function(skyloom_test name libraries)
    get_filename_component(folder ${ARGN} DIRECTORY)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE skyloom_${folder} ${libraries})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    add_test(NAME ${name} COMMAND ${name})
endfunction()

# A GoogleTest over its folder's library alone.
function(skyloom_unit_test name)
    skyloom_test(${name} GTest::gtest_main ${ARGN})
endfunction()

# A Qt Test over real widgets, offscreen.
function(skyloom_window_test name)
    skyloom_test(${name} "skyloom_test_support;Qt6::Test" ${ARGN})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# A Qt Test over its folder's library and the fake servers.
function(skyloom_qt_test name)
    skyloom_test(${name} "skyloom_fake_servers;Qt6::Test" ${ARGN})
endfunction()
