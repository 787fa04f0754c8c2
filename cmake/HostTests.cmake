# The product's logic built for the host against the fake Windows, with the
# GoogleTest unit tests.

find_package(GTest REQUIRED)
enable_testing()

set(WARNINGS -Wall -Wextra -Werror)

add_library(tessaly_logic OBJECT ${PRODUCT_SOURCES} tests/fake/FakeWindows.cpp)
target_include_directories(tessaly_logic PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(tessaly_logic PRIVATE ${WARNINGS})

file(GLOB UNIT_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${UNIT_TEST_SOURCES})
target_compile_options(unit_tests PRIVATE ${WARNINGS})
target_link_libraries(unit_tests PRIVATE tessaly_logic GTest::gtest GTest::gtest_main)

include(GoogleTest)
gtest_discover_tests(unit_tests)
