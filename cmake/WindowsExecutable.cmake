# TessalySetup.exe: a static PE32 GUI executable that imports only system DLLs,
# with the installer package and its other resources compiled in.

find_program(WIXL wixl REQUIRED)
find_program(WINDRES NAMES ${CMAKE_RC_COMPILER} i686-w64-mingw32-windres REQUIRED)

set(RES_DIR ${CMAKE_SOURCE_DIR}/res)
set(GEN_DIR ${CMAKE_BINARY_DIR}/res)
file(MAKE_DIRECTORY ${GEN_DIR})

# The installer package, built from source. wixl writes in place, so it builds
# into a temporary name that is renamed only once complete.
set(PACKAGE ${GEN_DIR}/VelstromTessaly.msi)
add_custom_command(
    OUTPUT ${PACKAGE}
    COMMAND ${WIXL} -a x86 -o ${PACKAGE}.part ${RES_DIR}/package/Tessaly.wxs
    COMMAND ${CMAKE_COMMAND} -E rename ${PACKAGE}.part ${PACKAGE}
    WORKING_DIRECTORY ${RES_DIR}/package
    DEPENDS ${RES_DIR}/package/Tessaly.wxs ${RES_DIR}/package/ReadMe.txt
    COMMENT "Building the installer package"
    VERBATIM)

set(RES_OBJECT ${CMAKE_BINARY_DIR}/TessalySetup.res.o)
add_custom_command(
    OUTPUT ${RES_OBJECT}
    COMMAND ${WINDRES} -O coff -I ${GEN_DIR} -I ${RES_DIR} -i ${RES_DIR}/TessalySetup.rc -o ${RES_OBJECT}
    DEPENDS ${RES_DIR}/TessalySetup.rc ${PACKAGE}
    COMMENT "Compiling the resources"
    VERBATIM)

add_executable(TessalySetup WIN32 ${PRODUCT_SOURCES} framework/WinMain_win.cpp ${RES_OBJECT})
target_include_directories(TessalySetup PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(TessalySetup PRIVATE -Os -Wall -Wextra -Werror -ffile-prefix-map=${CMAKE_SOURCE_DIR}=.)
target_link_options(TessalySetup PRIVATE -static -static-libgcc -static-libstdc++ -s -Wl,--no-insert-timestamp)
target_link_libraries(TessalySetup PRIVATE shell32 advapi32)

# End-to-end tests under Wine, run by CTest in this build folder.
enable_testing()
set(E2E_ENV "TESSALY_EXE=$<TARGET_FILE:TessalySetup>;TESSALY_PACKAGE=${PACKAGE};WINE_TEMPLATE=${CMAKE_BINARY_DIR}/wine-template")
add_test(NAME wine_template COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/make_template.sh)
set_tests_properties(wine_template PROPERTIES FIXTURES_SETUP wine ENVIRONMENT "${E2E_ENV}")
foreach(scenario installs_package)
    add_test(NAME e2e_${scenario} COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/${scenario}.sh)
    set_tests_properties(e2e_${scenario} PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "${E2E_ENV}")
endforeach()
