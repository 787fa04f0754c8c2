# TessalySetup.exe: a static PE32 GUI executable that imports only system DLLs,
# with the installer package and its other resources compiled in.
#
# Build parameters:
#   TESSALY_REFERRER  the referring page (host name and path, no scheme) that
#                     the install-source text names
#   TESSALY_PACKAGE   an installer package to carry instead of the one built
#                     from res/package

set(TESSALY_REFERRER "www.velstrom.test/freeware/download/tessaly" CACHE STRING
    "Referring page named by the install-source text: host name and path, without a scheme")
set(TESSALY_PACKAGE "" CACHE FILEPATH "Installer package to carry instead of the one built from res/package")
set(TESSALY_PYTHON /usr/bin/python3 CACHE FILEPATH "Debian's Python, which has the modules the resource tools use")

find_program(WIXL wixl REQUIRED)
find_program(WINDRES NAMES ${CMAKE_RC_COMPILER} i686-w64-mingw32-windres REQUIRED)

set(RES_DIR ${CMAKE_SOURCE_DIR}/res)
set(GEN_DIR ${CMAKE_BINARY_DIR}/res)
set(TOOLS_DIR ${CMAKE_SOURCE_DIR}/tools)
set(EXECUTABLE ${CMAKE_BINARY_DIR}/TessalySetup.exe)
set(PACKAGE ${GEN_DIR}/VelstromTessaly.msi)
set(INSTALL_SOURCE ${GEN_DIR}/InstallSource.k7r)
file(MAKE_DIRECTORY ${GEN_DIR})

# Stops with the tool's message when a build parameter is bad. What a previous
# build made from other values is removed first, so that nothing built from
# them can be taken for this configuration's output.
function(run_parameter_tool)
    execute_process(COMMAND ${TESSALY_PYTHON} ${ARGN} RESULT_VARIABLE result ERROR_VARIABLE message)
    if(NOT result EQUAL 0)
        file(REMOVE ${EXECUTABLE} ${INSTALL_SOURCE} ${PACKAGE})
        string(STRIP "${message}" message)
        message(FATAL_ERROR "${message}")
    endif()
endfunction()

run_parameter_tool(${TOOLS_DIR}/make_install_source.py ${TESSALY_REFERRER} ${INSTALL_SOURCE})

if(TESSALY_PACKAGE)
    run_parameter_tool(${TOOLS_DIR}/check_package.py ${TESSALY_PACKAGE})
    add_custom_command(
        OUTPUT ${PACKAGE}
        COMMAND ${TESSALY_PYTHON} ${TOOLS_DIR}/check_package.py ${TESSALY_PACKAGE} ${PACKAGE}
        DEPENDS ${TESSALY_PACKAGE} ${TOOLS_DIR}/check_package.py
        COMMENT "Taking the installer package ${TESSALY_PACKAGE}"
        VERBATIM)
else()
    # wixl writes in place, so it builds into a temporary name; the package is
    # checked and renamed only once complete.
    add_custom_command(
        OUTPUT ${PACKAGE}
        COMMAND ${WIXL} -a x86 -o ${PACKAGE}.wixl ${RES_DIR}/package/Tessaly.wxs
        COMMAND ${TESSALY_PYTHON} ${TOOLS_DIR}/check_package.py ${PACKAGE}.wixl ${PACKAGE}
        COMMAND ${CMAKE_COMMAND} -E remove ${PACKAGE}.wixl
        WORKING_DIRECTORY ${RES_DIR}/package
        DEPENDS ${RES_DIR}/package/Tessaly.wxs ${RES_DIR}/package/ReadMe.txt ${TOOLS_DIR}/check_package.py
        COMMENT "Building the installer package"
        VERBATIM)
endif()

add_custom_command(
    OUTPUT ${GEN_DIR}/TessalySetup.ico
    COMMAND ${TESSALY_PYTHON} ${TOOLS_DIR}/make_icon.py ${GEN_DIR}/TessalySetup.ico
    DEPENDS ${TOOLS_DIR}/make_icon.py
    COMMENT "Drawing the icon"
    VERBATIM)

set(RES_OBJECT ${CMAKE_BINARY_DIR}/TessalySetup.res.o)
add_custom_command(
    OUTPUT ${RES_OBJECT}
    COMMAND ${WINDRES} -O coff -I ${GEN_DIR} -I ${RES_DIR} -i ${RES_DIR}/TessalySetup.rc -o ${RES_OBJECT}
    DEPENDS ${RES_DIR}/TessalySetup.rc ${RES_DIR}/TessalySetup.manifest ${PACKAGE} ${INSTALL_SOURCE}
            ${GEN_DIR}/TessalySetup.ico
    COMMENT "Compiling the resources"
    VERBATIM)

add_executable(TessalySetup WIN32 ${PRODUCT_SOURCES} framework/WinMain_win.cpp platform/DllSearchPath_win.cpp ${RES_OBJECT})
target_include_directories(TessalySetup PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(TessalySetup PRIVATE -Os -Wall -Wextra -Werror -ffile-prefix-map=${CMAKE_SOURCE_DIR}=.)
target_link_options(TessalySetup PRIVATE -static -static-libgcc -static-libstdc++ -s -Wl,--no-insert-timestamp)
target_link_libraries(TessalySetup PRIVATE shell32 advapi32)

# Tests of the built executable, run by CTest in this build folder.
enable_testing()

# A program that holds a file open, for the scenarios under Wine.
add_executable(HoldFile tests/e2e/HoldFile.cpp)
target_link_options(HoldFile PRIVATE -static -static-libgcc -static-libstdc++)

set(TEST_ENV
    "TESSALY_EXE=${EXECUTABLE}"
    "TESSALY_PACKAGE=${PACKAGE}"
    "TESSALY_INSTALL_SOURCE=${INSTALL_SOURCE}"
    "TESSALY_REFERRER=${TESSALY_REFERRER}"
    "TESSALY_PYTHON=${TESSALY_PYTHON}"
    "TESSALY_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
    "HOLD_FILE_EXE=$<TARGET_FILE:HoldFile>"
    "WINE_TEMPLATE=${CMAKE_BINARY_DIR}/wine-template")

add_test(NAME resources COMMAND ${TESSALY_PYTHON} ${CMAKE_SOURCE_DIR}/tests/resources/check_resources.py)
add_test(NAME build_parameters COMMAND ${CMAKE_SOURCE_DIR}/tests/resources/build_parameters.sh)
set_tests_properties(resources build_parameters PROPERTIES ENVIRONMENT "${TEST_ENV}")

add_test(NAME wine_template COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/make_template.sh)
set_tests_properties(wine_template PROPERTIES FIXTURES_SETUP wine ENVIRONMENT "${TEST_ENV}")
foreach(scenario installs_package records_install_source hardening replaces_old_package locked_package
                 missing_temp_folder unusual_temp_folder read_only_folder)
    add_test(NAME e2e_${scenario} COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/${scenario}.sh)
    set_tests_properties(e2e_${scenario} PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "${TEST_ENV}")
endforeach()
