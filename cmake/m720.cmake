# Each folder's sources are globbed, so adding a file needs no edit here.

# A library of one source folder; an interface library while it is empty.
function(m720_library name dir)
    file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
    if(srcs)
        add_library(${name} STATIC ${srcs})
        target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} PUBLIC ${ARGN})
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} INTERFACE ${ARGN})
    endif()
endfunction()

# One GoogleTest program per test folder.
function(m720_test name dir)
    file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
    if(NOT srcs)
        return()
    endif()
    add_executable(${name} ${srcs})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gmock GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE
        M720_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
        M720_CLI_PATH="$<TARGET_FILE:m720-cli>")
    add_dependencies(${name} m720-cli)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()
