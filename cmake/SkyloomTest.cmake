# The library a test folder's tests link: the source folder of the same name.
function(skyloom_folder_library out)
    get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    set(${out} skyloom_${folder} PARENT_SCOPE)
endfunction()

# skyloom_unit_test(name sources...): a GoogleTest over its folder's library alone.
function(skyloom_unit_test name)
    skyloom_folder_library(library)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE ${library} GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    add_test(NAME ${name} COMMAND ${name})
endfunction()

# skyloom_window_test(name sources...): a Qt Test over real widgets, offscreen.
function(skyloom_window_test name)
    skyloom_folder_library(library)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE ${library} skyloom_test_support Qt6::Test)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# skyloom_qt_test(name sources...): a Qt Test over its folder's library and the fake servers.
function(skyloom_qt_test name)
    skyloom_folder_library(library)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE ${library} skyloom_fake_servers Qt6::Test)
    add_test(NAME ${name} COMMAND ${name})
endfunction()
